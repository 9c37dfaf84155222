// Dear ImGui for the editor: context, SDL backends, frames, and the questions the
// editor's loop asks about the pointer and the keyboard.
#include "RkImGuiLayer.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <imgui_internal.h>

RkImGuiLayer::~RkImGuiLayer() {
  if (!initialized) {
    return;
  }
  ImGui_ImplSDLRenderer_Shutdown();
  if (hasPlatformBackend) {
    ImGui_ImplSDL2_Shutdown();
  }
  ImGui::DestroyContext();
}

// No imgui.ini: the editor writes nothing into its working directory but maps
// and "NPCs.rk"; the panels are placed by the editor on every opening anyway.
void RkImGuiLayer::CreateContext() {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  ImGui::StyleColorsLight();
  ImGuiStyle& style = ImGui::GetStyle();
  style.WindowRounding = 0.0f;
  // The file dialog is opaque, like the system's, over the panels it covers.
  style.Colors[ImGuiCol_PopupBg].w = 1.0f;
  initialized = true;
}

void RkImGuiLayer::Initialize(SDL_Window* window, SDL_Renderer* renderer) {
  CreateContext();
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  this->window = window;
  ImGui_ImplSDLRenderer_Init(renderer);
  hasPlatformBackend = true;
}

void RkImGuiLayer::InitializeOffscreen(SDL_Renderer* renderer, int width, int height) {
  CreateContext();
  ImGui_ImplSDLRenderer_Init(renderer);
  offscreenWidth = width;
  offscreenHeight = height;
}

// Escape pressed in a text field never reaches ImGui, which would throw away
// what was typed: the edit ends keeping it.
void RkImGuiLayer::ProcessEvent(const SDL_Event& event, bool inDialog) {
  const bool escape = (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) &&
                      event.key.keysym.scancode == SDL_SCANCODE_ESCAPE;
  if (escape && !inDialog && WantsTextInput()) {
    if (event.type == SDL_KEYDOWN) EndTextEdit();
    return;
  }
  if (hasPlatformBackend) {
    ImGui_ImplSDL2_ProcessEvent(&event);
  }
}

void RkImGuiLayer::SetPointer(float x, float y, bool leftButtonDown) {
  ImGuiIO& io = ImGui::GetIO();
  io.MousePos = ImVec2(x, y);
  io.MouseDown[0] = leftButtonDown;
}

void RkImGuiLayer::BeginFrame() {
  ImGui_ImplSDLRenderer_NewFrame();
  if (hasPlatformBackend) {
    ImGui_ImplSDL2_NewFrame();
    TakePointerFromWindow();
  } else {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(offscreenWidth), static_cast<float>(offscreenHeight));
    io.DeltaTime = 1.0f / 60.0f;
  }
  ImGui::NewFrame();
  if (endTextEdit) {
    ImGui::ClearActiveID();
    endTextEdit = false;
  }
  if (closeMenus) {
    if (GImGui->OpenPopupStack.Size > 0) ImGui::ClosePopupToLevel(0, true);
    closeMenus = false;
  }
}

// The backend reads the pointer through SDL's global mouse state, which on X11
// SDL keeps between the server's raw motion events: after the file dialog (typed
// into, closed with Return) it stayed on the Load Sprite button, so every plain
// move over the canvas still hovered the panel and the status bar named no cell
// until the next click. The window's own mouse state follows every motion event
// and is the one the canvas uses, so ImGui and the canvas agree on the pointer.
void RkImGuiLayer::TakePointerFromWindow() {
  if (window == nullptr || SDL_GetMouseFocus() != window) {
    return;
  }
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  ImGui::GetIO().MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
}

void RkImGuiLayer::EndFrame() { ImGui::Render(); }

void RkImGuiLayer::RenderDrawData() { ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData()); }

// io.WantTextInput trails the widgets by up to two frames; the active text field
// of the last frame answers at once.
bool RkImGuiLayer::WantsTextInput() const {
  if (!initialized) {
    return false;
  }
  const ImGuiContext& context = *GImGui;
  return context.ActiveId != 0 && context.InputTextState.ID == context.ActiveId;
}

bool RkImGuiLayer::HasOpenMenu() const { return initialized && GImGui->OpenPopupStack.Size > 0; }

std::string RkImGuiLayer::GetFocusedWindowName() const {
  if (!initialized || GImGui->NavWindow == nullptr) {
    return "";
  }
  return GImGui->NavWindow->RootWindow->Name;
}

// Between frames a window's Active flag tells whether it was drawn in the last
// frame; its rectangle is where it was drawn.
bool RkImGuiLayer::IsPointerOverInterface(int x, int y) const {
  if (!initialized) {
    return false;
  }
  if (ImGui::GetIO().WantCaptureMouse) {
    return true;
  }
  const ImVec2 point(static_cast<float>(x), static_cast<float>(y));
  for (const ImGuiWindow* window : GImGui->Windows) {
    const bool shown = window->Active && !window->Hidden;
    const bool topLevel = (window->Flags & ImGuiWindowFlags_ChildWindow) == 0;
    if (shown && topLevel && window->Rect().Contains(point)) {
      return true;
    }
  }
  return false;
}

int RkImGuiLayer::GetMenuBarHeight() const {
  if (!initialized) {
    return 0;
  }
  // Before the first frame no font is current yet: ImGui's default font is 13 pixels.
  const float fontSize = GImGui->FontSize > 0.0f ? GImGui->FontSize : 13.0f;
  return static_cast<int>(fontSize + ImGui::GetStyle().FramePadding.y * 2.0f);
}
