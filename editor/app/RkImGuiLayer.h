// The editor's binding of Dear ImGui: one context drawn through SDL_Renderer after
// the map and before the present. On a window it uses ImGui's SDL backends; on
// the offscreen renderer of tests it has no platform backend and the test places
// the pointer itself. RkEngine asks it whether the pointer or the keyboard belong
// to the interface rather than to the canvas.
#pragma once

#include <string>

struct SDL_Renderer;
struct SDL_Window;
union SDL_Event;

class RkImGuiLayer {
 public:
  RkImGuiLayer() = default;
  ~RkImGuiLayer();
  RkImGuiLayer(const RkImGuiLayer&) = delete;
  RkImGuiLayer& operator=(const RkImGuiLayer&) = delete;

  void Initialize(SDL_Window* window, SDL_Renderer* renderer);
  void InitializeOffscreen(SDL_Renderer* renderer, int width, int height);
  bool IsInitialized() const { return initialized; }

  // Window mode: hands one SDL event to ImGui. In a modal dialog Escape goes to
  // ImGui even from a text field: it cancels the dialog, whose typed path is no
  // work to keep.
  void ProcessEvent(const SDL_Event& event, bool inDialog = false);
  // Offscreen mode: the pointer in window pixels and the left button.
  void SetPointer(float x, float y, bool leftButtonDown);

  // Frame building: widgets are submitted between the two calls.
  void BeginFrame();
  void EndFrame();
  // Draws the frame's ImGui data with the renderer (the renderer's overlay).
  void RenderDrawData();

  // A text field has the keyboard: keys go to it, not to the editor.
  bool WantsTextInput() const;
  // A menu (or another popup) of the last frame is open.
  bool HasOpenMenu() const;
  // Escape's work inside the interface, done as the next frame begins: the
  // text field being edited lets go of the keyboard and keeps what was typed
  // (ImGui's own Escape would put back the text from before the edit); the
  // open menus close.
  void EndTextEdit() { endTextEdit = true; }
  void CloseMenus() { closeMenus = true; }
  // The title of the window that has the keyboard focus (the one the user
  // clicked or typed in last); empty when none has it.
  std::string GetFocusedWindowName() const;
  // Whether the point (window pixels) lies on a menu, panel or dialog of the last
  // frame, or ImGui holds the mouse (a button pressed on a widget and still
  // held, an open menu or popup).
  bool IsPointerOverInterface(int x, int y) const;
  // Height of the main menu bar: the canvas starts below it.
  int GetMenuBarHeight() const;

 private:
  void CreateContext();
  void TakePointerFromWindow();

  bool initialized = false;
  bool hasPlatformBackend = false;
  SDL_Window* window = nullptr;
  bool endTextEdit = false;
  bool closeMenus = false;
  int offscreenWidth = 0;
  int offscreenHeight = 0;
};
