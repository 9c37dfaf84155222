// The key table and mouse record: the key map, devices created before Create,
// reads in the background, and tables set directly by tests.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "RkInput.h"
#include "RkKeyMap.h"

namespace {

TEST(KeyMap, UsualKeysLandOnTheirKeyCodes) {
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_ESCAPE), 0x01);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_SPACE), 0x39);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_UP), 0xC8);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_LEFT), 0xCB);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_RIGHT), 0xCD);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_DOWN), 0xD0);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_A), DIK_A);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_RETURN), DIK_RETURN);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_F12), DIK_F12);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_KP_ENTER), DIK_NUMPADENTER);
  EXPECT_EQ(RkKeyMap::ToKeyCode(SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(KeyMap, NoTwoScancodesShareAKeyCode) {
  int owners[RK_KEY_TABLE_SIZE] = {};
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const uint8_t code = RkKeyMap::ToKeyCode(scancode);
    if (code != 0) ++owners[code];
  }
  for (int code = 0; code < RK_KEY_TABLE_SIZE; ++code) EXPECT_LE(owners[code], 1) << "key code " << code;
  EXPECT_GE(owners[DIK_ESCAPE] + owners[DIK_SPACE] + owners[DIK_UP] + owners[DIK_LEFT] + owners[DIK_RIGHT] +
                owners[DIK_DOWN],
            6);
}

TEST(KeyMap, LeftArrowDownSetsOnlyBit7OfByte203) {
  Uint8 sdlState[SDL_NUM_SCANCODES] = {};
  sdlState[SDL_SCANCODE_LEFT] = 1;
  uint8_t table[RK_KEY_TABLE_SIZE];
  std::memset(table, 0x55, sizeof table);
  RkKeyMap::FillKeyTable(sdlState, SDL_NUM_SCANCODES, table);
  for (int code = 0; code < RK_KEY_TABLE_SIZE; ++code) {
    EXPECT_EQ(table[code], code == 203 ? 0x80 : 0x00) << "key code " << code;
  }
}

TEST(KeyMap, ShortStateArrayIsNotReadPastItsEnd) {
  Uint8 sdlState[SDL_SCANCODE_ESCAPE + 1] = {};
  sdlState[SDL_SCANCODE_ESCAPE] = 1;
  uint8_t table[RK_KEY_TABLE_SIZE];
  RkKeyMap::FillKeyTable(sdlState, SDL_SCANCODE_ESCAPE + 1, table);
  EXPECT_EQ(table[DIK_ESCAPE], 0x80);
  EXPECT_EQ(table[DIK_UP], 0x00);
}

TEST(Input, StartsWithZeroTablesAndNoDevices) {
  RkInput input;
  for (int code = 0; code < RK_KEY_TABLE_SIZE; ++code) ASSERT_EQ(input.KeyboardState()[code], 0);
  const RkMouseState mouse = input.MouseState();
  EXPECT_EQ(mouse.lX, 0);
  EXPECT_EQ(mouse.rgbButtons[0], 0);
  EXPECT_FALSE(input.HasKeyboard());
  EXPECT_FALSE(input.HasMouse());
}

TEST(Input, DevicesCreatedBeforeCreateDoNothing) {
  RkInput input;
  input.CreateKeyboard(nullptr);
  input.CreateMouse(nullptr);
  EXPECT_FALSE(input.HasKeyboard());
  EXPECT_FALSE(input.HasMouse());
  uint8_t table[RK_KEY_TABLE_SIZE] = {};
  table[DIK_ESCAPE] = RK_KEY_DOWN;
  input.SetKeyboardState(table);
  input.Reacquire();
  input.ReadState();
  EXPECT_EQ(input.KeyboardState()[DIK_ESCAPE], RK_KEY_DOWN);
}

TEST(Input, TablesSetByATestReadBackAsSet) {
  RkInput input;
  uint8_t table[RK_KEY_TABLE_SIZE] = {};
  table[DIK_RIGHT] = RK_KEY_DOWN;
  input.SetKeyboardState(table);
  RkMouseState mouse{3, -4, 120, {0x80, 0, 0, 0}};
  input.SetMouseState(mouse);
  EXPECT_EQ(input.KeyboardState()[DIK_RIGHT], RK_KEY_DOWN);
  EXPECT_EQ(input.KeyboardState()[DIK_LEFT], 0);
  EXPECT_EQ(input.MouseState().lY, -4);
  EXPECT_EQ(input.MouseState().rgbButtons[0], 0x80);
}

class InputOnWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window = SDL_CreateWindow("input", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  SDL_Window* window = nullptr;
};

// A hidden window never has the focus: the devices exist but stay unacquired,
// and reads leave what the table held.
TEST_F(InputOnWindow, ReadInTheBackgroundKeepsTheLastTable) {
  RkInput input;
  input.Create();
  input.CreateKeyboard(window);
  input.CreateMouse(window);
  EXPECT_TRUE(input.HasKeyboard());
  EXPECT_TRUE(input.HasMouse());
  ASSERT_FALSE(input.IsKeyboardAcquired());

  uint8_t table[RK_KEY_TABLE_SIZE] = {};
  table[DIK_LEFT] = RK_KEY_DOWN;
  input.SetKeyboardState(table);
  input.SetMouseState(RkMouseState{1, 2, 0, {0x80, 0, 0, 0}});
  input.Reacquire();
  input.ReadState();
  EXPECT_EQ(input.KeyboardState()[DIK_LEFT], RK_KEY_DOWN);
  EXPECT_EQ(input.MouseState().lX, 1);
  EXPECT_EQ(input.MouseState().rgbButtons[0], 0x80);
}

// The game's choice: no focus, no key down, while the mouse keeps its record.
TEST_F(InputOnWindow, KeysReadAsUpWithoutTheFocusWhenAskedTo) {
  RkInput input;
  input.Create();
  input.CreateKeyboard(window);
  input.CreateMouse(window);
  input.SetKeysUpWithoutFocus(true);
  uint8_t table[RK_KEY_TABLE_SIZE] = {};
  table[DIK_LEFT] = RK_KEY_DOWN;
  table[DIK_SPACE] = RK_KEY_DOWN;
  input.SetKeyboardState(table);
  input.SetMouseState(RkMouseState{1, 2, 0, {0x80, 0, 0, 0}});
  input.Reacquire();
  input.ReadState();
  for (int code = 0; code < RK_KEY_TABLE_SIZE; ++code) ASSERT_EQ(input.KeyboardState()[code], 0) << code;
  EXPECT_EQ(input.MouseState().rgbButtons[0], 0x80);
}

// Bound to no window, the keyboard always reads: SDL's state (nothing pressed
// under the dummy driver) replaces the table.
TEST(Input, KeyboardWithoutWindowReadsSdlState) {
  RkInput input;
  input.Create();
  input.CreateKeyboard(nullptr);
  uint8_t table[RK_KEY_TABLE_SIZE] = {};
  table[DIK_SPACE] = RK_KEY_DOWN;
  input.SetKeyboardState(table);
  input.ReadState();
  EXPECT_EQ(input.KeyboardState()[DIK_SPACE], 0);
}

TEST(Input, MouseWithoutWindowCollectsWheelNotches) {
  RkInput input;
  input.Create();
  input.CreateMouse(nullptr);
  input.CreateMouse(nullptr);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  wheel.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  SDL_PushEvent(&wheel);
  input.ReadState();
  EXPECT_EQ(input.MouseState().lZ, 240);
  input.ReadState();
  EXPECT_EQ(input.MouseState().lZ, 0);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

// SDL_PushEvent runs the event watch but leaves SDL's key state up: exactly a
// tap that was over before the read.
TEST(Input, TapBetweenTwoReadsReadsAsDownOnce) {
  RkInput input;
  input.Create();
  input.CreateKeyboard(nullptr);
  input.CreateMouse(nullptr);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  SDL_PushEvent(&key);
  SDL_Event repeat = key;
  repeat.key.keysym.scancode = SDL_SCANCODE_UP;
  repeat.key.repeat = 1;
  SDL_PushEvent(&repeat);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  SDL_PushEvent(&click);

  input.ReadState();
  EXPECT_EQ(input.KeyboardState()[DIK_ESCAPE], RK_KEY_DOWN);
  EXPECT_EQ(input.KeyboardState()[DIK_UP], 0);
  EXPECT_EQ(input.MouseState().rgbButtons[0], RK_KEY_DOWN);
  EXPECT_EQ(input.MouseState().rgbButtons[1], 0);
  input.ReadState();
  EXPECT_EQ(input.KeyboardState()[DIK_ESCAPE], 0);
  EXPECT_EQ(input.MouseState().rgbButtons[0], 0);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(InputOnWindow, TapsInTheBackgroundAreNotKept) {
  RkInput input;
  input.Create();
  input.CreateKeyboard(window);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.windowID = SDL_GetWindowID(window);
  key.key.keysym.scancode = SDL_SCANCODE_SPACE;
  SDL_PushEvent(&key);
  input.ReadState();
  EXPECT_EQ(input.KeyboardState()[DIK_SPACE], 0);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace
