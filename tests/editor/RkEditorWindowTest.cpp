// The main window's event pump: a key or button pressed and released between two
// passes reaches ImGui as a press in one pass and a release in the next, and a
// quit request ends the editor for good.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "RkEditorWindow.h"

namespace {

class RkEditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
  void TearDown() override {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
  }

  static void PushKey(Uint32 type, SDL_Scancode scancode) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.scancode = scancode;
    SDL_PushEvent(&event);
  }
  static void PushButton(Uint32 type, Uint8 button) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    SDL_PushEvent(&event);
  }

  // The event types that one pass takes.
  std::vector<Uint32> Pass() {
    std::vector<Uint32> types;
    running = window.PumpMessages([&types](const SDL_Event& event) { types.push_back(event.type); });
    return types;
  }

  RkEditorWindow window;
  bool running = true;
};

TEST_F(RkEditorWindowTest, TapWithinOnePassIsSplitOverTwoPasses) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
  PushKey(SDL_KEYUP, SDL_SCANCODE_RETURN);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  EXPECT_EQ(Pass(), (std::vector<Uint32>{SDL_KEYDOWN}));
  EXPECT_EQ(Pass(), (std::vector<Uint32>{SDL_KEYUP, SDL_MOUSEBUTTONDOWN}));
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  EXPECT_EQ(Pass(), (std::vector<Uint32>{SDL_MOUSEBUTTONUP}));
  EXPECT_TRUE(running);
}

TEST_F(RkEditorWindowTest, ReleasesOfOtherKeysAndButtonsPassInTheSamePass) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  PushKey(SDL_KEYUP, SDL_SCANCODE_B);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  EXPECT_EQ(Pass(), (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}));
}

TEST_F(RkEditorWindowTest, QuitEndsThePumpAndStaysRequested) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  EXPECT_EQ(Pass(), (std::vector<Uint32>{SDL_QUIT}));
  EXPECT_FALSE(running);
  EXPECT_EQ(Pass(), (std::vector<Uint32>{}));
  EXPECT_FALSE(running);
  EXPECT_TRUE(window.IsQuitRequested());
}

}  // namespace
