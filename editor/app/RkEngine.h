// The editor's application object: it owns the main window with its menu, the map
// editor and NPC editor panels, the renderer, the input, the map document (the
// world being edited with its camera, origin, file and history) and the NPC list
// of "NPCs.rk". Run opens the
// window and runs the loop; each pass takes the window's events and the menu's
// commands, reads the input, polls the open panels (the map panel's buttons act
// through RkMapEditorActions), hands a click on the canvas to RkMapCanvas, moves
// the camera with the arrow keys and draws one frame with the panels over it.
// The parts of a pass are public so that tests drive them as the loop does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "RkCanvasPointer.h"
#include "RkCanvasStatus.h"
#include "RkCanvasView.h"
#include "RkCheckMapsWindow.h"
#include "RkDirect3D.h"
#include "RkEditHistory.h"
#include "RkEditorKeys.h"
#include "RkEditorMenuBar.h"
#include "RkEditorModals.h"
#include "RkEditorWindow.h"
#include "RkEntity.h"
#include "RkExportGameWindow.h"
#include "RkFileDialog.h"
#include "RkGameSettingsDocument.h"
#include "RkGameSettingsPanel.h"
#include "RkImGuiLayer.h"
#include "RkInput.h"
#include "RkLibraryRecorder.h"
#include "RkLinkedMapsMover.h"
#include "RkMapCanvas.h"
#include "RkMapDocument.h"
#include "RkMapEditor.h"
#include "RkMapEditorActions.h"
#include "RkMapOverlay.h"
#include "RkMapSprites.h"
#include "RkMapTools.h"
#include "RkMenuCommands.h"
#include "RkNPCEditor.h"
#include "RkNPCList.h"
#include "RkImageWatch.h"
#include "RkPanelOpener.h"
#include "RkPlaytestControl.h"
#include "RkRecoveryOffer.h"
#include "RkRecoveryWriter.h"
#include "RkTilePalette.h"
#include "RkToolKeys.h"
#include "RkToolPreview.h"
#include "RkToolStrip.h"
#include "RkUndoControl.h"
#include "RkUnsavedWork.h"
#include "RkWorld.h"

class RkEngine : public RkMenuCommands {
 public:
  static constexpr int kWidth = 896;
  static constexpr int kHeight = 672;
  static constexpr const char* kTitle = "RkEngine";

  using FileChooser = RkEditorModals::FileChooser;

  RkEngine();
  virtual ~RkEngine();
  RkEngine(const RkEngine&) = delete;
  RkEngine& operator=(const RkEngine&) = delete;

  // Opens the window, starts the renderer and the input, then loops until
  // Escape, File > Exit or the window's close box (after asking about unsaved work).
  void Run();
  // Starts the renderer on an offscreen surface of the window's size, ImGui
  // without a platform backend and the input without devices (tests).
  void InitializeOffscreen();

  // One pass of the loop; false when the editor must end at once (close box,
  // File > Exit, with nothing unsaved or the user's leave), before the rest of the pass.
  bool RunPass();
  bool IsRunning() const { return running != 0; }

  // The parts of a pass, in the order RunPass calls them.
  bool TakeMessages();
  void ReadInput();
  // The cursor in window pixels gives the mouse position in canvas pixels and
  // whether an interface window lies under it.
  void PlaceCursor(int windowX, int windowY);
  void PollMapEditor();
  void PollNPCEditor();
  void HandleMapCanvas();
  // Zoom with the wheel, pan with the middle button (or Space and the left
  // button) dragged on the canvas.
  void HandleCanvasView();
  void HandleKeys();
  // Images changed on disk are decoded again (about twice a second, and when
  // the window gets the focus back).
  void WatchImages();
  // A thumbnail clicked in the tile palette becomes the tile image.
  void TakePalettePick();
  // Builds the ImGui frame (menu bar, open panels, the dialog if any) and draws
  // the map with it.
  void DrawFrame(RkFileDialog* dialog = nullptr);

  // Acts on a menu command as the loop takes it; false for File > Exit.
  bool HandleMenuCommand(int command);
  // The menu's choices wait here until the next pass takes them.
  void QueueMenuCommand(int command) { pendingCommands.push_back(command); }
  // The map cell under the pointer; false when the pointer is not over a cell
  // of the map on the canvas.
  bool HoveredMapCell(int& cellX, int& cellY) const;

