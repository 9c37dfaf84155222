// The report and notice box of our own, for desktops where SDL cannot show its
// box (an X server without core fonts, the usual case on Wayland desktops): a
// small window with the caption as its title, the text line by line in the
// font the renderer uses, and an OK button. Return, Escape, Space, a click on
// OK or the window's close button dismiss it.
#pragma once

#include <string>
#include <vector>

#include <SDL.h>

typedef struct _TTF_Font TTF_Font;

class RkFallbackMessageBox {
 public:
  RkFallbackMessageBox(const char* caption, const char* text);
  RkFallbackMessageBox(const RkFallbackMessageBox&) = delete;
  RkFallbackMessageBox& operator=(const RkFallbackMessageBox&) = delete;
  ~RkFallbackMessageBox();

  // Opens the window and waits until it is dismissed; false (and nothing
  // shown) when no window, renderer or font can be had.
  bool Show();

  // The layout for a font: the box's size and the OK button follow the text.
  // Show does this itself; tests call it to draw offscreen.
  bool Prepare(TTF_Font* textFont);
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  SDL_Rect GetOkButton() const { return okButton; }
  // Draws the whole box at the renderer's origin.
  void Draw(SDL_Renderer* renderer) const;
  // True for the events that dismiss the box shown in the window windowId.
  bool Dismisses(const SDL_Event& event, Uint32 windowId) const;

  static constexpr int kFontHeight = 16;

 private:
  struct Line {
    SDL_Surface* image;  // null for an empty line
    int height;
  };

  void ReleaseLines();
  void DrawButton(SDL_Renderer* renderer) const;
  void DrawImage(SDL_Renderer* renderer, SDL_Surface* image, int x, int y) const;
  bool RunWindow(SDL_Window* window, SDL_Renderer* renderer);

  std::string caption;
  std::string text;
  TTF_Font* font = nullptr;
  std::vector<Line> lines;
  SDL_Surface* okLabel = nullptr;
  int width = 0;
  int height = 0;
  SDL_Rect okButton{0, 0, 0, 0};
};
