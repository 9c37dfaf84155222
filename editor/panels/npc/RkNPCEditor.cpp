// The NPC editor panel's polling (what each button and selection does to the NPC
// list and to the panel's own controls, once per pass of the editor's loop), and
// the ImGui binding that draws those controls and records the user's clicks.
#include "RkNPCEditor.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <string>

#include "RkDirect3D.h"
#include "RkNPC.h"
#include "RkNPCEditorEntry.h"
#include "RkNPCList.h"
#include "RkNotice.h"
#include "RkSprite.h"

namespace {

// Typing limits that keep every list entry within 499 characters: an ID of at
// most 11 characters plus its separator plus the text.
constexpr int kFieldLength = RkNPCEditorEdit::kFieldSize - 1;
constexpr int kIDLength = RkNPCEditorEntry::kMaxNumberLength;
constexpr int kDialogueTextLength =
    kFieldLength - kIDLength - static_cast<int>(std::char_traits<char>::length(RkNPCEditorEntry::kDialogueSeparator));
constexpr int kResponseTextLength =
    kFieldLength - kIDLength - static_cast<int>(std::char_traits<char>::length(RkNPCEditorEntry::kResponseSeparator));
constexpr int kPreviewSize = 32;

bool ListHasNPC(const RkNPCList& npcList, const std::string& name) {
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    if (name == npcList.GetNPC(i).GetName()) {
      return true;
    }
  }
  return false;
}

}  // namespace

RkNPCEditor::RkNPCEditor()
    : nameEdit_(kFieldLength),
      dialogueTextEdit_(kDialogueTextLength),
      textIdEdit_(kIDLength),
      responseTextEdit_(kResponseTextLength),
      nextIdEdit_(kIDLength) {}

RkNPCEditor::~RkNPCEditor() = default;

void RkNPCEditor::Open(const RkNPCList& npcList) {
  Reset();
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    npcListBox_.AddString(npcList.GetNPC(i).GetName());
  }
  open_ = true;
}

void RkNPCEditor::Reset() {
  ClearClicks();
  npcListBox_.ResetContent();
  nameEdit_.SetText("");
  sprite_.reset();
  imageFile_.clear();
  ResetDialogueSide();
  selectedNPC_.clear();
}

void RkNPCEditor::SetFileChooser(std::function<bool(std::string& path)> chooser) {
  chooseFile_ = std::move(chooser);
}

void RkNPCEditor::SetSprite(std::unique_ptr<RkSprite> sprite) { sprite_ = std::move(sprite); }

bool RkNPCEditor::TakeClick(Button button) {
  const bool clicked = clicked_[Index(button)];
  clicked_[Index(button)] = false;
  return clicked;
}

void RkNPCEditor::ClearClicks() { clicked_.fill(false); }

void RkNPCEditor::Poll(RkNPCList& npcList, RkDirect3D& renderer) {
  if (!open_) {
    ClearClicks();
    return;
  }
  PollPass(npcList, renderer);
  // A click that this pass did not act on (its selection was missing) is
  // dropped, as the button loses its focus when the user picks a list entry.
  ClearClicks();
}

void RkNPCEditor::PollPass(RkNPCList& npcList, RkDirect3D& renderer) {
  if (TakeClick(Button::SaveChanges)) {
    SaveLibrary(npcList);
  }
  if (TakeClick(Button::LoadSprite)) {
    LoadSprite(renderer);
  }
  if (TakeClick(Button::SaveNPC)) {
    SaveNPC(npcList);
  }
  if (TakeClick(Button::RemoveNPC)) {
    RemoveNPC(npcList);
  }
  // Without a selected NPC the dialogue and response buttons do nothing.
  if (!npcListBox_.HasSelection()) {
    return;
  }
  const std::string name = npcListBox_.GetSelectedText();
  if (name != selectedNPC_) {
    ShowNPC(name, npcList, renderer);
  }
  if (TakeClick(Button::SaveDialogueText)) {
    SaveDialogueText(name, npcList);
  }
  if (TakeClick(Button::RemoveDialogue)) {
    RemoveDialogue(name, npcList);
  }
  if (!dialogueListBox_.HasSelection()) {
    return;
  }
  const std::string dialogueEntry = dialogueListBox_.GetSelectedText();
  const int32_t textId = RkNPCEditorEntry::ToNumber(RkNPCEditorEntry::DialogueTextID(dialogueEntry).c_str());
  if (dialogueEntry != selectedDialogue_) {
    ShowDialogue(name, dialogueEntry, npcList);
  }
  if (TakeClick(Button::SaveResponseText)) {
    SaveResponseText(name, textId, npcList);
  }
  if (TakeClick(Button::RemoveResponse)) {
    RemoveResponse(name, textId, npcList);
  }
  if (responseListBox_.HasSelection() && responseListBox_.GetSelectedText() != selectedResponse_) {
    ShowResponse(responseListBox_.GetSelectedText());
  }
}

