// SDL message boxes behind the fatal reports and notices.
#include "RkMessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "RkError.h"
#include "RkNotice.h"

namespace {

void ShowFatalBox(const char* caption, const char* text) {
  if (RkMessageBox::IsDisplayAvailable()) RkMessageBox::Show(text, caption, true);
}

void ShowNoticeBox(const std::string& text, const char* caption) {
  if (!RkMessageBox::IsDisplayAvailable()) {
    std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "",
                 caption != nullptr ? ": " : "", text.c_str());
    return;
  }
  RkMessageBox::Show(text.c_str(), caption, false);
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

void RkMessageBox::Show(const char* text, const char* caption, bool isError) {
  const Uint32 flags = isError ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(flags, caption != nullptr ? caption : "Error", text, nullptr) != 0) {
    std::fprintf(stderr, "%s\n", text);
  }
}
