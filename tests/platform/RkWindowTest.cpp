// The game window: borderless at the origin, titled "Ember Hollow", only one
// per process, and a desktop close request seen by the pump. Each case makes
// its window in a child process, since only one may exist per process.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "RkDirect3D.h"
#include "RkWindow.h"

namespace {

constexpr int kPassed = 7;
constexpr int kFailed = 8;

void OpenWindowAndCheckItsPlace() {
  RkWindow window;
  window.Create(640, 480);
  SDL_Window* handle = window.GetHandle();
  int x = -1;
  int y = -1;
  int width = 0;
  int height = 0;
  SDL_GetWindowPosition(handle, &x, &y);
  SDL_GetWindowSize(handle, &width, &height);
  const bool borderless = (SDL_GetWindowFlags(handle) & SDL_WINDOW_BORDERLESS) != 0;
  const bool titled = std::string(SDL_GetWindowTitle(handle)) == "Ember Hollow";
  std::exit(x == 0 && y == 0 && width == 640 && height == 480 && borderless && titled ? kPassed : kFailed);
}

void OpenTwoWindows() {
  RkWindow first;
  first.Create(640, 480);
  RkWindow second;
  second.Create(640, 480);
}

void RequestCloseThroughTheDesktop() {
  RkWindow window;
  window.Create(640, 480);
  window.PumpMessages();
  const bool before = window.CloseRequested();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  window.PumpMessages();
  std::exit(!before && window.CloseRequested() ? kPassed : kFailed);
}

void RenderIntoTheWindow() {
  RkWindow window;
  window.Create(640, 480);
  RkDirect3D renderer(RkProgram::Game);
  renderer.Initialize(window);
  renderer.RenderFrame(nullptr, 640, 480, 0, 0);
  int width = 0;
  int height = 0;
  SDL_GetRendererOutputSize(renderer.GetDevice(), &width, &height);
  std::exit(width == 640 && height == 480 ? kPassed : kFailed);
}

TEST(GameWindowDeathTest, OpensBorderlessAtTheOriginWithItsTitle) {
  EXPECT_EXIT(OpenWindowAndCheckItsPlace(), testing::ExitedWithCode(kPassed), "");
}

TEST(GameWindowDeathTest, SecondWindowInOneProcessIsFatal) {
  EXPECT_EXIT(OpenTwoWindows(), testing::ExitedWithCode(1),
              "--RkEngine Description--\nFailed to register the window class.\n\n--Microsoft\xC2\xAE Description--\n"
              "File exists\n\n\nFILE: RkWindow\nLINE: 67\n");
}

// No X11 or Wayland server and no driver asked for: the window's report with
// SDL's reason, not an unseen game on the offscreen driver.
TEST(GameWindowDeathTest, NoDisplayIsTheWindowsFatalReport) {
  EXPECT_EXIT(
      {
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        OpenWindowAndCheckItsPlace();
      },
      testing::ExitedWithCode(1),
      "--RkEngine Description--\nFailed to create the window.\n\n--Microsoft\xC2\xAE Description--\n"
      "x11,wayland not available\n\n\nFILE: RkWindow\nLINE: 84\n");
}

TEST(GameWindowDeathTest, CloseRequestFromTheDesktopIsRemembered) {
  EXPECT_EXIT(RequestCloseThroughTheDesktop(), testing::ExitedWithCode(kPassed), "");
}

TEST(GameWindowDeathTest, RendererDrawsIntoTheWindow) {
  EXPECT_EXIT(RenderIntoTheWindow(), testing::ExitedWithCode(kPassed), "");
}

}  // namespace
