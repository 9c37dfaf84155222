#include "RkEditorModals.h"

#include <SDL.h>

#include <cstring>

#include "RkEditorWindow.h"
#include "RkImGuiLayer.h"
#include "RkNotice.h"
#include "RkQuestion.h"

RkEditorModals::RkEditorModals(const char* caption, RkEditorWindow& window, RkImGuiLayer& ui,
                               std::function<void()> afterModal, FrameDrawer drawFrame)
    : caption(caption),
      window(window),
      ui(ui),
      afterModal(std::move(afterModal)),
      drawFrame(std::move(drawFrame)),
      fileChooser([this](const RkFileDialog::FilterList& filters, std::string& path) {
        return RunFileDialog(filters, path);
      }) {}

void RkEditorModals::ShowNotice(const char* text) {
  ::ShowNotice(text, caption);
  window.TakeFocus();
  afterModal();
}

int RkEditorModals::Ask(const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer) {
  const int answer = AskQuestion(text, caption, buttons, escapeAnswer);
  window.TakeFocus();
  afterModal();
  return answer;
}

bool RkEditorModals::ChooseFile(const RkFileDialog::FilterList& filters, std::string& path) {
  const bool chosen = fileChooser(filters, path);
  afterModal();
  if (!chosen) {
    path.clear();
  }
  return chosen;
}

// The dialog's own loop: the editor's passes stop while it is up, but the window
// keeps drawing. Closing the main window cancels the dialog; the next pass asks
// about unsaved work before the editor ends.
bool RkEditorModals::RunFileDialog(const RkFileDialog::FilterList& filters, std::string& path) {
  RkFileDialog dialog;
  dialog.Open(filters);
  // Load Sprite (the map panel's or the NPC editor's) may take one cell of a sheet.
  if (!filters.empty() && std::strcmp(filters[0].description, RkFileDialog::SpritesFilter()[0].description) == 0) {
    dialog.OfferSheetCells(sheetRenderer);
  }
  while (dialog.GetState() == RkFileDialog::State::Choosing) {
    if (!window.PumpMessages([this](const SDL_Event& event) { ui.ProcessEvent(event, true); })) {
      dialog.Cancel();
      break;
    }
    drawFrame(&dialog);
  }
  if (dialog.GetState() != RkFileDialog::State::Chosen) {
    return false;
  }
  path = dialog.GetChosenPath();
  return true;
}
