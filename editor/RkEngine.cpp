// The editor's application object: start-up, the loop and its passes, the menu
// and the keys. The map panel's buttons act through RkMapEditorActions, clicks on
// the map canvas through RkMapCanvas.
#include "RkEngine.h"

#include <imgui.h>

#include "RkMessageBox.h"
#include "RkNotice.h"

namespace {

constexpr const char* kAboutText = "Corvane's 2D Game Engine";

}  // namespace

// The canvas and the panel's buttons show their notices and dialogs through the
// application object, which takes the keyboard and the mouse back after them.
RkEngine::RkEngine()
    : renderer(RkProgram::Editor),
      canvas(mapEditor, world, camera, origin, renderer,
             [this](const char* text) { ShowModalNotice(text); }),
      mapActions(mapEditor, world, camera, origin, renderer, npcList,
                 [this](const RkFileDialog::FilterList& filters, std::string& path) {
                   return ChooseFile(filters, path);
                 },
                 [this](const char* text) { ShowModalNotice(text); }) {
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
// The panels and the map canvas.

void RkEngine::PollMapEditor() { mapActions.Poll(); }

void RkEngine::PollNPCEditor() { npcEditor.Poll(npcList, renderer); }

bool RkEngine::IsLeftButtonDown() const { return (input.MouseState().rgbButtons[0] & RK_KEY_DOWN) != 0; }

// A press counts on the canvas only inside it, where no menu, panel or dialog
// lies under the cursor, and not while a button press taken by a modal box or
// dialog is still held.
bool RkEngine::IsCanvasClick() const {
  const bool insideCanvas = mouseX >= 0 && mouseX < width && mouseY >= 0 && mouseY < height - canvasTop;
  return IsLeftButtonDown() && insideCanvas && !pointerOverInterface && canvasArmed;
}

void RkEngine::HandleMapCanvas() {
  if (IsCanvasClick()) {
    canvas.Click(mouseX, mouseY);
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
