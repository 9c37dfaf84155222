// The editor's application object: start-up, the loop and its passes, the menu,
// the map editor panel's buttons and the painting of the map canvas.
#include "RkEngine.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "RkMessageBox.h"
#include "RkNotice.h"
#include "RkPathParts.h"
#include "RkSprite.h"

namespace {

constexpr const char* kNoMapName = "No map name was provided.";
constexpr const char* kNoNewArea =
    "This tile will not be set as a new area as there is no new area location provided.\n"
    "Please click on the Load New Area button and select a map first.";
constexpr const char* kAboutText = "Corvane's 2D Game Engine";
constexpr const char* kMapExtension = ".rkm";
constexpr RkColor kStatusColor = 0xFFFFFFFFu;
// The start point edits are read like a 10-byte buffer: at most 9 characters.
constexpr std::size_t kStartCoordinateDigits = 9;

}  // namespace

RkEngine::RkEngine() : renderer(RkProgram::Editor) {
  fileChooser = [this](const RkFileDialog::FilterList& filters, std::string& path) {
    return RunFileDialog(filters, path);
  };
  npcEditor.SetFileChooser(
      [this](std::string& path) { return ChooseFile(RkFileDialog::SpritesFilter(), path); });
}

RkEngine::~RkEngine() { renderer.SetOverlay(nullptr); }

void RkEngine::Run() {
  SetRunningProgram(RkProgram::Editor);
  RkMessageBox::Install();
  window.Create(kTitle, width, height);
  renderer.Initialize(window.GetHandle());
  ui.Initialize(window.GetHandle(), renderer.GetDevice());
  renderer.SetOverlay([this] { ui.RenderDrawData(); });
  canvasTop = ui.GetMenuBarHeight();
  input.Create();
  input.CreateKeyboard(window.GetHandle());
  input.CreateMouse(window.GetHandle());
  while (running != 0) {
    if (!RunPass()) {
      return;
    }
  }
}

void RkEngine::InitializeOffscreen() {
  SetRunningProgram(RkProgram::Editor);
  renderer.InitializeOffscreen(width, height);
  ui.InitializeOffscreen(renderer.GetDevice(), width, height);
  renderer.SetOverlay([this] { ui.RenderDrawData(); });
  canvasTop = ui.GetMenuBarHeight();
}

bool RkEngine::RunPass() {
  if (!TakeMessages()) {
    return false;
  }
  ReadInput();
  int cursorX = 0;
  int cursorY = 0;
  window.GetCursorPosition(cursorX, cursorY);
  PlaceCursor(cursorX, cursorY);
  if (mapEditor.IsOpen()) {
    PollMapEditor();
  }
  if (npcEditor.IsOpen()) {
    PollNPCEditor();
  }
  if (mapEditor.IsOpen()) {
    HandleMapCanvas();
  }
  HandleKeys();
  DrawFrame();
  return true;
}

// The window's events first (ImGui sees them all), then the menu commands chosen
// in the last frame, each as it is taken.
bool RkEngine::TakeMessages() {
  if (!window.PumpMessages([this](const SDL_Event& event) { ui.ProcessEvent(event); })) {
    return false;
  }
  std::vector<int> commands;
  commands.swap(pendingCommands);
  for (const int command : commands) {
    if (!HandleMenuCommand(command)) {
      return false;
    }
  }
  return true;
}

void RkEngine::ReadInput() {
  input.Reacquire();
  input.ReadState();
  if (holdKeysOnNextRead) {
    HoldKeysDown(input.KeyboardState());
    holdKeysOnNextRead = false;
  }
}

// The Escape that cancels a file dialog or closes a box is still down when the
// loop reads the keys again: it belongs to the dialog, not to the editor. Nor does
// the button press that a box or dialog took paint on the canvas.
void RkEngine::AfterModal() {
  canvasArmed = false;
  holdKeysOnNextRead = true;
}

void RkEngine::PlaceCursor(int windowX, int windowY) {
  mouseX = windowX;
  mouseY = windowY - canvasTop;
  pointerOverInterface = ui.IsPointerOverInterface(windowX, windowY);
  if (!IsLeftButtonDown()) {
    canvasArmed = true;
  }
}