void RkNPCEditor::WillChange(RkLibraryRecorder::Change change, const std::string& name,
                             const std::string& detail) {
  if (recorder_ != nullptr) recorder_->Before(change, name, detail);
}

void RkNPCEditor::Changed() {
  if (recorder_ != nullptr) recorder_->After();
}

// --- NPC side -------------------------------------------------------------

void RkNPCEditor::LoadSprite(RkDirect3D& renderer) {
  std::string path;
  if (!chooseFile_ || !chooseFile_(path)) {
    return;
  }
  // A path that does not fit a 500-byte text field counts as no choice, as
  // the dialog's 500-byte buffer could not have returned it.
  if (path.empty() || path.size() > static_cast<size_t>(kFieldLength)) {
    return;
  }
  const std::string cause = RkSprite::TryLoadImage(renderer.GetDevice(), path.c_str(), kPreviewSize,
                                                   kPreviewSize, false);
  if (!cause.empty()) {
    ShowNotice(("The image could not be loaded:\n" + path + "\n" + cause).c_str());
    return;
  }
  ShowPreview(path, renderer);
}

// A failed save leaves the library in memory as it is; the file on disk stays whole.
bool RkNPCEditor::SaveLibrary(RkNPCList& npcList) {
  const auto failure = npcList.TrySaveNPCFile();
  if (!failure) {
    if (recorder_ != nullptr) recorder_->MarkSaved();
    return true;
  }
  // The notice names the file and the cause.
  std::string cause = failure->GetSystemText();
  while (!cause.empty() && (cause.back() == '\n' || cause.back() == '\r')) cause.pop_back();
  ShowNotice(("The NPCs could not be saved; they stay open, unsaved:\n" + std::string(RkNPCList::kFileName) +
              "\n" + failure->GetMessage() + " " + cause)
                 .c_str());
  return false;
}

void RkNPCEditor::ShowPreview(const std::string& imageFile, RkDirect3D& renderer) {
  imageFile_ = imageFile;
  if (imageFile.empty()) {
    // An NPC without an image (or no longer in the list) shows no preview.
    sprite_.reset();
    return;
  }
  const RkVector3 center = {0.0f, 0.0f, 0.0f};
  const RkVector3 corner = {static_cast<float>(kPreviewRect.left), static_cast<float>(kPreviewRect.top), 0.0f};
  sprite_ = std::make_unique<RkSprite>(renderer.GetDevice(), imageFile.c_str(), kPreviewSize, kPreviewSize,
                                       center, corner, RK_COLOR_WHITE, 0, 0);
}

void RkNPCEditor::SaveNPC(RkNPCList& npcList) {
  const std::string name = nameEdit_.GetText();
  if (name.empty() || !sprite_) {
    return;
  }
  const bool isNewName = !ListHasNPC(npcList, name);
  WillChange(RkLibraryRecorder::Change::SaveNPC, name);
  npcList.SaveNPC(name.c_str(), imageFile_.c_str());
  KeepDialogueTypedFor(name, isNewName, npcList);
  Changed();
  if (isNewName) {
    npcListBox_.AddString(name);
  }
  ClearNPCDetails();
}

// A dialogue typed for an NPC not made yet had nowhere to go (Save Text waits
// for a selected NPC) and would be wiped with the details below: it goes to the
// new NPC, in the same step. With no NPC selected the fields hold only what the
// user typed, never a shown dialogue of another NPC.
void RkNPCEditor::KeepDialogueTypedFor(const std::string& name, bool isNewName, RkNPCList& npcList) {
  if (!isNewName || npcListBox_.HasSelection() || dialogueTextEdit_.IsEmpty() || textIdEdit_.IsEmpty()) {
    return;
  }
  npcList.AddDialogue(name.c_str(), RkNPCEditorEntry::ToNumber(textIdEdit_.GetText()),
                      dialogueTextEdit_.GetText());
}