  // A question in a box with the editor's caption; the chosen button's index.
  // The editor takes the keyboard and the mouse back after it, as after a notice.
  int AskModalQuestion(const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer);

  // The panels' file dialog; modal: the loop stops while it is shown.
  bool ChooseFile(const RkFileDialog::FilterList& filters, std::string& path);
  void SetFileChooser(FileChooser chooser) { modals.SetFileChooser(std::move(chooser)); }

  RkMapEditor& GetMapEditor() { return mapEditor; }
  RkNPCEditor& GetNPCEditor() { return npcEditor; }
  RkDirect3D& GetRenderer() { return renderer; }
  RkInput& GetInput() { return input; }
  RkMapDocument& GetMapDocument() { return document; }
  // The edited map's parts, for tests and benchmarks that set a map up directly.
  RkWorld& GetWorld() { return document.GetState().GetWorld(); }
  RkEntity& GetCamera() { return document.GetCamera(); }
  RkEntity& GetOrigin() { return document.GetState().GetOrigin(); }
  RkCanvasView& GetView() { return view; }
  RkMapOverlay& GetMapOverlay() { return mapOverlay; }
  RkTilePalette& GetTilePalette() { return tilePalette; }
  const RkCanvasStatus& GetCanvasStatus() const { return canvasStatus; }
  const RkMapCanvas& GetMapCanvas() const { return canvas; }
  RkMapTools& GetMapTools() { return tools; }
  // Seconds on a steady clock; tests set their own to drive the image watch and the recovery writes.
  void SetClock(std::function<double()> clock) { now = std::move(clock); }
  // Nothing happened in the last passes: the loop may wait for the next event.
  bool IsIdle() const { return quietPasses >= kQuietPassesBeforeWaiting; }
  RkNPCList& GetNPCList() { return npcList; }
  RkImGuiLayer& GetInterface() { return ui; }
  int GetMouseX() const { return pointer.GetX(); }
  int GetMouseY() const { return pointer.GetY(); }
  int GetCanvasTop() const { return canvasTop; }
  const std::string& GetSelectedMapNPC() const { return mapActions.GetSelectedMapNPC(); }
  // The map's history (strokes, Clear Map) and the NPC library's.
  RkEditHistory& GetMapHistory() { return document.GetHistory(); }
  RkEditHistory& GetLibraryHistory() { return libraryHistory; }
  RkUndoControl& GetUndoControl() { return undo; }
  const RkImGuiLayer& GetInterface() const { return ui; }
  const RkUndoControl& GetUndoControl() const { return undo; }
  // "RkEngine - World.rkm *" while the map is unsaved.
  const std::string& GetWindowTitle() const { return shownTitle; }
  RkCheckMapsWindow& GetCheckMapsWindow() { return checkMaps; }
  RkGameSettingsDocument& GetGameSettings() { return gameSettings; }
  RkGameSettingsPanel& GetGameSettingsPanel() { return settingsPanel; }
  RkPlaytestControl& GetPlaytests() { return playtests; }
  RkExportGameWindow& GetExportGameWindow() { return exportGame; }

  // The recovery file of the map: kept while it is unsaved (the last part of a
  // pass), removed when the work no longer needs it (a save, "Don't Save"), and
  // offered on start for the maps of the working folder and after Load Map.
  void KeepRecovery();
  void DiscardRecovery();
  bool OfferRecovery();
  RkRecoveryWriter& GetRecovery() { return recovery; }

 private:
  // The game program built beside the editor, which File > Export Game exports.
  static std::string GameProgram();
  // The web build's game folder, which File > Export Game exports for the web.
  static std::string WebGame();
  void ToggleTilePalette();
  void ShowModalNotice(const char* text);
  // Escape, File > Exit and the close box end the editor only once the
  // unsaved work is saved or given up.
  bool MayEnd();
  void HandleEscape();
  // The user chose Don't Save for the map: what was kept for it in case of a
  // crash goes too.
  void ForgetUnsavedWork();
  void ShowTitle();
  // The map's save writes the game's settings too when they changed (a growth
  // of the first map, Set Start Here).
  void SaveSettingsWithMap();
  RkCanvasPointer::Hooks PointerHooks();

