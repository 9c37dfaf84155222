// The editor's application object: start-up, the loop and its passes, the menu
// and the keys. The map panel's buttons act through RkMapEditorActions, clicks on
// the map canvas through RkMapCanvas; RkPanelOpener opens the panels on the NPC
// library, RkEditorModals shows the boxes and the file dialog.
#include "RkEngine.h"

#include <SDL.h>
#include <imgui.h>

#include <algorithm>
#include <cstring>

#include "RkMessageBox.h"
#include "RkSaveLeftovers.h"

namespace {

constexpr const char* kAboutText = "Corvane's 2D Game Engine";
// The tool strip stands at the canvas's right edge, clear of the map panel.
constexpr float kToolStripRight = 4.0f;
constexpr float kToolStripTop = 8.0f;
// How long an idle loop sleeps at most before it looks again.
constexpr int kIdleWaitMilliseconds = 1000;

}  // namespace

// The canvas and the panel's buttons show their notices and dialogs through the
// application object, which takes the keyboard and the mouse back after them.
RkEngine::RkEngine()
    : renderer(RkProgram::Editor),
      libraryChanges(npcList, libraryHistory),
      canvas(mapEditor, document, view, renderer, [this](const char* text) { ShowModalNotice(text); }),
      mapActions(mapEditor, document, renderer, npcList,
                 [this](const RkFileDialog::FilterList& filters, std::string& path) {
                   return ChooseFile(filters, path);
                 },
                 [this](const char* text) { ShowModalNotice(text); }),
      recoveryOffer([this](const std::string& text, const std::vector<std::string>& buttons,
                           int escapeAnswer) { return AskModalQuestion(text, buttons, escapeAnswer); },
                    [this](const std::string& recoveryPath, const std::string& mapFile) {
                      panels.OpenMapEditor();  // the panel shows the restored map's name
                      return mapActions.RestoreMap(recoveryPath, mapFile);
                    }) {
  now = [] { return static_cast<double>(SDL_GetPerformanceCounter()) / SDL_GetPerformanceFrequency(); };
  mapActions.SetMapSavedHandler([this](const std::string&) {
    DiscardRecovery();
    SaveSettingsWithMap();
  });
  document.SetCellsMovedListener(
      [this](const std::string& file, int32_t dx, int32_t dy) { gameSettings.FollowCells(file, dx, dy); });
  mapActions.SetMapLoadedHandler([this](const std::string& path) {
    recoveryOffer.OfferFor(RkRecoveryWriter::MapFileFor(mapActions.GetSaveTarget()), path);
  });
  document.SetChangeListener([this](const RkMapDocument::Change& change) {
    mapSprites.Follow(change);
    tools.NoteMapChanged();
  });
  pointer.SetTools(&tools);
  // Undo and Redo act where the user made the last step.
  document.GetHistory().SetPushListener([this] { undo.NoteWork(RkUndoControl::Area::Map); });
  libraryHistory.SetPushListener([this] { undo.NoteWork(RkUndoControl::Area::Library); });
  mapActions.SetLinkedMapsMover(&linkedMaps);
  npcEditor.SetRecorder(&libraryChanges);
  libraryChanges.SetRefresher([this](const std::string& name) { panels.ShowLibraryAgain(name); });
  npcEditor.SetFileChooser(
      [this](std::string& path) { return ChooseFile(RkFileDialog::SpritesFilter(), path); });
  const auto ask = [this](const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer) {
    return AskModalQuestion(text, buttons, escapeAnswer);
  };
  mapActions.SetQuestionAsker(ask);
  mapActions.SetReplaceGuard([this] { return unsavedWork.MayReplaceMap(); });
  checkMaps.SetMapUnsavedQuery([this] { return unsavedWork.IsMapUnsaved(); });
  // The zoom stays as the user set it; the camera and the pan within a cell go.
  mapActions.SetViewReset([this] {
    view.ShowAt(double{RkGridMath::kCellSize} * document.GetOrigin().GetX(),
                double{RkGridMath::kCellSize} * document.GetOrigin().GetY());
  });
  unsavedWork.SetQuestionAsker(ask);
  unsavedWork.SetDiscardListener([this] { ForgetUnsavedWork(); });
}

RkEngine::~RkEngine() { renderer.SetOverlay(nullptr); }

