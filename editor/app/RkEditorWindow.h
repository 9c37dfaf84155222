// The editor's main window: one SDL window of 896 by 672 pixels titled
// "RkEngine" at the screen origin, with a caption and a close box but no resizing.
// Its whole client area holds the ImGui menu bar and, below it, the map canvas.
// RkEngine pumps its events each pass and asks it where the cursor is.
#pragma once

#include <functional>

struct SDL_Window;
union SDL_Event;

class RkEditorWindow {
 public:
  RkEditorWindow() = default;
  ~RkEditorWindow();
  RkEditorWindow(const RkEditorWindow&) = delete;
  RkEditorWindow& operator=(const RkEditorWindow&) = delete;

  // Opens the window; failures are fatal.
  void Create(const char* title, int width, int height);
  SDL_Window* GetHandle() const { return handle; }

  // Takes every queued event and hands it to the listener (ImGui's backend).
  // False when the desktop asked the editor to end: the window's close box or a
  // quit request. The request is remembered, so later calls say false at once.
  bool PumpMessages(const std::function<void(const SDL_Event&)>& listener);
  // Sleeps until an event is queued (left in the queue) or the time is up.
  void WaitForEvent(int timeoutMilliseconds);
  // Asks the editor to end, like closing the window (File > Exit).
  void PostQuit() { quitRequested = true; }
  bool IsQuitRequested() const { return quitRequested; }
  // The user chose to keep working (unsaved changes): the request is dropped.
  void CancelQuit() { quitRequested = false; }
  void SetTitle(const char* title);
  // Gives the keyboard back to the window after a message box without owner
  // closed (the desktop may leave it with nobody).
  void TakeFocus();
  // The cursor in window pixels (client area), possibly outside it.
  void GetCursorPosition(int& x, int& y) const;

 private:
  SDL_Window* handle = nullptr;
  bool quitRequested = false;
};
