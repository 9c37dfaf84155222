// The editor's main window on SDL (RkEngine::Run creates it first of all).
#include "RkEditorWindow.h"

#include <SDL.h>

#include <set>

#include "RkError.h"
#include "RkSdlError.h"
#include "RkVideo.h"

namespace {
constexpr const char* kSource = "RkEngine";
// Keys by scancode and mouse buttons by a number beyond every scancode.
constexpr int kButtonBase = SDL_NUM_SCANCODES;

void RememberPress(const SDL_Event& event, std::set<int>& pressed) {
  if (event.type == SDL_KEYDOWN) {
    pressed.insert(event.key.keysym.scancode);
  } else if (event.type == SDL_MOUSEBUTTONDOWN) {
    pressed.insert(kButtonBase + event.button.button);
  }
}

bool IsReleaseOf(const SDL_Event& event, const std::set<int>& pressed) {
  if (event.type == SDL_KEYUP) {
    return pressed.count(event.key.keysym.scancode) != 0;
  }
  if (event.type == SDL_MOUSEBUTTONUP) {
    return pressed.count(kButtonBase + event.button.button) != 0;
  }
  return false;
}
constexpr int kRegisterClassLine = 224;
constexpr int kCreateWindowLine = 100;
}  // namespace

RkEditorWindow::~RkEditorWindow() {
  if (handle != nullptr) {
    SDL_DestroyWindow(handle);
    handle = nullptr;
  }
}

// SDL's event start-up stands where the system registered the window class;
// a display that cannot be reached fails the window's creation.
void RkEditorWindow::Create(const char* title, int width, int height) {
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
    ReportWin32Error("Failed to register the window class.", RkSdlError::Text().c_str(), kSource,
                             kRegisterClassLine);
  }
  if (RkVideo::Start() == 0) handle = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_SHOWN);
  if (handle == nullptr) {
    ReportWin32Error("Failed to create the window.", RkSdlError::Text().c_str(), kSource,
                             kCreateWindowLine);
  }
}

// ImGui 1.86 reads keys and buttons as states once per frame: a press and its
// release taken in the same pass would cancel out and the click or key would be
// lost. So a pass stops taking events before the release of something pressed
// in that same pass; the release waits in the queue for the next pass.
bool RkEditorWindow::PumpMessages(const std::function<void(const SDL_Event&)>& listener) {
  std::set<int> pressedThisPass;
  SDL_PumpEvents();
  SDL_Event event;
  while (!quitRequested && SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    if (IsReleaseOf(event, pressedThisPass)) {
      break;
    }
    SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    RememberPress(event, pressedThisPass);
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

void RkEditorWindow::SetTitle(const char* title) {
  if (handle != nullptr) {
    SDL_SetWindowTitle(handle, title);
  }
}

void RkEditorWindow::TakeFocus() {
  if (handle != nullptr) {
    SDL_RaiseWindow(handle);
    SDL_SetWindowInputFocus(handle);
  }
}

// SDL follows the pointer through the window's motion events, also while a
// button held on the canvas drags it outside the window.
void RkEditorWindow::GetCursorPosition(int& x, int& y) const { SDL_GetMouseState(&x, &y); }

void RkEditorWindow::WaitForEvent(int timeoutMilliseconds) { SDL_WaitEventTimeout(nullptr, timeoutMilliseconds); }