void RkEngine::Run() {
  SetRunningProgram(RkProgram::Editor);
  RkMessageBox::Install();
  window.Create(kTitle, width, height);
  renderer.Initialize(window.GetHandle());
  ui.Initialize(window.GetHandle(), renderer.GetDevice());
  modals.SetSheetRenderer(renderer.GetDevice());
  renderer.SetOverlay([this] { ui.RenderDrawData(); });
  canvasTop = ui.GetMenuBarHeight();
  input.Create();
  input.CreateKeyboard(window.GetHandle());
  input.CreateMouse(window.GetHandle());
  RkSaveLeftovers::RemoveInFolder("");  // what saves killed half-way left here
  OfferRecovery();
  if (!settingsProblems.empty()) {
    ShowModalNotice(("Game.ini has mistakes; the game will not start until they are fixed.\n\n" + settingsProblems).c_str());
  }
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
  checkMaps.Poll(width, height - canvasTop);
  exportGame.Poll();
  HandleCanvasView();
  HandleKeys();
  playtests.Poll();
  settingsPanel.Poll();
  TakePalettePick();
  WatchImages();
  ShowTitle();
  DrawFrame();
  KeepRecovery();
  NoteActivity(eventsThisPass > 0);
  return true;
}

void RkEngine::KeepRecovery() {
  recovery.Tick(document.GetWorld(), RkRecoveryWriter::MapFileFor(mapActions.GetSaveTarget()), document.GetHistory());
}

void RkEngine::DiscardRecovery() { recovery.Discard(RkRecoveryWriter::MapFileFor(mapActions.GetSaveTarget())); }

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
// in the last frame, each as it is taken. The close box asks about unsaved work
// first; kept, the editor goes on with the rest of the pass.
bool RkEngine::TakeMessages() {
  eventsThisPass = 0;
  if (!window.PumpMessages([this](const SDL_Event& event) {
        ++eventsThisPass;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          imageWatch.NoteFocusGained();
        }
        if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET) {
          renderer.ForgetDrawnTiles();
        }
        ui.ProcessEvent(event);
      })) {
    if (MayEnd()) return false;
    window.CancelQuit();
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
  keys.AfterRead(input.KeyboardState());
}

// The Escape that cancels a file dialog or closes a box is still down when the
// loop reads the keys again: it belongs to the dialog, not to the editor. Nor does
// the button press that a box or dialog took paint on the canvas.
void RkEngine::AfterModal() {
  pointer.Disarm();
  keys.HoldOnNextRead();
}

void RkEngine::PlaceCursor(int windowX, int windowY) { pointer.Place(windowX, windowY); }

// Space typed into a text field is not held for the canvas.
RkCanvasPointer::Hooks RkEngine::PointerHooks() {
  return {[this](int windowX, int windowY) { return ui.IsPointerOverInterface(windowX, windowY); },
          [this] { return keys.IsDown(input.KeyboardState(), DIK_SPACE) && !ui.WantsTextInput(); },
          [this] { undo.NoteWork(RkUndoControl::Area::Map); }};
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
    case CommandViewTilePalette:
      ToggleTilePalette();
      return true;
    case CommandMapEditor:
      panels.OpenMapEditor();
      return true;
    case CommandNPCEditor:
      panels.OpenNPCEditor();
      return true;
    case CommandExit:
      if (!MayEnd()) return true;
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
    case CommandCheckMaps:
      checkMaps.Open();
      return true;
    case CommandExportGame:
      exportGame.Open();
      return true;
    case CommandGameSettings:
      settingsPanel.Open();
      return true;
    case CommandPlaytest:
    case CommandSetStartHere: {
      int cellX = 0;
      int cellY = 0;
      const bool onMap = HoveredMapCell(cellX, cellY);
      if (command == CommandPlaytest) {
        playtests.Playtest(onMap, cellX, cellY);
      } else {
        playtests.SetStartHere(onMap, cellX, cellY);
        undo.NoteWork(RkUndoControl::Area::Map);
      }
      return true;
    }
    default:  // the creature and item editors, and anything else, do nothing
      return true;
  }
}

std::string RkEngine::GameProgram() { return RK_GAME_PROGRAM; }

std::string RkEngine::WebGame() { return RK_WEB_GAME; }

// The palette paints through the map panel's tile image: opening it opens the
// panel too when it is closed.
void RkEngine::ToggleTilePalette() {
  if (tilePalette.IsOpen()) {
    tilePalette.Close();
    return;
  }
  panels.OpenMapEditor();
  tilePalette.Open();
}

void RkEngine::TakePalettePick() {
  const RkTilePalette::Picked pick = tilePalette.TakePick();
  if (!pick.path.empty() && mapEditor.IsOpen()) mapActions.UseTileBlock(pick.path, pick.columns, pick.rows);
}

bool RkEngine::HoveredMapCell(int& cellX, int& cellY) const {
  if (!pointer.IsOnCanvas()) return false;
  canvasStatus.MapCellAt(pointer.GetX(), pointer.GetY(), cellX, cellY);
  return document.GetWorld().IsInBounds(cellX, cellY);
}

void RkEngine::SaveSettingsWithMap() {
  if (!gameSettings.IsUnsaved()) return;
  if (std::optional<RkFailure> failure = gameSettings.Save()) {
    const std::string text = "The map was saved, but Game.ini could not be.\n" + failure->GetMessage() + "\n" +
                             failure->GetSystemText();
    ShowModalNotice(text.c_str());
  }
}