void RkNPCEditor::RemoveNPC(RkNPCList& npcList) {
  if (!npcListBox_.HasSelection()) {
    return;
  }
  const int selection = npcListBox_.GetCurSel();
  WillChange(RkLibraryRecorder::Change::RemoveNPC, npcListBox_.GetText(selection));
  npcList.RemoveNPC(npcListBox_.GetText(selection).c_str());
  Changed();
  npcListBox_.DeleteString(selection);
  ClearNPCDetails();
}

// After Save NPC and Remove NPC: nothing selected, nothing on show.
void RkNPCEditor::ClearNPCDetails() {
  npcListBox_.SetCurSel(RkNPCEditorList::kNoSelection);
  nameEdit_.SetText("");
  sprite_.reset();
  ResetDialogueSide();
  selectedNPC_.clear();
}

void RkNPCEditor::ShowNPC(const std::string& name, const RkNPCList& npcList, RkDirect3D& renderer) {
  selectedNPC_ = name;
  // An entry whose NPC is gone (two NPCs of one name, one entry removed) finds
  // a fresh NPC: its name shows without image or dialogues.
  const RkNPC npc = npcList.FindNPC(name.c_str());
  nameEdit_.SetText(name.c_str());
  ShowPreview(npc.GetImageFile(), renderer);
  ResetDialogueSide();
  FillDialogueList(name, npcList);
}

// --- Dialogue side --------------------------------------------------------

void RkNPCEditor::ResetDialogueSide() {
  dialogueListBox_.ResetContent();
  dialogueTextEdit_.SetText("");
  textIdEdit_.SetText("");
  ResetResponseSide();
  selectedDialogue_.clear();
}

// Last dialogue first, as "ID: text".
void RkNPCEditor::FillDialogueList(const std::string& name, const RkNPCList& npcList) {
  const unsigned count = npcList.FindNPC(name.c_str()).GetDialogueCount();
  for (unsigned i = count; i-- > 0;) {
    dialogueListBox_.AddString(RkNPCEditorEntry::FormatDialogue(npcList.GetDialogueID(name.c_str(), i),
                                                             npcList.GetDialogueText(name.c_str(), i)));
  }
}

void RkNPCEditor::SaveDialogueText(const std::string& name, RkNPCList& npcList) {
  if (dialogueTextEdit_.IsEmpty() || textIdEdit_.IsEmpty()) {
    return;
  }
  // The edits are emptied below: keep what they held.
  const std::string text = dialogueTextEdit_.GetText();
  const int32_t textId = RkNPCEditorEntry::ToNumber(textIdEdit_.GetText());
  WillChange(RkLibraryRecorder::Change::SaveDialogue, name, std::to_string(textId));
  npcList.AddDialogue(name.c_str(), textId, text.c_str());
  Changed();
  ResetDialogueSide();
  FillDialogueList(name, npcList);
}

void RkNPCEditor::RemoveDialogue(const std::string& name, RkNPCList& npcList) {
  if (!dialogueListBox_.HasSelection()) {
    return;
  }
  const int selection = dialogueListBox_.GetCurSel();
  const std::string textId = RkNPCEditorEntry::DialogueTextID(dialogueListBox_.GetText(selection));
  WillChange(RkLibraryRecorder::Change::RemoveDialogue, name,
             std::to_string(RkNPCEditorEntry::ToNumber(textId.c_str())));
  npcList.RemoveDialogue(name.c_str(), RkNPCEditorEntry::ToNumber(textId.c_str()));
  Changed();
  dialogueListBox_.DeleteString(selection);
  dialogueListBox_.SetCurSel(RkNPCEditorList::kNoSelection);
  dialogueTextEdit_.SetText("");
  textIdEdit_.SetText("");
  ResetResponseSide();
  selectedDialogue_.clear();
}

void RkNPCEditor::ShowDialogue(const std::string& name, const std::string& entry, const RkNPCList& npcList) {
  selectedDialogue_ = entry;
  dialogueTextEdit_.SetText(RkNPCEditorEntry::DialogueText(entry).c_str());
  const std::string textId = RkNPCEditorEntry::DialogueTextID(entry);
  textIdEdit_.SetText(textId.c_str());
  ResetResponseSide();
  FillResponseList(name, RkNPCEditorEntry::ToNumber(textId.c_str()), npcList);
}