bool RkEngine::HandleMenuCommand(int command) {
  switch (command) {
    case CommandMapEditor:
      OpenMapEditor();
      return true;
    case CommandNPCEditor:
      OpenNPCEditor();
      return true;
    case CommandExit:
      window.PostQuit();
      return false;
    case CommandAbout:
      ShowModalNotice(kAboutText);
      return true;
    default:  // the creature and item editors, and anything else, do nothing
      return true;
  }
}

void RkEngine::OpenMapEditor() {
  if (mapEditor.IsOpen()) {
    return;
  }
  npcList.LoadNPCFile();
  selectedMapNPC.clear();
  mapEditor.Open();
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    mapEditor.AddNPCName(npcList.GetNPC(i).GetName());
  }
}

void RkEngine::OpenNPCEditor() {
  if (npcEditor.IsOpen()) {
    return;
  }
  npcList.LoadNPCFile();
  npcEditor.Open(npcList);
}

// The boxes have no owner window: the main window takes the keyboard back, as an
// owned box would give it back.
void RkEngine::ShowModalNotice(const char* text) {
  ShowNotice(text, kTitle);
  window.TakeFocus();
  AfterModal();
}

bool RkEngine::ChooseFile(const RkFileDialog::FilterList& filters, std::string& path) {
  const bool chosen = fileChooser(filters, path);
  AfterModal();
  if (!chosen) {
    path.clear();
  }
  return chosen;
}

// The dialog's own loop: the editor's passes stop while it is up, but the window
// keeps drawing. Closing the main window cancels the dialog and ends the editor.
bool RkEngine::RunFileDialog(const RkFileDialog::FilterList& filters, std::string& path) {
  RkFileDialog dialog;
  dialog.Open(filters);
  while (dialog.GetState() == RkFileDialog::State::Choosing) {
    if (!window.PumpMessages([this](const SDL_Event& event) { ui.ProcessEvent(event); })) {
      dialog.Cancel();
      break;
    }
    DrawFrame(&dialog);
  }
  if (dialog.GetState() != RkFileDialog::State::Chosen) {
    return false;
  }
  path = dialog.GetChosenPath();
  return true;
}

// ---------------------------------------------------------------------------
// Map editor panel: its buttons in order, then the NPC list.

void RkEngine::PollMapEditor() {
  if (mapEditor.TakeClick(RkMapEditor::Button::SaveMap)) {
    SaveMap();
  }
  if (mapEditor.TakeClick(RkMapEditor::Button::LoadMap)) {
    LoadMap();
  }
  if (mapEditor.TakeClick(RkMapEditor::Button::ClearMap)) {
    ClearMap();
  }
  if (mapEditor.TakeClick(RkMapEditor::Button::LoadSprite)) {
    LoadTileSprite();
  }
  if (mapEditor.TakeClick(RkMapEditor::Button::LoadNewArea)) {
    LoadNewArea();
  }
  FollowNPCSelection();
}

void RkEngine::SaveMap() {
  const std::string name = mapEditor.GetMapName();
  if (name.empty()) {
    ShowModalNotice(kNoMapName);
    return;
  }
  world.Save((name + kMapExtension).c_str());
}

void RkEngine::LoadMap() {
  std::string path;
  if (!ChooseFile(RkFileDialog::MapsFilter(), path)) {
    return;
  }
  mapEditor.SetMapName(RkPathParts::Stem(path).c_str());
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world.Clear();
  world.Load(path.c_str());
  renderer.ClearSprites();
  RebuildSprites();
}

void RkEngine::RebuildSprites() {
  for (int x = 0; x < world.GetWidth(); ++x) {
    for (int y = 0; y < world.GetHeight(); ++y) {
      renderer.AddSprite(world.GetTileImageFile(x, y), static_cast<float>(kCellSize * x),
                         static_cast<float>(kCellSize * y), kCellSize, kCellSize, 0, 0);
    }
  }
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    renderer.AddSprite(world.GetNPCImageFile(i), static_cast<float>(kCellSize * world.GetNPCX(i)),
                       static_cast<float>(kCellSize * world.GetNPCY(i)), kCellSize, kCellSize, 0, 1);
  }
}

