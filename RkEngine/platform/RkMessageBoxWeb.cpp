// RkMessageBox in a web page. A page has no blocking message box that the
// game could wait on inside the browser's frame callback, so the page shows
// the boxes itself (index.html defines Module.rkShowBox): a fatal report stays
// over the canvas, with the offer to play again, and the game ends there; a
// notice is a box the player closes while the game goes on. Standard error,
// where every report is written first, is the browser's console.
#include "RkMessageBox.h"

#include <emscripten.h>

#include <cstdio>

#include "RkError.h"
#include "RkNotice.h"
#include "RkQuestion.h"

namespace {

void ShowOnPage(const char* caption, const char* text, bool isFatal) {
  EM_ASM(
      {
        if (Module.rkShowBox) Module.rkShowBox(UTF8ToString($0), UTF8ToString($1), $2 != 0);
      },
      caption, text, isFatal ? 1 : 0);
}

// The report is on standard error already. The browser's frame callback must
// not run the game again: the runtime ends here with the report's exit code,
// whatever still keeps it alive (the main loop, a pending fetch).
void ShowFatalReport(const char* caption, const char* text) {
  ShowOnPage(caption, text, true);
  emscripten_cancel_main_loop();
  emscripten_force_exit(1);
}

void ShowNoticeOnPage(const std::string& text, const char* caption) {
  std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "", text.c_str());
  RkMessageBox::Show(text.c_str(), caption, false);
}

}  // namespace

bool RkMessageBox::IsDisplayAvailable() { return true; }

void RkMessageBox::Install() {
  SetFatalBoxHandler(&ShowFatalReport);
  SetNoticeHandler(&ShowNoticeOnPage);
  // The game asks nothing; a question would get the answer that changes
  // nothing, as where no box can be shown (RkQuestion's default).
  SetQuestionHandler(nullptr);
}

// A box that the player closes; the game is not held up meanwhile.
bool RkMessageBox::Show(const char* text, const char* caption, bool) {
  ShowOnPage(caption != nullptr ? caption : "Error", text, false);
  return true;
}

int RkMessageBox::Ask(const std::string& text, const char* caption, const std::vector<std::string>&,
                      int escapeAnswer) {
  std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "", text.c_str());
  return escapeAnswer;
}