// --- Response side --------------------------------------------------------

void RkNPCEditor::ResetResponseSide() {
  responseListBox_.ResetContent();
  responseTextEdit_.SetText("");
  nextIdEdit_.SetText("");
  selectedResponse_.clear();
}

// Last response first, as "next[next]: text".
void RkNPCEditor::FillResponseList(const std::string& name, int32_t textId, const RkNPCList& npcList) {
  const unsigned count = npcList.FindNPC(name.c_str()).GetResponseCount(textId);
  for (unsigned k = count; k-- > 0;) {
    responseListBox_.AddString(RkNPCEditorEntry::FormatResponse(
        npcList.GetResponseNextID(name.c_str(), textId, k), npcList.GetResponseText(name.c_str(), textId, k)));
  }
}

void RkNPCEditor::SaveResponseText(const std::string& name, int32_t textId, RkNPCList& npcList) {
  if (responseTextEdit_.IsEmpty() || nextIdEdit_.IsEmpty()) {
    return;
  }
  const std::string text = responseTextEdit_.GetText();
  const int32_t nextId = RkNPCEditorEntry::ToNumber(nextIdEdit_.GetText());
  WillChange(RkLibraryRecorder::Change::SaveResponse, name, text);
  npcList.AddResponse(name.c_str(), textId, text.c_str(), nextId);
  Changed();
  ResetResponseSide();
  FillResponseList(name, textId, npcList);
}

void RkNPCEditor::RemoveResponse(const std::string& name, int32_t textId, RkNPCList& npcList) {
  if (!responseListBox_.HasSelection()) {
    return;
  }
  const int selection = responseListBox_.GetCurSel();
  const std::string text = RkNPCEditorEntry::ResponseText(responseListBox_.GetText(selection));
  WillChange(RkLibraryRecorder::Change::RemoveResponse, name, text);
  npcList.RemoveResponse(name.c_str(), textId, text.c_str());
  Changed();
  responseListBox_.DeleteString(selection);
  responseListBox_.SetCurSel(RkNPCEditorList::kNoSelection);
  responseTextEdit_.SetText("");
  nextIdEdit_.SetText("");
  selectedResponse_.clear();
}

void RkNPCEditor::ShowResponse(const std::string& entry) {
  selectedResponse_ = entry;
  responseTextEdit_.SetText(RkNPCEditorEntry::ResponseText(entry).c_str());
  nextIdEdit_.SetText(RkNPCEditorEntry::ResponseNextID(entry).c_str());
}

// --- ImGui binding --------------------------------------------------------
// Positions and sizes are those of the panel's client area: its origin is the
// window's first content pixel below the title bar (no window padding).

namespace {

constexpr ImGuiWindowFlags kWindowFlags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                          ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse |
                                          ImGuiWindowFlags_NoSavedSettings;
constexpr int kEditHeight = 18;

void PlaceAt(const ImVec2& origin, int x, int y) {
  ImGui::SetCursorPos(ImVec2(origin.x + static_cast<float>(x), origin.y + static_cast<float>(y)));
}

void DrawLabel(const ImVec2& origin, const char* text, int x, int y) {
  PlaceAt(origin, x, y);
  ImGui::TextUnformatted(text);
}

bool DrawPushButton(const ImVec2& origin, const char* label, int x, int y, int width, int height) {
  PlaceAt(origin, x, y);
  return ImGui::Button(label, ImVec2(static_cast<float>(width), static_cast<float>(height)));
}

void DrawEdit(const ImVec2& origin, const char* id, RkNPCEditorEdit& edit, int x, int y, int width) {
  PlaceAt(origin, x, y);
  // Vertical padding that makes the field as tall as the control, whatever the font.
  const float padding = std::max(0.0f, (kEditHeight - ImGui::GetFontSize()) * 0.5f);
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(ImGui::GetStyle().FramePadding.x, padding));
  ImGui::SetNextItemWidth(static_cast<float>(width));
  ImGui::InputText(id, edit.GetBuffer(), static_cast<size_t>(edit.GetInputBufferSize()));
  ImGui::PopStyleVar();
}

