// The editor's application object: start-up, the loop and its passes, the menu
// and the keys. The map panel's buttons act through RkMapEditorActions, clicks on
// the map canvas through RkMapCanvas.
#include "RkEngine.h"

#include <SDL.h>
#include <imgui.h>

#include <algorithm>
#include <cstring>

#include "RkMessageBox.h"
#include "RkNotice.h"

namespace {

constexpr const char* kAboutText = "Corvane's 2D Game Engine";
// How long an idle loop sleeps at most before it looks again.
constexpr int kIdleWaitMilliseconds = 1000;
// The mouse record counts the wheel in 120ths of a notch.
constexpr int kWheelNotch = 120;

}  // namespace

// The canvas and the panel's buttons show their notices and dialogs through the
// application object, which takes the keyboard and the mouse back after them.
RkEngine::RkEngine()
    : renderer(RkProgram::Editor),
      strokes(world, camera, origin, renderer, mapHistory),
      libraryChanges(npcList, libraryHistory),
      undo(mapHistory, libraryHistory, strokes),
      canvas(mapEditor, world, view, origin, renderer,
             [this](const char* text) { ShowModalNotice(text); }),
      mapActions(mapEditor, world, camera, origin, renderer, npcList,
                 [this](const RkFileDialog::FilterList& filters, std::string& path) {
                   return ChooseFile(filters, path);
                 },
                 [this](const char* text) { ShowModalNotice(text); }),
      recoveryOffer([this](const std::string& text, const std::vector<std::string>& buttons,
                           int escapeAnswer) { return AskModalQuestion(text, buttons, escapeAnswer); },
                    [this](const std::string& recoveryPath, const std::string& mapFile) {
                      OpenMapEditor();  // the panel shows the restored map's name
                      return mapActions.RestoreMap(recoveryPath, mapFile);
                    }) {
  now = [] { return static_cast<double>(SDL_GetPerformanceCounter()) / SDL_GetPerformanceFrequency(); };
  fileChooser = [this](const RkFileDialog::FilterList& filters, std::string& path) {
    return RunFileDialog(filters, path);
  };
  mapActions.SetMapSavedHandler([this](const std::string&) { DiscardRecovery(); });
  mapActions.SetMapLoadedHandler([this](const std::string& path) {
    recoveryOffer.OfferFor(RkRecoveryWriter::MapFileFor(mapEditor.GetMapName()), path);
  });
  canvas.SetRecorder(&strokes);
  mapActions.SetHistory(&mapHistory);
  npcEditor.SetRecorder(&libraryChanges);
  libraryChanges.SetRefresher([this](const std::string& name) { ShowLibraryAgain(name); });
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
  OfferRecovery();
  while (running != 0) {
    // An editor with nothing to do sleeps until the next event instead of
    // drawing the same frame again.
    if (IsIdle()) {
      window.WaitForEvent(kIdleWaitMilliseconds);
    }
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
  HandleCanvasView();
  HandleKeys();
  DrawFrame();
  KeepRecovery();
  NoteActivity(eventsThisPass > 0);
  return true;
}

void RkEngine::KeepRecovery() {
  recovery.Tick(world, RkRecoveryWriter::MapFileFor(mapEditor.GetMapName()), mapHistory);
}

void RkEngine::DiscardRecovery() { recovery.Discard(RkRecoveryWriter::MapFileFor(mapEditor.GetMapName())); }

bool RkEngine::OfferRecovery() { return recoveryOffer.OfferInFolder("."); }

// Input of any kind, a held key or button, a wheel turn or a queued command keep
// the loop drawing; only passes without any count as quiet.
void RkEngine::NoteActivity(bool eventsTaken) {
  const RkMouseState& mouse = input.MouseState();
  bool busy = eventsTaken || !pendingCommands.empty() || mouse.lZ != 0 || mouse.lX != 0 || mouse.lY != 0;
  for (const uint8_t button : mouse.rgbButtons) {
    busy = busy || (button & RK_KEY_DOWN) != 0;
  }
  const uint8_t* keys = input.KeyboardState();
  for (int key = 0; key < RK_KEY_TABLE_SIZE && !busy; ++key) {
    busy = (keys[key] & RK_KEY_DOWN) != 0;
  }
  quietPasses = busy ? 0 : quietPasses + 1;
}

// The window's events first (ImGui sees them all), then the menu commands chosen
// in the last frame, each as it is taken.
bool RkEngine::TakeMessages() {
  eventsThisPass = 0;
  if (!window.PumpMessages([this](const SDL_Event& event) {
        ++eventsThisPass;
        ui.ProcessEvent(event);
      })) {
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
  RkMapOverlay::Layers& layers = mapOverlay.GetLayers();
  switch (command) {
    case CommandViewGrid:
      layers.grid = !layers.grid;
      return true;
    case CommandViewCellKinds:
      layers.kinds = !layers.kinds;
      return true;
    case CommandViewLinks:
      layers.links = !layers.links;
      return true;
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
    case CommandUndo:
      undo.Undo();
      return true;
    case CommandRedo:
      undo.Redo();
      return true;
    default:  // the creature and item editors, and anything else, do nothing
      return true;
  }
}

void RkEngine::OpenMapEditor() {
  if (mapEditor.IsOpen()) {
    return;
  }
  ReloadUnchangedLibrary();
  mapActions.ForgetNPCSelection();
  mapEditor.Open();
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    mapEditor.AddNPCName(npcList.GetNPC(i).GetName());
  }
}

void RkEngine::OpenNPCEditor() {
  if (npcEditor.IsOpen()) {
    return;
  }
  ReloadUnchangedLibrary();
  npcEditor.Open(npcList);
}

// Opening a panel shows "NPCs.rk" as it is on disk, unless the NPC panel holds
// edits of the library that are not saved yet: those are never thrown away. The
// library's steps refer to the list they were made on: a list read afresh
// begins a new history.
// A library that cannot be read is a notice: the list stays as it was.
void RkEngine::ReloadUnchangedLibrary() {
  if (npcEditor.HasUnsavedLibrary()) return;
  if (const auto failure = npcList.TryLoadNPCFile()) {
    std::string cause = failure->GetSystemText();
    while (!cause.empty() && cause.back() == '\n') cause.pop_back();
    const std::string text = "The NPC library could not be read; the NPCs stay as they were:\nNPCs.rk\n" +
                             failure->GetMessage() + " " + cause;
    ShowModalNotice(text.c_str());
    return;
  }
  libraryHistory.Clear();
}

// After a library step is undone or redone: the NPC editor shows the list as it
// is now, with the step's NPC selected when it is still there.
void RkEngine::ShowLibraryAgain(const std::string& name) {
  if (!npcEditor.IsOpen()) {
    return;
  }
  npcEditor.Open(npcList);
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    if (name == npcList.GetNPC(i).GetName()) {
      npcEditor.GetNPCListBox().SetCurSel(static_cast<int>(i));
      return;
    }
  }
}