void RkEngine::ClearMap() {
  mapEditor.SetMapName("");
  mapEditor.SetNewAreaLabel("");
  mapEditor.SetStartX("0");
  mapEditor.SetStartY("0");
  mapEditor.SetNPCSprite(nullptr);
  mapEditor.SetTileSprite(nullptr);
  mapEditor.SetNewAreaFile("");
  mapEditor.SetNPCImageFile("");
  mapEditor.SetTileImageFile("");
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world.Clear();
  renderer.ClearSprites();
}

void RkEngine::LoadTileSprite() {
  std::string path;
  if (!ChooseFile(RkFileDialog::SpritesFilter(), path)) {
    return;
  }
  mapEditor.SetTileImageFile(path.c_str());
  mapEditor.SetTileSprite(MakePreviewSprite(path.c_str(), RkMapEditor::kTilePreviewRect));
}

void RkEngine::LoadNewArea() {
  std::string path;
  if (!ChooseFile(RkFileDialog::MapsFilter(), path)) {
    return;
  }
  mapEditor.SetNewAreaFile(path.c_str());
  mapEditor.SetNewAreaLabel(RkPathParts::FileName(path).c_str());
}

// The preview is built once per new choice. An NPC without an image (or a name
// the list no longer holds) shows no preview rather than failing on an empty file.
void RkEngine::FollowNPCSelection() {
  const int selection = mapEditor.GetNPCSelection();
  if (selection < 0) {
    return;
  }
  const char* name = mapEditor.GetNPCName(selection);
  if (selectedMapNPC == name) {
    return;
  }
  selectedMapNPC = name;
  const RkNPC npc = npcList.FindNPC(name);
  mapEditor.SetNPCImageFile(npc.GetImageFile());
  if (npc.GetImageFile()[0] == '\0') {
    mapEditor.SetNPCSprite(nullptr);
    return;
  }
  mapEditor.SetNPCSprite(MakePreviewSprite(npc.GetImageFile(), RkMapEditor::kNPCPreviewRect));
}

std::unique_ptr<RkSprite> RkEngine::MakePreviewSprite(const char* imageFile,
                                                      const RkMapEditor::Rect& rect) {
  const RkVector3 center{0.0f, 0.0f, 0.0f};
  const RkVector3 position{static_cast<float>(rect.left), static_cast<float>(rect.top), 0.0f};
  return std::make_unique<RkSprite>(renderer.GetDevice(), imageFile, kCellSize, kCellSize, center,
                                    position, RK_COLOR_WHITE, 0, 0);
}

void RkEngine::PollNPCEditor() { npcEditor.Poll(npcList, renderer); }

// ---------------------------------------------------------------------------
// The map canvas.

bool RkEngine::IsLeftButtonDown() const { return (input.MouseState().rgbButtons[0] & RK_KEY_DOWN) != 0; }

// A press counts on the canvas only inside it, where no menu, panel or dialog
// lies under the cursor, and not while a button press taken by a modal box or
// dialog is still held.
bool RkEngine::IsCanvasClick() const {
  const bool insideCanvas = mouseX >= 0 && mouseX < width && mouseY >= 0 && mouseY < height - canvasTop;
  return IsLeftButtonDown() && insideCanvas && !pointerOverInterface && canvasArmed;
}

void RkEngine::HandleMapCanvas() {
  if (!IsCanvasClick()) {
    return;
  }
  const int choice = mapEditor.GetPaintingChoice();
  const int viewX = kCellSize * camera.GetX() + mouseX - mouseX % kCellSize;
  const int viewY = kCellSize * camera.GetY() + mouseY - mouseY % kCellSize;
  int cellX = 0;
  int cellY = 0;
  if (world.GetWidth() == 0 && world.GetHeight() == 0) {
    origin.SetPosition(viewX / kCellSize, viewY / kCellSize);
  } else {
    cellX = viewX / kCellSize - origin.GetX();
    cellY = viewY / kCellSize - origin.GetY();
  }
  ShowStatusTexts(cellX, cellY);
  if (WillPaint(choice) && !GrowToReach(cellX, cellY)) {
    return;
  }
  const float px = static_cast<float>(viewX);
  const float py = static_cast<float>(viewY);
  if (choice == RkMapEditor::ChoiceNull) {
    EraseCell(cellX, cellY, px, py);
  } else if (choice >= RkMapEditor::ChoiceOpen && choice <= RkMapEditor::ChoiceNewArea) {
    PaintCell(choice, cellX, cellY, px, py);
  } else if (choice == RkMapEditor::ChoiceNullNPC) {
    RemoveNPCs(cellX, cellY, px, py);
  } else if (choice == RkMapEditor::ChoiceNormalNPC || choice == RkMapEditor::ChoiceStaticNPC) {
    PlaceNPC(choice, cellX, cellY, px, py);
  }
}