  // Whether this pass saw input or a change that the next frames must show.
  void NoteActivity(bool eventsTaken);
  // A modal box or dialog took the last button or key presses.
  void AfterModal();
  // Wakes a loop that waits for events (from the playtest's watching thread).
  static void WakeLoop();

  int32_t running = 1;
  RkEditorWindow window;
  RkMapEditor mapEditor;
  RkNPCEditor npcEditor;
  RkDirect3D renderer;
  RkInput input;
  RkMapDocument document;
  // The canvas's sprites follow the document's changes.
  RkMapSprites mapSprites{document, renderer};
  RkNPCList npcList;
  RkEditHistory libraryHistory;
  RkLibraryRecorder libraryChanges;
  RkUndoControl undo{document, libraryHistory};
  RkCanvasView view{document.GetCamera()};
  RkMapCanvas canvas;
  RkMapEditorActions mapActions;
  RkPanelOpener panels{mapEditor, mapActions, npcEditor, npcList, libraryHistory,
                       [this](const char* text) { ShowModalNotice(text); }};
  RkUnsavedWork unsavedWork{document.GetHistory(), mapActions, npcEditor, npcList};
  std::string shownTitle = kTitle;
  RkLinkedMapsMover linkedMaps{
      [this](const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer) {
        return AskModalQuestion(text, buttons, escapeAnswer);
      },
      [this](const char* text) { ShowModalNotice(text); }};
  RkCheckMapsWindow checkMaps{document.GetWorld(), view, document.GetOrigin(),
                              [this](const std::string& path) { return mapActions.LoadMapFile(path); }};
  RkExportGameWindow exportGame{GameProgram(), [this] { return unsavedWork.MayExport(); }, WebGame()};
  RkMapOverlay mapOverlay{document.GetWorld(), view, document.GetOrigin()};
  RkCanvasStatus canvasStatus{document.GetWorld(), view, document.GetOrigin()};
  RkTilePalette tilePalette;
  RkGameSettingsDocument gameSettings;
  std::string settingsProblems = gameSettings.Read();
  RkGameSettingsPanel settingsPanel{
      gameSettings, [this](const RkFileDialog::FilterList& filters, std::string& path) { return ChooseFile(filters, path); },
      [this](const char* text) { ShowModalNotice(text); }};
  RkPlaytestControl playtests{document, gameSettings, &RkEngine::WakeLoop,
                              [this](const char* text) { ShowModalNotice(text); }};
  RkImageWatch imageWatch;
  RkEditorMenuBar menuBar{undo, mapOverlay, tilePalette, [this](int command) { QueueMenuCommand(command); }};
  RkEditorKeys keys{ui,
                    undo,
                    view,
                    document,
                    [this](int command) { HandleMenuCommand(command); }};
  RkCanvasPointer pointer{input, view, canvas, document, kWidth, canvasTop, kHeight, PointerHooks()};
  // The tools beside the brush: their keys, their strip and what they show.
  RkMapTools tools{mapEditor, document, view, [this](const char* text) { ShowModalNotice(text); },
                   [this](const std::string& path) { mapActions.UseTileImage(path); }};
  RkToolKeys toolKeys{keys, mapEditor, tools};
  RkToolStrip toolStrip{mapEditor, [this](RkToolStrip::Action action) { toolKeys.Run(action); }};
  RkToolPreview toolPreview{tools, view, document.GetOrigin()};
  int32_t width = kWidth;
  int32_t height = kHeight;

  RkImGuiLayer ui;
  RkEditorModals modals{kTitle, window, ui, [this] { AfterModal(); },
                        [this](RkFileDialog* dialog) { DrawFrame(dialog); }};
  std::vector<int> pendingCommands;
  int canvasTop = 0;
  std::function<double()> now;
  RkRecoveryWriter recovery{[this] { return now(); }};
  RkRecoveryOffer recoveryOffer;
  // ImGui settles hover and focus a frame or two after the last event.
  static constexpr int kQuietPassesBeforeWaiting = 3;
  int quietPasses = 0;
  int eventsThisPass = 0;
};
