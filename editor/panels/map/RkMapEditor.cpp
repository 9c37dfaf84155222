// The map editor panel's state and its ImGui window "Map Editor". The controls sit
// at the positions and sizes of the panel's layout, in client pixels below the
// title bar; RkEngine::PollMapEditor and RkEngine::HandleMapCanvas act on the state.
#include "RkMapEditor.h"

#include <imgui.h>

#include <algorithm>
#include <cstring>

#include "RkSprite.h"

namespace {

constexpr const char* kWindowTitle = "Map Editor";
constexpr const char* kSeparatorLine =
    "----------------------------------------------------------------------";

void CopyText(char* field, int capacity, const char* text) {
  std::strncpy(field, text, capacity - 1);
  field[capacity - 1] = '\0';
}

// Screen position of a point of the current window's client area.
ImVec2 ClientToScreen(float x, float y) {
  const ImVec2 windowPos = ImGui::GetWindowPos();
  return ImVec2(windowPos.x + x, windowPos.y + ImGui::GetFrameHeight() + y);
}

void PlaceAt(float x, float y) { ImGui::SetCursorScreenPos(ClientToScreen(x, y)); }

// A static text in its rectangle; the rectangle clips it like a static control.
void Label(float x, float y, float width, float height, const char* text) {
  const ImVec2 corner = ClientToScreen(x, y);
  ImGui::PushClipRect(corner, ImVec2(corner.x + width, corner.y + height), true);
  ImGui::SetCursorScreenPos(corner);
  ImGui::TextUnformatted(text);
  ImGui::PopClipRect();
}

void BorderedLabel(float x, float y, float width, float height, const char* text) {
  const ImVec2 corner = ClientToScreen(x, y);
  const ImVec2 far(corner.x + width, corner.y + height);
  ImGui::GetWindowDrawList()->AddRect(corner, far, ImGui::GetColorU32(ImGuiCol_Border));
  Label(x + 2, y + 2, width - 4, height - 4, text);
}

bool PushButton(float x, float y, float width, float height, const char* text) {
  PlaceAt(x, y);
  return ImGui::Button(text, ImVec2(width, height));
}

void Edit(float x, float y, float width, const char* id, char* text, int capacity) {
  PlaceAt(x, y);
  ImGui::SetNextItemWidth(width);
  ImGui::InputText(id, text, capacity);
}

void Radio(float x, float y, const char* text, int* choice, int value) {
  PlaceAt(x, y);
  ImGui::RadioButton(text, choice, value);
}

void EmptyList(float x, float y, const char* id) {
  PlaceAt(x, y);
  if (ImGui::BeginListBox(id, ImVec2(120, 100))) {
    ImGui::EndListBox();
  }
}

// A 32 by 32 preview: black when there is no image.
void Preview(const RkMapEditor::Rect& rect, RkSprite* sprite) {
  const ImVec2 corner = ClientToScreen(static_cast<float>(rect.left), static_cast<float>(rect.top));
  const ImVec2 far = ClientToScreen(static_cast<float>(rect.right), static_cast<float>(rect.bottom));
  ImGui::GetWindowDrawList()->AddRectFilled(corner, far, IM_COL32(0, 0, 0, 255));
  if (sprite != nullptr) {
    float u0, v0, u1, v1;
    sprite->GetTextureCorners(u0, v0, u1, v1);  // a cell of a sheet shows only that cell
    ImGui::GetWindowDrawList()->AddImage(reinterpret_cast<ImTextureID>(sprite->GetTexture()), corner, far,
                                         ImVec2(u0, v0), ImVec2(u1, v1));
  }
}

}  // namespace

RkMapEditor::RkMapEditor() = default;
RkMapEditor::~RkMapEditor() = default;

void RkMapEditor::Open() {
  open = true;
  placeWindow = true;
  clicks.fill(false);
  mapName[0] = '\0';
  tileSprite.reset();
  tileImageFile[0] = '\0';
  paintingChoice = ChoiceNull;
  newAreaLabel[0] = '\0';
  newAreaFile[0] = '\0';
  SetStartX("0");
  SetStartY("0");
  npcNames.clear();
  npcSelection = -1;
  npcSprite.reset();
  npcImageFile[0] = '\0';
}

bool RkMapEditor::TakeClick(Button button) {
  const bool clicked = clicks[Index(button)];
  clicks[Index(button)] = false;
  return clicked;
}

void RkMapEditor::SetMapName(const char* text) { CopyText(mapName, kMapNameCapacity, text); }

void RkMapEditor::SetTileSprite(std::unique_ptr<RkSprite> sprite) { tileSprite = std::move(sprite); }

void RkMapEditor::SetTileImageFile(const char* text) {
  CopyText(tileImageFile, kTextCapacity, text);
  SetTileBlock(1, 1);
}

void RkMapEditor::SetTileBlock(int columns, int rows) {
  tileBlockColumns = std::max(1, columns);
  tileBlockRows = std::max(1, rows);
}