void RkEngine::ShowStatusTexts(int cellX, int cellY) {
  char size[RkDirect3D::kTextCapacity];
  char position[RkDirect3D::kTextCapacity];
  std::snprintf(size, sizeof size, "World Size: %d, %d\n", world.GetWidth(), world.GetHeight());
  std::snprintf(position, sizeof position, "World Position: %d, %d\n", cellX, cellY);
  renderer.ClearTexts();
  renderer.AddText(size, 10, 10, 80, 18, kStatusColor);
  renderer.AddText(position, 10, 30, 80, 48, kStatusColor);
}

bool RkEngine::WillPaint(int choice) const {
  const bool paintsTile = mapEditor.GetTileSprite() != nullptr && choice >= RkMapEditor::ChoiceOpen &&
                          choice <= RkMapEditor::ChoiceNewArea;
  const bool placesNPC = mapEditor.GetNPCSprite() != nullptr &&
                         (choice == RkMapEditor::ChoiceNormalNPC || choice == RkMapEditor::ChoiceStaticNPC);
  return paintsTile || placesNPC;
}

// Grows the world so that the clicked cell is part of it and moves the origin so
// that the old cells keep their place on the canvas. A grid larger than any world
// file may hold is refused (the world could be saved but never loaded again):
// false, and the click paints nothing.
bool RkEngine::GrowToReach(int& cellX, int& cellY) {
  if (!world.IsInBounds(cellX, cellY)) {
    const int64_t newWidth = cellX < 0 ? int64_t{world.GetWidth()} - cellX
                                       : std::max<int64_t>(world.GetWidth(), int64_t{cellX} + 1);
    const int64_t newHeight = cellY < 0 ? int64_t{world.GetHeight()} - cellY
                                        : std::max<int64_t>(world.GetHeight(), int64_t{cellY} + 1);
    if (newWidth * newHeight > RkWorld::kMaxCells) {
      return false;
    }
    const RkGrowResult result = world.Grow(cellX, cellY);
    if (result == GrowLeft || result == GrowLeftAndUp) {
      origin.SetPosition(origin.GetX() + cellX, origin.GetY());
    }
    if (result == GrowUp || result == GrowLeftAndUp) {
      origin.SetPosition(origin.GetX(), origin.GetY() + cellY);
    }
  }
  cellX = std::max(cellX, 0);
  cellY = std::max(cellY, 0);
  return true;
}

void RkEngine::EraseCell(int cellX, int cellY, float viewX, float viewY) {
  if (!world.IsInBounds(cellX, cellY)) {
    return;
  }
  world.SetTileType(cellX, cellY, TileNull);
  world.SetTileImageFile(cellX, cellY, "");
  world.SetTileNewArea(cellX, cellY, "", 0, 0);
  renderer.RemoveTileSprites(viewX, viewY);
}

void RkEngine::PaintCell(int choice, int cellX, int cellY, float viewX, float viewY) {
  if (mapEditor.GetTileSprite() == nullptr) {
    return;
  }
  if (choice == RkMapEditor::ChoiceNewArea && mapEditor.GetNewAreaFile()[0] == '\0') {
    ShowModalNotice(kNoNewArea);
    return;
  }
  world.SetTileType(cellX, cellY, choice);
  world.SetTileImageFile(cellX, cellY, mapEditor.GetTileImageFile());
  if (choice == RkMapEditor::ChoiceNewArea) {
    world.SetTileNewArea(cellX, cellY, mapEditor.GetNewAreaFile(),
                         ReadStartCoordinate(mapEditor.GetStartX()),
                         ReadStartCoordinate(mapEditor.GetStartY()));
  }
  renderer.RemoveTileSprites(viewX, viewY);
  renderer.AddSprite(mapEditor.GetTileImageFile(), viewX, viewY, kCellSize, kCellSize, 0, 0);
}

