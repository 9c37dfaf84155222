// File > Game Settings...: a small window over the game's settings (the
// window's title, the first map, the player's start cell on it, the hero's
// image with a preview). Its fields are a draft of the settings; Save puts
// the draft into them and writes "Game.ini", Revert takes them back into the
// draft. Draw binds the widgets and records the buttons; Poll, outside the
// ImGui frame, acts on them (the file dialog and notices are modal).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "RkFileDialog.h"
#include "RkGameSettingsDocument.h"

class RkTexture;

class RkGameSettingsPanel {
 public:
  static constexpr const char* kTitle = "Game Settings";
  using FileChooser = std::function<bool(const RkFileDialog::FilterList& filters, std::string& path)>;
  using Notifier = std::function<void(const char* text)>;

  // The draft as plain values: tests set them as the widgets would.
  struct Draft {
    std::string title;
    std::string map;
    int32_t startX = 0;
    int32_t startY = 0;
    std::string playerImage;
  };

  RkGameSettingsPanel(RkGameSettingsDocument& settings, FileChooser chooseFile, Notifier notify);

  // Opens the window with the settings as they are.
  void Open();
  bool IsOpen() const { return open; }
  Draft& GetDraft() { return draft; }

  // The buttons, as a click records them for the next Poll.
  void ClickSave() { saveClicked = true; }
  void ClickRevert() { revertClicked = true; }
  void ClickChooseMap() { chooseMapClicked = true; }
  void ClickChooseImage() { chooseImageClicked = true; }
  void Poll();
  void Draw(SDL_Renderer* renderer);

 private:
  void TakeSettings();
  void Save();
  void DrawPreview(SDL_Renderer* renderer);

  RkGameSettingsDocument& settings;
  FileChooser chooseFile;
  Notifier notify;
  bool open = false;
  bool placeWindow = false;
  Draft draft;
  bool saveClicked = false;
  bool revertClicked = false;
  bool chooseMapClicked = false;
  bool chooseImageClicked = false;
  std::string previewFile;
  std::shared_ptr<RkTexture> preview;
};
