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
}

// SDL's own box needs the X server's core fonts, which many desktops lack.
bool RkMessageBox::Show(const char* text, const char* caption, bool isError) {
  const Uint32 flags = isError ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  const char* title = caption != nullptr ? caption : "Error";
  if (SDL_ShowSimpleMessageBox(flags, title, text, nullptr) == 0) return true;
  RkFallbackMessageBox box(title, text);
  return box.Show();
}