// A text wrapped inside the last item's frame, cut at its bottom edge; the whole
// text on hover when it is cut.
void DrawWrappedText(const char* text) {
  const ImVec2 padding = ImGui::GetStyle().FramePadding;
  const ImVec2 frameMin = ImGui::GetItemRectMin();
  const ImVec2 frameMax = ImGui::GetItemRectMax();
  const float wrapWidth = frameMax.x - frameMin.x - 2.0f * padding.x;
  ImFont* font = ImGui::GetFont();
  const float fontSize = ImGui::GetFontSize();
  const ImVec4 clip(frameMin.x, frameMin.y, frameMax.x, frameMax.y);
  ImGui::GetWindowDrawList()->AddText(font, fontSize, ImVec2(frameMin.x + padding.x, frameMin.y + padding.y),
                                      ImGui::GetColorU32(ImGuiCol_Text), text, nullptr, wrapWidth, &clip);
  const float textHeight = font->CalcTextSizeA(fontSize, FLT_MAX, wrapWidth, text).y;
  if (ImGui::IsItemHovered() && textHeight > frameMax.y - frameMin.y - 2.0f * padding.y) {
    ImGui::BeginTooltip();
    ImGui::PushTextWrapPos(ImGui::GetFontSize() * 30.0f);
    ImGui::TextUnformatted(text);
    ImGui::PopTextWrapPos();
    ImGui::EndTooltip();
  }
}

// ImGui's multiline field does not wrap its lines. While the user types in it the
// field is shown as it is (the line scrolls with the cursor); at rest its text
// is drawn wrapped at word boundaries over the field, whose own text is made
// invisible, and hovering shows the whole of a text that does not fit. Clicks
// still go to the field itself.
void DrawMultilineEdit(const ImVec2& origin, const char* id, RkNPCEditorEdit& edit, int x, int y, int width,
                       int height) {
  PlaceAt(origin, x, y);
  const bool typing = ImGui::GetActiveID() == ImGui::GetID(id);
  if (!typing) ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(0, 0, 0, 0));
  ImGui::InputTextMultiline(id, edit.GetBuffer(), static_cast<size_t>(edit.GetInputBufferSize()),
                            ImVec2(static_cast<float>(width), static_cast<float>(height)));
  if (typing) return;
  ImGui::PopStyleColor();
  DrawWrappedText(edit.GetText());
}

// Entries are drawn as plain text, so that "##" or "%" in a name or dialogue
// text shows as typed, and on one line each.
void DrawEntryText(const std::string& entry, const ImVec2& corner) {
  std::string shown = entry;
  std::replace(shown.begin(), shown.end(), '\n', ' ');
  std::replace(shown.begin(), shown.end(), '\r', ' ');
  ImGui::GetWindowDrawList()->AddText(corner, ImGui::GetColorU32(ImGuiCol_Text), shown.c_str(),
                                      shown.c_str() + shown.size());
}

void DrawListBox(const ImVec2& origin, const char* id, RkNPCEditorList& list, int x, int y, int width,
                 int height) {
  PlaceAt(origin, x, y);
  if (!ImGui::BeginListBox(id, ImVec2(static_cast<float>(width), static_cast<float>(height)))) {
    return;
  }
  for (int i = 0; i < list.GetCount(); ++i) {
    ImGui::PushID(i);
    // The selectable's rectangle starts left of the content, where the box
    // clips: the text goes where the content starts.
    const ImVec2 textCorner = ImGui::GetCursorScreenPos();
    if (ImGui::Selectable("##entry", list.GetCurSel() == i)) {
      list.SetCurSel(i);
    }
    // The box clips an entry at its edge; hovering shows the whole of one cut short.
    if (ImGui::IsItemHovered() && ImGui::CalcTextSize(list.GetText(i).c_str()).x > ImGui::GetItemRectSize().x) {
      ImGui::BeginTooltip();
      ImGui::PushTextWrapPos(ImGui::GetFontSize() * 30.0f);
      ImGui::TextUnformatted(list.GetText(i).c_str());
      ImGui::PopTextWrapPos();
      ImGui::EndTooltip();
    }
    DrawEntryText(list.GetText(i), textCorner);
    ImGui::PopID();
  }
  ImGui::EndListBox();
}

}  // namespace

