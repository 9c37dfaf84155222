// The report and notice box of our own, for desktops where SDL cannot show its
// box (an X server without core fonts, the usual case on Wayland desktops): a
// small window with the caption as its title, the text line by line in the
// font the renderer uses, and an OK button (or the buttons of a question).
// Return and Space take the first button, a click takes its button, Escape and
// the window's close button give the escape answer.
#pragma once

#include <string>
#include <vector>

#include <SDL.h>

typedef struct _TTF_Font TTF_Font;

class RkFallbackMessageBox {
 public:
  RkFallbackMessageBox(const char* caption, const char* text);
  // A question: the buttons left to right, and the answer of Escape and the close button.
  RkFallbackMessageBox(const char* caption, const char* text, std::vector<std::string> buttons, int escapeAnswer);
  RkFallbackMessageBox(const RkFallbackMessageBox&) = delete;
  RkFallbackMessageBox& operator=(const RkFallbackMessageBox&) = delete;
  ~RkFallbackMessageBox();

  // Opens the window and waits until it is dismissed; false (and nothing
  // shown) when no window, renderer or font can be had.
  bool Show();
  // The button that dismissed the box shown last.
  int GetAnswer() const { return answer; }

  // The layout for a font: the box's size and the OK button follow the text.
  // Show does this itself; tests call it to draw offscreen.
  bool Prepare(TTF_Font* textFont);
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  SDL_Rect GetOkButton() const { return buttonRects.empty() ? SDL_Rect{0, 0, 0, 0} : buttonRects.back(); }
  SDL_Rect GetButton(int index) const { return buttonRects.at(static_cast<size_t>(index)); }
  // Draws the whole box at the renderer's origin.
  void Draw(SDL_Renderer* renderer) const;
  // True for the events that dismiss the box shown in the window windowId.
  bool Dismisses(const SDL_Event& event, Uint32 windowId) const { return AnswerFor(event, windowId) >= 0; }
  // The button an event chooses in the box shown in windowId; -1 for none.
  int AnswerFor(const SDL_Event& event, Uint32 windowId) const;

  static constexpr int kFontHeight = 16;

 private:
  struct Line {
    SDL_Surface* image;  // null for an empty line
    int height;
  };

  void ReleaseLines();
  void DrawButton(SDL_Renderer* renderer, size_t index) const;
  void LayOutButtons(int top);
  void DrawImage(SDL_Renderer* renderer, SDL_Surface* image, int x, int y) const;
  bool RunWindow(SDL_Window* window, SDL_Renderer* renderer);

  std::string caption;
  std::string text;
  TTF_Font* font = nullptr;
  std::vector<Line> lines;
  std::vector<std::string> buttons{"OK"};
  int escapeAnswer = 0;
  int answer = 0;
  std::vector<SDL_Surface*> buttonLabels;
  std::vector<SDL_Rect> buttonRects;
  int width = 0;
  int height = 0;
};
