// The game's window on SDL: one borderless window per process, left to live
// until the process ends, as the game expects.
#include "RkWindow.h"

#include <SDL.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "RkError.h"
#include "RkSdlError.h"
#include "RkVideo.h"

namespace {

// The one window of the process has been made (SDL's counterpart of the
// registered window class, which a second window cannot register again).
bool windowClassTaken = false;

}  // namespace

RkWindow::RkWindow() = default;

RkWindow::~RkWindow() = default;

// Without a display the window cannot be made: SDL's text says which driver
// found none.
void RkWindow::Create(int width, int height, const char* title) {
  if (windowClassTaken) {
    const std::string taken = std::string(std::strerror(EEXIST)) + "\n";
    ReportWin32Error("Failed to register the window class.", taken.c_str(), "RkWindow", 69);
  }
  windowClassTaken = true;
  if (RkVideo::Start() != 0) ReportWindowFailure();
  handle = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
  if (handle == nullptr) ReportWindowFailure();
}

void RkWindow::ReportWindowFailure() {
  ReportWin32Error("Failed to create the window.", RkSdlError::Text().c_str(), "RkWindow", 86);
}

void RkWindow::PumpMessages() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (event.type == SDL_QUIT) closeRequested = true;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE && handle != nullptr &&
        event.window.windowID == SDL_GetWindowID(handle)) {
      closeRequested = true;
    }
  }
}