void RkNPCEditor::Draw(RkDirect3D& /*renderer*/) {
  if (!open_) {
    return;
  }
  const ImVec2 corner = ImGui::GetMainViewport()->Pos;
  // Placed beside the main window's corner each time the panel opens; the user may move it.
  ImGui::SetNextWindowPos(ImVec2(corner.x + kWindowOffset, corner.y + kWindowOffset), ImGuiCond_Appearing);
  ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight), ImGuiCond_Always);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0.0f, 0.0f));
  bool keepOpen = true;
  const bool visible = ImGui::Begin("NPC Editor", &keepOpen, kWindowFlags);
  ImGui::PopStyleVar();
  if (visible) {
    DrawControls();
    DrawPreview();
  }
  ImGui::End();
  if (!keepOpen) {
    Close();
  }
}

void RkNPCEditor::DrawControls() {
  const ImVec2 origin = ImGui::GetCursorStartPos();
  DrawLabel(origin, "NPC's:", 10, 10);
  DrawListBox(origin, "##npcs", npcListBox_, 10, 30, 100, 100);
  DrawLabel(origin, "Name:", 120, 30);
  DrawEdit(origin, "##name", nameEdit_, 180, 30, 140);
  if (DrawPushButton(origin, "Load Sprite", 120, 75, 90, 20)) {
    Click(Button::LoadSprite);
  }
  if (DrawPushButton(origin, "Remove NPC", 10, 132, 100, 20)) {
    Click(Button::RemoveNPC);
  }
  if (DrawPushButton(origin, "Save NPC", 120, 107, 80, 20)) {
    Click(Button::SaveNPC);
  }
  DrawLabel(origin, "Dialogues", 10, 160);
  DrawListBox(origin, "##dialogues", dialogueListBox_, 10, 180, 200, 110);
  DrawLabel(origin, "Text:", 220, 160);
  DrawMultilineEdit(origin, "##dialogueText", dialogueTextEdit_, 220, 180, 200, 60);
  DrawLabel(origin, "Text ID:", 220, 250);
  DrawEdit(origin, "##textId", textIdEdit_, 275, 250, 30);
  if (DrawPushButton(origin, "Remove Dialogue", 10, 283, 130, 20)) {
    Click(Button::RemoveDialogue);
  }
  if (DrawPushButton(origin, "Save Text##dialogue", 320, 250, 80, 20)) {
    Click(Button::SaveDialogueText);
  }
  DrawLabel(origin, "User Response Options", 10, 310);
  DrawListBox(origin, "##responses", responseListBox_, 10, 330, 200, 110);
  DrawLabel(origin, "Text:", 220, 310);
  DrawMultilineEdit(origin, "##responseText", responseTextEdit_, 220, 330, 200, 60);
  DrawLabel(origin, "Next ID:", 220, 400);
  DrawEdit(origin, "##nextId", nextIdEdit_, 278, 400, 30);
  if (DrawPushButton(origin, "Remove Response", 10, 432, 140, 20)) {
    Click(Button::RemoveResponse);
  }
  if (DrawPushButton(origin, "Save Text##response", 320, 400, 80, 20)) {
    Click(Button::SaveResponseText);
  }
  // The one control with a border of its own.
  ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
  const bool saveChanges = DrawPushButton(origin, "SAVE CHANGES", 115, 460, 200, 40);
  ImGui::PopStyleVar();
  if (saveChanges) {
    Click(Button::SaveChanges);
  }
}

// The preview image at its rectangle, or the cleared (black) rectangle when none.
void RkNPCEditor::DrawPreview() {
  const ImVec2 origin = ImGui::GetCursorStartPos();
  PlaceAt(origin, kPreviewRect.left, kPreviewRect.top);
  const ImVec2 size(static_cast<float>(kPreviewRect.right - kPreviewRect.left),
                    static_cast<float>(kPreviewRect.bottom - kPreviewRect.top));
  SDL_Texture* texture = sprite_ ? sprite_->GetTexture() : nullptr;
  if (texture != nullptr) {
    float u0, v0, u1, v1;
    sprite_->GetTextureCorners(u0, v0, u1, v1);  // a cell of a sheet shows only that cell
    ImGui::Image(static_cast<ImTextureID>(texture), size, ImVec2(u0, v0), ImVec2(u1, v1));
    return;
  }
  const ImVec2 topLeft = ImGui::GetCursorScreenPos();
  ImGui::GetWindowDrawList()->AddRectFilled(topLeft, ImVec2(topLeft.x + size.x, topLeft.y + size.y),
                                            IM_COL32(0, 0, 0, 255));
  ImGui::Dummy(size);
}
