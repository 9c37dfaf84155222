// The game's one window: borderless, at the screen origin, titled "Ember Hollow"
// unless the game's settings name another title.
// The renderer draws into it and the keyboard is bound to it. The editor builds
// its own window and does not use this class.
#pragma once

struct SDL_Window;

class RkWindow {
 public:
  static constexpr const char* kTitle = "Ember Hollow";

  RkWindow();
  // Releases nothing: the window lives until the process ends.
  virtual ~RkWindow();
  RkWindow(const RkWindow&) = delete;
  RkWindow& operator=(const RkWindow&) = delete;

  // Opens the window (the game passes 640 by 480). Only one may exist in a
  // process: a second Create is fatal, as is a window the system refuses.
  void Create(int width, int height, const char* title = kTitle);
  SDL_Window* GetHandle() const { return handle; }

  // Takes every queued SDL event; a close request from the desktop (the window's
  // close or a quit) is remembered. The game's loop calls this once per pass
  // and ends when CloseRequested() is true, as it does on Escape.
  void PumpMessages();
  bool CloseRequested() const { return closeRequested; }

 private:
  [[noreturn]] static void ReportWindowFailure();

  SDL_Window* handle = nullptr;
  bool closeRequested = false;
};