void RkMapEditor::SetNewAreaLabel(const char* text) { CopyText(newAreaLabel, kTextCapacity, text); }

void RkMapEditor::SetNewAreaFile(const char* text) { CopyText(newAreaFile, kTextCapacity, text); }

void RkMapEditor::SetStartX(const char* text) { CopyText(startX, kTextCapacity, text); }

void RkMapEditor::SetStartY(const char* text) { CopyText(startY, kTextCapacity, text); }

void RkMapEditor::SetNPCSelection(int index) {
  npcSelection = (index >= 0 && index < GetNPCNameCount()) ? index : -1;
}

void RkMapEditor::SetNPCSprite(std::unique_ptr<RkSprite> sprite) { npcSprite = std::move(sprite); }

void RkMapEditor::SetNPCImageFile(const char* text) { CopyText(npcImageFile, kTextCapacity, text); }

void RkMapEditor::Draw() {
  if (!open) {
    return;
  }
  if (placeWindow) {
    ImGui::SetNextWindowPos(ImVec2(kWindowOffset, kWindowOffset), ImGuiCond_Always);
    placeWindow = false;
  }
  ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight), ImGuiCond_Always);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(4.0f, 2.5f));
  bool keepOpen = true;
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                 ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoScrollbar |
                                 ImGuiWindowFlags_NoScrollWithMouse;
  if (ImGui::Begin(kWindowTitle, &keepOpen, flags)) {
    DrawNameAndMapButtons();
    DrawTileSection();
    DrawTileTypes();
    DrawNewAreaSection();
    DrawNPCSection();
  }
  ImGui::End();
  ImGui::PopStyleVar();
  if (!keepOpen) {
    Close();
  }
}

void RkMapEditor::DrawNameAndMapButtons() {
  Label(10, 10, 80, 18, "Map Name:");
  Edit(90, 10, 170, "##mapName", mapName, kMapNameCapacity);
  if (PushButton(10, 36, 75, 20, "Save Map")) Click(Button::SaveMap);
  if (PushButton(97, 36, 75, 20, "Load Map")) Click(Button::LoadMap);
  if (PushButton(185, 36, 75, 20, "Clear Map")) Click(Button::ClearMap);
  Label(10, 56, 250, 10, kSeparatorLine);
}

void RkMapEditor::DrawTileSection() {
  Label(10, 70, 90, 18, "[Add Tile]");
  if (PushButton(10, 95, 90, 20, "Load Sprite")) Click(Button::LoadSprite);
  Preview(kTilePreviewRect, tileSprite.get());
  // The spawn lists and their buttons are present but nothing reads them.
  Label(10, 130, 100, 18, "Tile Spawns:");
  EmptyList(10, 150, "##tileSpawns");
  Label(140, 130, 80, 18, "Creature:");
  EmptyList(140, 150, "##creatures");
  PushButton(10, 255, 110, 20, "Remove Spawn");
  PushButton(140, 255, 80, 20, "Add Spawn");
}

void RkMapEditor::DrawTileTypes() {
  Label(10, 280, 80, 18, "Tile Types:");
  Radio(10, 300, "Null", &paintingChoice, ChoiceNull);
  Radio(10, 320, "Open", &paintingChoice, ChoiceOpen);
  Radio(10, 340, "Impassable", &paintingChoice, ChoiceImpassable);
  Radio(10, 360, "New Area", &paintingChoice, ChoiceNewArea);
}

void RkMapEditor::DrawNewAreaSection() {
  if (PushButton(140, 280, 110, 20, "Load New Area")) Click(Button::LoadNewArea);
  BorderedLabel(140, 305, 120, 18, newAreaLabel);
  Label(140, 325, 120, 35, "New Area\nStarting Point:");
  Edit(140, 360, 30, "##startX", startX, kTextCapacity);
  Edit(180, 360, 30, "##startY", startY, kTextCapacity);
  Label(10, 380, 250, 10, kSeparatorLine);
}

void RkMapEditor::DrawNPCSection() {
  Label(10, 395, 80, 18, "[Add NPC's]");
  PlaceAt(10, 420);
  if (ImGui::BeginListBox("##npcNames", ImVec2(120, 100))) {
    for (int i = 0; i < GetNPCNameCount(); ++i) {
      ImGui::PushID(i);
      if (ImGui::Selectable(npcNames[i].c_str(), i == npcSelection)) {
        SetNPCSelection(i);
      }
      ImGui::PopID();
    }
    ImGui::EndListBox();
  }
  Preview(kNPCPreviewRect, npcSprite.get());
  Radio(140, 460, "Null NPC", &paintingChoice, ChoiceNullNPC);
  Radio(140, 480, "Normal NPC", &paintingChoice, ChoiceNormalNPC);
  Radio(140, 500, "Static NPC", &paintingChoice, ChoiceStaticNPC);
}
