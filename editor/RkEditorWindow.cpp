// The editor's main window on SDL (RkEngine::Run creates it first of all).
#include "RkEditorWindow.h"

#include <SDL.h>

#include "RkError.h"

namespace {
constexpr const char* kSource = "RkEngine";
constexpr int kRegisterClassLine = 224;
constexpr int kCreateWindowLine = 100;
}  // namespace

RkEditorWindow::~RkEditorWindow() {
  if (handle != nullptr) {
    SDL_DestroyWindow(handle);
    handle = nullptr;
  }
}

// SDL's video start-up stands where the system registered the window class.
void RkEditorWindow::Create(const char* title, int width, int height) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    ReportWin32Error("Failed to register the window class.", kSource, kRegisterClassLine);
  }
  handle = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_SHOWN);
  if (handle == nullptr) {
    ReportWin32Error("Failed to create the window.", kSource, kCreateWindowLine);
  }
}

bool RkEditorWindow::PumpMessages(const std::function<void(const SDL_Event&)>& listener) {
  SDL_Event event;
  while (!quitRequested && SDL_PollEvent(&event) != 0) {
    listener(event);
    const bool closeBox = event.type == SDL_WINDOWEVENT &&
                          event.window.event == SDL_WINDOWEVENT_CLOSE &&
                          event.window.windowID == SDL_GetWindowID(handle);
    if (event.type == SDL_QUIT || closeBox) {
      quitRequested = true;
    }
  }
  return !quitRequested;
}

// The global cursor keeps working while a button held on the canvas is dragged
// outside the window.
void RkEditorWindow::GetCursorPosition(int& x, int& y) const {
  int windowX = 0;
  int windowY = 0;
  SDL_GetWindowPosition(handle, &windowX, &windowY);
  int screenX = 0;
  int screenY = 0;
  SDL_GetGlobalMouseState(&screenX, &screenY);
  x = screenX - windowX;
  y = screenY - windowY;
}
