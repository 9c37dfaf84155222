// Our own message box: an SDL window with a renderer, the text drawn with
// SDL_ttf in the renderer's font, and its buttons in a row at the bottom right.
#include "RkFallbackMessageBox.h"

#include <SDL_ttf.h>

#include <algorithm>

#include "RkFontFinder.h"
#include "RkVideo.h"

namespace {

constexpr int kMargin = 16;
constexpr int kMinWidth = 280;
// Longer lines wrap, so a report with a long image path still fits a screen.
constexpr int kMaxTextWidth = 760;
constexpr int kButtonGap = 14;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;
constexpr SDL_Color kTextColor{0, 0, 0, 255};
constexpr SDL_Color kBackground{240, 240, 240, 255};
constexpr SDL_Color kButtonFace{225, 225, 225, 255};
constexpr SDL_Color kButtonBorder{0, 120, 215, 255};
// While the box waits, the window is redrawn at this pace at most (covered
// and uncovered windows need it without a compositor).
constexpr int kWaitMilliseconds = 100;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    // The system text's own carriage return shows as nothing.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Texts are UTF-8 here; a single-byte text that is not (a name typed on
// another system) is drawn as Latin-1 rather than not at all.
SDL_Surface* RenderLine(TTF_Font* font, const std::string& line) {
  SDL_Surface* image = TTF_RenderUTF8_Blended_Wrapped(font, line.c_str(), kTextColor, kMaxTextWidth);
  if (image == nullptr) image = TTF_RenderText_Blended_Wrapped(font, line.c_str(), kTextColor, kMaxTextWidth);
  return image;
}

void SetColor(SDL_Renderer* renderer, SDL_Color color) {
  SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
}

// The renderer's face at its 16-pixel line height.
TTF_Font* OpenFont() {
  const std::string path = RkFontFinder::Find("Arial");
  TTF_Font* font = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), RkFallbackMessageBox::kFontHeight);
  for (int size = RkFallbackMessageBox::kFontHeight - 1;
       font != nullptr && size > 1 && TTF_FontHeight(font) > RkFallbackMessageBox::kFontHeight; --size) {
    TTF_SetFontSize(font, size);
  }
  return font;
}

// The window an event is meant for; 0 for events of the whole program.
Uint32 WindowOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEWHEEL:
      return event.wheel.windowID;
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_TEXTINPUT:
      return event.text.windowID;
    default:
      return 0;
  }
}

}  // namespace

RkFallbackMessageBox::RkFallbackMessageBox(const char* caption, const char* text)
    : caption(caption != nullptr ? caption : ""), text(text != nullptr ? text : "") {}

RkFallbackMessageBox::RkFallbackMessageBox(const char* caption, const char* text, std::vector<std::string> buttons,
                                           int escapeAnswer)
    : caption(caption != nullptr ? caption : ""),
      text(text != nullptr ? text : ""),
      buttons(std::move(buttons)),
      escapeAnswer(escapeAnswer),
      answer(escapeAnswer) {
  if (this->buttons.empty()) this->buttons.push_back("OK");
}

RkFallbackMessageBox::~RkFallbackMessageBox() { ReleaseLines(); }

void RkFallbackMessageBox::ReleaseLines() {
  for (Line& line : lines) SDL_FreeSurface(line.image);
  lines.clear();
  for (SDL_Surface* label : buttonLabels) SDL_FreeSurface(label);
  buttonLabels.clear();
  buttonRects.clear();
}

// Each button is wide enough for its label; the row ends at the right margin.
void RkFallbackMessageBox::LayOutButtons(int top) {
  int rowWidth = 0;
  for (SDL_Surface* label : buttonLabels) {
    rowWidth += std::max(kButtonWidth, label->w + kMargin) + kButtonGap;
  }
  width = std::max(width, rowWidth - kButtonGap + 2 * kMargin);
  int x = width - kMargin - (rowWidth - kButtonGap);
  for (SDL_Surface* label : buttonLabels) {
    const int buttonWidth = std::max(kButtonWidth, label->w + kMargin);
    buttonRects.push_back(SDL_Rect{x, top, buttonWidth, kButtonHeight});
    x += buttonWidth + kButtonGap;
  }
}