void RkEngine::WakeLoop() {
  SDL_Event event{};
  event.type = SDL_USEREVENT;
  SDL_PushEvent(&event);
}

void RkEngine::WatchImages() { imageWatch.CheckIfDue(now()); }

void RkEngine::ShowModalNotice(const char* text) { modals.ShowNotice(text); }

int RkEngine::AskModalQuestion(const std::string& text, const std::vector<std::string>& buttons,
                               int escapeAnswer) {
  return modals.Ask(text, buttons, escapeAnswer);
}

bool RkEngine::ChooseFile(const RkFileDialog::FilterList& filters, std::string& path) {
  return modals.ChooseFile(filters, path);
}

// ---------------------------------------------------------------------------
// The panels and the map canvas.

void RkEngine::PollMapEditor() { mapActions.Poll(); }

void RkEngine::PollNPCEditor() { npcEditor.Poll(npcList, renderer); }

void RkEngine::HandleCanvasView() { pointer.HandleView(); }

void RkEngine::HandleMapCanvas() { pointer.HandleClick(); }

// ---------------------------------------------------------------------------
// Keys and the frame.

// Escape drops a paste being placed or a selection before anything else.
void RkEngine::HandleKeys() {
  const bool escape = !keys.Handle(input.KeyboardState());
  toolKeys.Handle(input.KeyboardState());
  if (escape && !(mapEditor.IsOpen() && tools.Escape())) {
    HandleEscape();
  }
}

// Escape closes an open menu first (boxes, dialogs and text fields take their
// own Escape); with nothing open it ends the editor.
void RkEngine::HandleEscape() {
  if (ui.HasOpenMenu()) {
    ui.CloseMenus();
  } else if (MayEnd()) {
    running = 0;
  }
}

// A stroke still being painted becomes a step first, so that it counts as unsaved.
bool RkEngine::MayEnd() {
  document.EndStroke();
  return unsavedWork.MayEnd();
}

// "Don't Save": the work is given up, and so is its recovery file.
void RkEngine::ForgetUnsavedWork() { DiscardRecovery(); }

// Set only when it changes: the desktop redraws the caption on every set.
void RkEngine::ShowTitle() {
  std::string title = unsavedWork.GetTitle(kTitle);
  if (title != shownTitle) {
    shownTitle = std::move(title);
    window.SetTitle(shownTitle.c_str());
  }
}

void RkEngine::DrawFrame(RkFileDialog* dialog) {
  ui.BeginFrame();
  if (const int menuHeight = menuBar.Draw()) {
    canvasTop = menuHeight;
  }
  mapEditor.Draw();
  if (mapEditor.IsOpen()) {
    toolStrip.Draw(static_cast<float>(width) - RkToolStrip::kWidth - kToolStripRight,
                   static_cast<float>(canvasTop) + kToolStripTop);
  }
  tilePalette.Draw(renderer.GetDevice(), mapEditor.GetTileImageFile(), mapEditor.IsOpen());
  if (npcEditor.IsOpen()) {
    npcEditor.Draw(renderer);
  }
  checkMaps.Draw();
  settingsPanel.Draw(renderer.GetDevice());
  exportGame.Draw();
  if (dialog != nullptr) {
    dialog->Draw();
  }
  const bool onCanvas = pointer.IsOnCanvas() && dialog == nullptr;
  const std::string mapFile =
      document.GetFile().empty() ? std::string(mapEditor.GetMapName()) + ".rkm" : document.GetFile();
  mapOverlay.SetStartCell(gameSettings.Get().GetStartX(), gameSettings.Get().GetStartY());
  mapOverlay.Draw(canvasTop, width, height - canvasTop, gameSettings.IsFirstMap(mapFile));
  if (mapEditor.IsOpen()) toolPreview.Draw(canvasTop, width, height - canvasTop, renderer.GetDevice());
  const std::string& toolHint = tools.GetHint();
  canvasStatus.Draw(width, height, pointer.GetX(), pointer.GetY(), onCanvas,
                    mapEditor.IsOpen() ? (toolHint.empty() ? canvas.GetHint() : toolHint) : std::string(),
                    mapEditor.IsOpen() ? tools.Describe() : std::string());
  ui.EndFrame();
  undo.NoteFocusedWindow(ui.GetFocusedWindowName());
  renderer.SetCanvasOrigin(0, canvasTop);
  renderer.SetViewZoom(view.GetZoom(), view.GetPanX(), view.GetPanY());
  const RkRect presentRect{0, 0, width, height};
  renderer.RenderFrame(&presentRect, 0, 0, document.GetCamera().GetX(), document.GetCamera().GetY());
}
