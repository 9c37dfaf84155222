// SDL message boxes behind the fatal reports and notices.
#include "RkMessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "RkError.h"
#include "RkFallbackMessageBox.h"
#include "RkNotice.h"
#include "RkQuestion.h"

namespace {

// The report is on standard error already; the box only shows it.
void ShowFatalBox(const char* caption, const char* text) {
  if (RkMessageBox::IsDisplayAvailable()) RkMessageBox::Show(text, caption, true);
}

// A notice that no box can show goes to standard error instead.
void ShowNoticeBox(const std::string& text, const char* caption) {
  if (RkMessageBox::IsDisplayAvailable() && RkMessageBox::Show(text.c_str(), caption, false)) return;
  std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "", text.c_str());
}

// A question that no box can show changes nothing: it gets the escape answer.
int AskWithBox(const std::string& text, const char* caption, const std::vector<std::string>& buttons,
               int escapeAnswer) {
  if (RkMessageBox::IsDisplayAvailable()) return RkMessageBox::Ask(text, caption, buttons, escapeAnswer);
  std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "", text.c_str());
  return escapeAnswer;
}

}  // namespace

bool RkMessageBox::IsDisplayAvailable() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) {
    return false;
  }
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

void RkMessageBox::Install() {
  SetFatalBoxHandler(&ShowFatalBox);
  SetNoticeHandler(&ShowNoticeBox);
  SetQuestionHandler(&AskWithBox);
}

// SDL's own box needs the X server's core fonts, which many desktops lack.
bool RkMessageBox::Show(const char* text, const char* caption, bool isError) {
  const Uint32 flags = isError ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  const char* title = caption != nullptr ? caption : "Error";
  if (SDL_ShowSimpleMessageBox(flags, title, text, nullptr) == 0) return true;
  RkFallbackMessageBox box(title, text);
  return box.Show();
}

// SDL lists the buttons in the order given; the first is the one Return takes.
int RkMessageBox::Ask(const std::string& text, const char* caption, const std::vector<std::string>& buttons,
                      int escapeAnswer) {
  const char* title = caption != nullptr ? caption : "Question";
  std::vector<SDL_MessageBoxButtonData> data;
  for (size_t i = 0; i < buttons.size(); ++i) {
    Uint32 flags = 0;
    if (i == 0) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (static_cast<int>(i) == escapeAnswer) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back(SDL_MessageBoxButtonData{flags, static_cast<int>(i), buttons[i].c_str()});
  }
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT, nullptr, title, text.c_str(),
                               static_cast<int>(data.size()), data.data(), nullptr};
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) == 0) {
    // SDL answers -1 when the box's window was closed.
    return chosen >= 0 ? chosen : escapeAnswer;
  }
  RkFallbackMessageBox fallback(title, text.c_str(), buttons, escapeAnswer);
  return fallback.Show() ? fallback.GetAnswer() : escapeAnswer;
}
