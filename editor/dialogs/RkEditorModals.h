// The editor's modal boxes (notices and questions) and its file dialog. The
// boxes have no owner window: after each one the main window takes the keyboard
// back, as an owned box would give it back, and the key or button press that a
// box or dialog took is not the editor's (afterModal tells the keys and the
// canvas so).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "RkFileDialog.h"

struct SDL_Renderer;
class RkEditorWindow;
class RkImGuiLayer;

class RkEditorModals {
 public:
  // Shows a file dialog with the filters; true with the chosen path, false (and
  // an empty path) when cancelled.
  using FileChooser = std::function<bool(const RkFileDialog::FilterList& filters, std::string& path)>;
  // Draws one frame of the editor with the dialog over it.
  using FrameDrawer = std::function<void(RkFileDialog* dialog)>;

  RkEditorModals(const char* caption, RkEditorWindow& window, RkImGuiLayer& ui, std::function<void()> afterModal,
                 FrameDrawer drawFrame);
  RkEditorModals(const RkEditorModals&) = delete;
  RkEditorModals& operator=(const RkEditorModals&) = delete;

  void ShowNotice(const char* text);
  // A question with the buttons; the chosen button's index.
  int Ask(const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer);
  // Modal: the editor's passes stop while the dialog is shown.
  bool ChooseFile(const RkFileDialog::FilterList& filters, std::string& path);
  // Tests choose their files without a dialog.
  void SetFileChooser(FileChooser chooser) { fileChooser = std::move(chooser); }
  // The renderer that draws a tile sheet's cells when Load Sprite's dialog
  // offers them.
  void SetSheetRenderer(SDL_Renderer* renderer) { sheetRenderer = renderer; }

 private:
  bool RunFileDialog(const RkFileDialog::FilterList& filters, std::string& path);

  const char* caption;
  RkEditorWindow& window;
  RkImGuiLayer& ui;
  std::function<void()> afterModal;
  FrameDrawer drawFrame;
  FileChooser fileChooser;
  SDL_Renderer* sheetRenderer = nullptr;
};