bool RkFallbackMessageBox::Prepare(TTF_Font* textFont) {
  ReleaseLines();
  font = textFont;
  if (font == nullptr) return false;
  int textWidth = 0;
  int textHeight = 0;
  for (const std::string& part : SplitLines(text)) {
    Line line{part.empty() ? nullptr : RenderLine(font, part), TTF_FontLineSkip(font)};
    if (line.image != nullptr) {
      line.height = line.image->h;
      textWidth = std::max(textWidth, line.image->w);
    }
    textHeight += line.height;
    lines.push_back(line);
  }
  for (const std::string& button : buttons) {
    SDL_Surface* label = TTF_RenderUTF8_Blended(font, button.c_str(), kTextColor);
    if (label == nullptr) return false;
    buttonLabels.push_back(label);
  }
  width = std::max(kMinWidth, textWidth + 2 * kMargin);
  const int buttonTop = kMargin + textHeight + kButtonGap;
  LayOutButtons(buttonTop);
  height = buttonTop + kButtonHeight + kMargin;
  return true;
}

void RkFallbackMessageBox::DrawImage(SDL_Renderer* renderer, SDL_Surface* image, int x, int y) const {
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, image);
  if (texture == nullptr) return;
  const SDL_Rect target{x, y, image->w, image->h};
  SDL_RenderCopy(renderer, texture, nullptr, &target);
  SDL_DestroyTexture(texture);
}

void RkFallbackMessageBox::DrawButton(SDL_Renderer* renderer, size_t index) const {
  const SDL_Rect& button = buttonRects[index];
  SDL_Surface* label = buttonLabels[index];
  SetColor(renderer, kButtonFace);
  SDL_RenderFillRect(renderer, &button);
  SetColor(renderer, kButtonBorder);
  SDL_RenderDrawRect(renderer, &button);
  DrawImage(renderer, label, button.x + (button.w - label->w) / 2, button.y + (button.h - label->h) / 2);
}

void RkFallbackMessageBox::Draw(SDL_Renderer* renderer) const {
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SetColor(renderer, kBackground);
  SDL_RenderClear(renderer);
  int y = kMargin;
  for (const Line& line : lines) {
    if (line.image != nullptr) DrawImage(renderer, line.image, kMargin, y);
    y += line.height;
  }
  for (size_t i = 0; i < buttonRects.size(); ++i) DrawButton(renderer, i);
}

int RkFallbackMessageBox::AnswerFor(const SDL_Event& event, Uint32 windowId) const {
  switch (event.type) {
    case SDL_KEYDOWN: {
      if (event.key.windowID != windowId || event.key.repeat != 0) return -1;
      const SDL_Keycode key = event.key.keysym.sym;
      if (key == SDLK_ESCAPE) return escapeAnswer;
      return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE ? 0 : -1;
    }
    case SDL_MOUSEBUTTONUP: {
      if (event.button.windowID != windowId || event.button.button != SDL_BUTTON_LEFT) return -1;
      const SDL_Point point{event.button.x, event.button.y};
      for (size_t i = 0; i < buttonRects.size(); ++i) {
        if (SDL_PointInRect(&point, &buttonRects[i]) == SDL_TRUE) return static_cast<int>(i);
      }
      return -1;
    }
    case SDL_WINDOWEVENT:
      return event.window.windowID == windowId && event.window.event == SDL_WINDOWEVENT_CLOSE ? escapeAnswer : -1;
    default:
      return -1;
  }
}

// Events meant for the program's other windows wait until the box is gone and
// are then handed back, so a modal box takes nothing away from them.
bool RkFallbackMessageBox::RunWindow(SDL_Window* window, SDL_Renderer* renderer) {
  const Uint32 windowId = SDL_GetWindowID(window);
  std::vector<SDL_Event> forOthers;
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  answer = -1;
  while (answer < 0) {
    Draw(renderer);
    SDL_RenderPresent(renderer);
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, kWaitMilliseconds) == 0) continue;
    answer = AnswerFor(event, windowId);
    if (WindowOf(event) != windowId) forOthers.push_back(event);
  }
  for (SDL_Event& event : forOthers) SDL_PushEvent(&event);
  return true;
}

bool RkFallbackMessageBox::Show() {
  if (TTF_Init() != 0) return false;
  TTF_Font* textFont = OpenFont();
  bool shown = false;
  if (Prepare(textFont) && RkVideo::Start() == 0) {
    SDL_Window* window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                          height, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP);
    SDL_Renderer* renderer = window != nullptr ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    if (window != nullptr && renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer != nullptr) shown = RunWindow(window, renderer);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
  }
  ReleaseLines();
  if (textFont != nullptr) TTF_CloseFont(textFont);
  font = nullptr;
  TTF_Quit();
  return shown;
}