void RkEngine::RemoveNPCs(int cellX, int cellY, float viewX, float viewY) {
  if (!world.IsInBounds(cellX, cellY)) {
    return;
  }
  world.RemoveNPCsAt(cellX, cellY);
  renderer.RemoveNpcSprites(viewX, viewY);
}

void RkEngine::PlaceNPC(int choice, int cellX, int cellY, float viewX, float viewY) {
  const int selection = mapEditor.GetNPCSelection();
  if (mapEditor.GetNPCSprite() == nullptr || selection < 0) {
    return;
  }
  world.SetNPC(mapEditor.GetNPCName(selection), cellX, cellY, mapEditor.GetNPCImageFile(),
               choice - RkMapEditor::ChoiceNullNPC);
  renderer.RemoveNpcSprites(viewX, viewY);
  renderer.AddSprite(mapEditor.GetNPCImageFile(), viewX, viewY, kCellSize, kCellSize, 0, 1);
}

int RkEngine::ReadStartCoordinate(const char* text) {
  const std::string digits(text, std::min(std::strlen(text), kStartCoordinateDigits));
  return std::atoi(digits.c_str());
}

// ---------------------------------------------------------------------------
// Keys and the frame.

bool RkEngine::IsKeyDown(const uint8_t* keys, uint8_t key) const {
  return (keys[key] & RK_KEY_DOWN) != 0 && !keysHeldForText[key];
}

// A key pressed while a text field has the keyboard belongs to the field until
// it is released, so that the Escape that ends an edit does not end the editor.
void RkEngine::UpdateKeysHeldForText(const uint8_t* keys) {
  const bool typing = ui.WantsTextInput();
  for (int key = 0; key < RK_KEY_TABLE_SIZE; ++key) {
    if ((keys[key] & RK_KEY_DOWN) == 0) {
      keysHeldForText[key] = false;
    } else if (typing) {
      keysHeldForText[key] = true;
    }
  }
}

void RkEngine::HoldKeysDown(const uint8_t* keys) {
  for (int key = 0; key < RK_KEY_TABLE_SIZE; ++key) {
    if ((keys[key] & RK_KEY_DOWN) != 0) {
      keysHeldForText[key] = true;
    }
  }
}

void RkEngine::HandleKeys() {
  const uint8_t* keys = input.KeyboardState();
  UpdateKeysHeldForText(keys);
  RkDirection direction = DirectionNone;
  if (IsKeyDown(keys, DIK_ESCAPE)) {
    running = 0;
  } else if (IsKeyDown(keys, DIK_LEFT)) {
    direction = DirectionLeft;
  } else if (IsKeyDown(keys, DIK_RIGHT)) {
    direction = DirectionRight;
  } else if (IsKeyDown(keys, DIK_UP)) {
    direction = DirectionUp;
  } else if (IsKeyDown(keys, DIK_DOWN)) {
    direction = DirectionDown;
  }
  camera.Move(direction);
}

void RkEngine::DrawFrame(RkFileDialog* dialog) {
  ui.BeginFrame();
  DrawMenuBar();
  mapEditor.Draw();
  if (npcEditor.IsOpen()) {
    npcEditor.Draw(renderer);
  }
  if (dialog != nullptr) {
    dialog->Draw();
  }
  ui.EndFrame();
  renderer.SetCanvasOrigin(0, canvasTop);
  const RkRect presentRect{0, 0, width, height};
  renderer.RenderFrame(&presentRect, 0, 0, camera.GetX(), camera.GetY());
}

void RkEngine::DrawMenuBar() {
  if (!ImGui::BeginMainMenuBar()) {
    return;
  }
  canvasTop = static_cast<int>(ImGui::GetWindowHeight());
  if (ImGui::BeginMenu("File")) {
    if (ImGui::MenuItem("Map Editor")) QueueMenuCommand(CommandMapEditor);
    if (ImGui::MenuItem("NPC Editor")) QueueMenuCommand(CommandNPCEditor);
    if (ImGui::MenuItem("Creature Editor")) QueueMenuCommand(CommandCreatureEditor);
    if (ImGui::MenuItem("Item Editor")) QueueMenuCommand(CommandItemEditor);
    if (ImGui::MenuItem("Exit")) QueueMenuCommand(CommandExit);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Help")) {
    if (ImGui::MenuItem("About")) QueueMenuCommand(CommandAbout);
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
}