// The boxes have no owner window: the main window takes the keyboard back, as an
// owned box would give it back.
void RkEngine::ShowModalNotice(const char* text) {
  ShowNotice(text, kTitle);
  window.TakeFocus();
  AfterModal();
}

int RkEngine::AskModalQuestion(const std::string& text, const std::vector<std::string>&, int escapeAnswer) {
  ShowModalNotice(text.c_str());
  return escapeAnswer;
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
// The panels and the map canvas.

void RkEngine::PollMapEditor() {
  const std::size_t steps = mapHistory.GetPushCount();
  mapActions.Poll();
  if (mapHistory.GetPushCount() != steps) {
    undo.NoteWork(RkUndoControl::Area::Map);
  }
}

void RkEngine::PollNPCEditor() {
  const std::size_t steps = libraryHistory.GetPushCount();
  npcEditor.Poll(npcList, renderer);
  if (libraryHistory.GetPushCount() != steps) {
    undo.NoteWork(RkUndoControl::Area::Library);
  }
}

bool RkEngine::IsLeftButtonDown() const { return (input.MouseState().rgbButtons[0] & RK_KEY_DOWN) != 0; }

// A press counts on the canvas only inside it, where no menu, panel or dialog
// lies under the cursor, and not while a button press taken by a modal box or
// dialog is still held.
bool RkEngine::IsCanvasClick() const {
  return IsLeftButtonDown() && IsPointerOnCanvas() && canvasArmed && !IsPanning();
}

bool RkEngine::IsPointerOnCanvas() const {
  const bool insideCanvas = mouseX >= 0 && mouseX < width && mouseY >= 0 && mouseY < height - canvasTop;
  return insideCanvas && !pointerOverInterface;
}

// The middle button, or Space held with the left button, drags the view; Space
// typed into a text field is not held for the canvas.
bool RkEngine::IsPanning() const {
  const RkMouseState& mouse = input.MouseState();
  const bool spaceHeld = IsKeyDown(input.KeyboardState(), DIK_SPACE) && !ui.WantsTextInput();
  return (mouse.rgbButtons[2] & RK_KEY_DOWN) != 0 || (spaceHeld && IsLeftButtonDown());
}

void RkEngine::HandleCanvasView() {
  const RkMouseState& mouse = input.MouseState();
  if (mouse.lZ != 0 && IsPointerOnCanvas()) {
    view.ZoomAbout(mouse.lZ / kWheelNotch, mouseX, mouseY);
  }
  if (IsPanning() && (mouse.lX != 0 || mouse.lY != 0)) {
    view.PanBy(mouse.lX, mouse.lY);
  }
}

void RkEngine::HandleMapCanvas() {
  if (IsCanvasClick()) {
    undo.NoteWork(RkUndoControl::Area::Map);
    strokes.BeginStroke();
    canvas.Click(mouseX, mouseY);
  } else if (!IsLeftButtonDown() || !canvasArmed) {
    // Button down to button up is one step; a box that took the button ends it too.
    strokes.EndStroke();
  }
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

bool RkEngine::KeyWentDown(const uint8_t* keys, uint8_t key) const {
  return IsKeyDown(keys, key) && (previousKeys[key] & RK_KEY_DOWN) == 0;
}

RkDirection RkEngine::HeldArrow(const uint8_t* keys) const {
  if (IsKeyDown(keys, DIK_LEFT)) return DirectionLeft;
  if (IsKeyDown(keys, DIK_RIGHT)) return DirectionRight;
  if (IsKeyDown(keys, DIK_UP)) return DirectionUp;
  if (IsKeyDown(keys, DIK_DOWN)) return DirectionDown;
  return DirectionNone;
}

void RkEngine::ToggleLayerKeys(const uint8_t* keys) {
  if (KeyWentDown(keys, DIK_G)) HandleMenuCommand(CommandViewGrid);
  if (KeyWentDown(keys, DIK_K)) HandleMenuCommand(CommandViewCellKinds);
  if (KeyWentDown(keys, DIK_L)) HandleMenuCommand(CommandViewLinks);
}

// The arrows move the view one cell on a press and then at a steady pace while
// held, however fast the loop runs; Home goes back to 100 % with the map's cell
// (0, 0) at the canvas's corner.
void RkEngine::HandleKeys() {
  const uint8_t* keys = input.KeyboardState();
  UpdateKeysHeldForText(keys);
  HandleUndoKeys(keys);
  if (IsKeyDown(keys, DIK_ESCAPE)) {
    running = 0;
    arrowRepeat.StepsFor(DirectionNone, now());
  } else {
    ToggleLayerKeys(keys);
    if (KeyWentDown(keys, DIK_HOME)) view.Reset(origin.GetX(), origin.GetY());
    const RkDirection direction = HeldArrow(keys);
    for (int steps = arrowRepeat.StepsFor(direction, now()); steps > 0; --steps) {
      camera.Move(direction);
    }
  }
  std::copy(keys, keys + RK_KEY_TABLE_SIZE, previousKeys.begin());
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; while a text field has the keyboard they
// are the field's (its own undo), as every key held for it.
void RkEngine::HandleUndoKeys(const uint8_t* keys) {
  const bool control = IsKeyDown(keys, DIK_LCONTROL) || IsKeyDown(keys, DIK_RCONTROL);
  const bool shift = IsKeyDown(keys, DIK_LSHIFT) || IsKeyDown(keys, DIK_RSHIFT);
  undo.HandleKeys(control, shift, IsKeyDown(keys, DIK_Z), IsKeyDown(keys, DIK_Y));
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
  const bool onCanvas = IsPointerOnCanvas() && dialog == nullptr;
  mapOverlay.Draw(canvasTop, width, height - canvasTop,
                  std::strcmp(mapEditor.GetMapName(), RkMapOverlay::kStartMapName) == 0);
  canvasStatus.Draw(width, height, mouseX, mouseY, onCanvas);
  ui.EndFrame();
  undo.NoteFocusedWindow(ui.GetFocusedWindowName());
  renderer.SetCanvasOrigin(0, canvasTop);
  renderer.SetViewZoom(view.GetZoom(), view.GetPanX(), view.GetPanY());
  const RkRect presentRect{0, 0, width, height};
  renderer.RenderFrame(&presentRect, 0, 0, camera.GetX(), camera.GetY());
}

// Between File and Help; an item with nothing to take back is greyed out.
void RkEngine::DrawEditMenu() {
  if (!ImGui::BeginMenu("Edit")) {
    return;
  }
  const RkEditHistory& history = undo.Active();
  if (ImGui::MenuItem(undo.GetUndoItemText().c_str(), "Ctrl+Z", false, history.CanUndo())) {
    QueueMenuCommand(CommandUndo);
  }
  if (ImGui::MenuItem(undo.GetRedoItemText().c_str(), "Ctrl+Y", false, history.CanRedo())) {
    QueueMenuCommand(CommandRedo);
  }
  ImGui::EndMenu();
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
  DrawEditMenu();
  DrawViewMenu();
  if (ImGui::BeginMenu("Help")) {
    if (ImGui::MenuItem("About")) QueueMenuCommand(CommandAbout);
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
}

void RkEngine::DrawViewMenu() {
  if (!ImGui::BeginMenu("View")) {
    return;
  }
  const RkMapOverlay::Layers& layers = mapOverlay.GetLayers();
  if (ImGui::MenuItem("Grid", "G", layers.grid)) QueueMenuCommand(CommandViewGrid);
  if (ImGui::MenuItem("Cell Kinds", "K", layers.kinds)) QueueMenuCommand(CommandViewCellKinds);
  if (ImGui::MenuItem("Links and NPCs", "L", layers.links)) QueueMenuCommand(CommandViewLinks);
  ImGui::EndMenu();
}
