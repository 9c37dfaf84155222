// Our own report box, drawn on a software renderer: every line of the text is
// there, the box grows with it, the OK button sits below the text; the keys
// and the click that dismiss it.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

#include "RkError.h"
#include "RkFallbackMessageBox.h"
#include "RkFontFinder.h"

namespace {

constexpr Uint32 kBoxWindow = 7;

class FallbackBox : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TTF_Init(), 0);
    font = TTF_OpenFont(RkFontFinder::Find("Arial").c_str(), RkFallbackMessageBox::kFontHeight);
    ASSERT_NE(font, nullptr) << TTF_GetError();
  }
  void TearDown() override {
    if (surface != nullptr) SDL_FreeSurface(surface);
    if (font != nullptr) TTF_CloseFont(font);
    TTF_Quit();
  }

  // Draws the box into a surface of its own size.
  void Draw(const RkFallbackMessageBox& box) {
    surface = SDL_CreateRGBSurfaceWithFormat(0, box.GetWidth(), box.GetHeight(), 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    box.Draw(renderer);
    SDL_RenderPresent(renderer);
    SDL_DestroyRenderer(renderer);
  }
  Uint32 Pixel(int x, int y) const {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) + y * surface->pitch)[x];
  }
  // Pixels of a row band clearly darker than the box's background: text.
  int DarkPixels(int top, int bottom, int right) const {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < right; ++x) count += (Pixel(x, y) & 0xFF) < 0x80 ? 1 : 0;
    }
    return count;
  }

  TTF_Font* font = nullptr;
  SDL_Surface* surface = nullptr;
};

TEST_F(FallbackBox, EveryLineOfAReportIsDrawnAboveTheOkButton) {
  const std::string report = BuildWin32Report("Failed to open the world file.", "No such file or directory\n",
                                              "RkWorld", 185);
  RkFallbackMessageBox box("ERROR", report.c_str());
  ASSERT_TRUE(box.Prepare(font));
  Draw(box);
  const int lineSkip = TTF_FontLineSkip(font);
  const SDL_Rect ok = box.GetOkButton();
  // Nine lines: the report's eight and the empty one after the system text's line end.
  EXPECT_GE(ok.y, 16 + 9 * lineSkip);
  EXPECT_LE(ok.y + ok.h, box.GetHeight());
  EXPECT_GE(box.GetWidth(), 280);
  const int textLines[] = {0, 1, 3, 4, 7, 8};
  for (int line : textLines) {
    EXPECT_GT(DarkPixels(16 + line * lineSkip, 16 + (line + 1) * lineSkip, box.GetWidth()), 20) << "line " << line;
  }
  EXPECT_EQ(DarkPixels(16 + 2 * lineSkip, 16 + 3 * lineSkip, box.GetWidth()), 0) << "the empty line";
  EXPECT_EQ(Pixel(box.GetWidth() - 4, 4), 0xFFF0F0F0u);
  EXPECT_EQ(Pixel(ok.x, ok.y + ok.h / 2), 0xFF0078D7u);
  const int labelPixels =
      DarkPixels(ok.y + 2, ok.y + ok.h - 2, ok.x + ok.w - 2) - DarkPixels(ok.y + 2, ok.y + ok.h - 2, ok.x + 2);
  EXPECT_GT(labelPixels, 10) << "the OK label";
}

TEST_F(FallbackBox, LongLinesWrapAndShortTextsKeepTheSmallestBox) {
  const std::string longPath(400, 'a');
  RkFallbackMessageBox wide("ERROR", longPath.c_str());
  ASSERT_TRUE(wide.Prepare(font));
  EXPECT_LE(wide.GetWidth(), 800);
  EXPECT_GT(wide.GetOkButton().y, 16 + 2 * TTF_FontLineSkip(font));
  RkFallbackMessageBox small(nullptr, "No map name was provided.");
  ASSERT_TRUE(small.Prepare(font));
  EXPECT_EQ(small.GetWidth(), 280);
}

TEST_F(FallbackBox, ReturnEscapeSpaceAndAClickOnOkDismissIt) {
  RkFallbackMessageBox box("ERROR", "text");
  ASSERT_TRUE(box.Prepare(font));
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.windowID = kBoxWindow;
  for (SDL_Keycode code : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE, SDLK_SPACE}) {
    key.key.keysym.sym = code;
    EXPECT_TRUE(box.Dismisses(key, kBoxWindow)) << code;
  }
  EXPECT_FALSE(box.Dismisses(key, kBoxWindow + 1)) << "a key for another window";
  key.key.repeat = 1;
  EXPECT_FALSE(box.Dismisses(key, kBoxWindow)) << "a held key's repeat";
  key.key.repeat = 0;
  key.key.keysym.sym = SDLK_a;
  EXPECT_FALSE(box.Dismisses(key, kBoxWindow));

  const SDL_Rect ok = box.GetOkButton();
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONUP;
  click.button.windowID = kBoxWindow;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.x = ok.x + 1;
  click.button.y = ok.y + ok.h - 1;
  EXPECT_TRUE(box.Dismisses(click, kBoxWindow));
  click.button.x = ok.x - 1;
  EXPECT_FALSE(box.Dismisses(click, kBoxWindow)) << "a click beside the button";
}

// A question's buttons sit in one row below the text; each click picks its own
// button, Return the first, Escape and the close button the escape answer.
TEST_F(FallbackBox, AQuestionAnswersWithTheButtonChosen) {
  RkFallbackMessageBox box("RkEngine", "Save changes to World.rkm?", {"Save", "Don't Save", "Cancel"}, 2);
  ASSERT_TRUE(box.Prepare(font));
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONUP;
  click.button.windowID = kBoxWindow;
  click.button.button = SDL_BUTTON_LEFT;
  for (int index = 0; index < 3; ++index) {
    const SDL_Rect button = box.GetButton(index);
    EXPECT_LE(button.x + button.w, box.GetWidth());
    click.button.x = button.x + button.w / 2;
    click.button.y = button.y + button.h / 2;
    EXPECT_EQ(box.AnswerFor(click, kBoxWindow), index);
  }
  EXPECT_LT(box.GetButton(0).x + box.GetButton(0).w, box.GetButton(1).x) << "buttons overlap";
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.windowID = kBoxWindow;
  key.key.keysym.sym = SDLK_RETURN;
  EXPECT_EQ(box.AnswerFor(key, kBoxWindow), 0);
  key.key.keysym.sym = SDLK_ESCAPE;
  EXPECT_EQ(box.AnswerFor(key, kBoxWindow), 2);
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = kBoxWindow;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  EXPECT_EQ(box.AnswerFor(close, kBoxWindow), 2);
}

}  // namespace
