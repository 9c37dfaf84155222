#include "RkVideo.h"

#include <SDL.h>

#include <cstdlib>

namespace {
// A display server that is starting or busy may refuse a connection for a
// moment (its socket answers "Resource temporarily unavailable"); a named
// display gets a few more tries before the window's report ends the program.
constexpr int kTriesWithDisplay = 5;
constexpr Uint32 kPauseBetweenTriesMs = 200;

bool DisplayIsNamed() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}
}  // namespace

const char* RkVideo::DisplayDrivers() { return "x11,wayland"; }

int RkVideo::Start() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, DisplayDrivers());
  }
  int result = SDL_InitSubSystem(SDL_INIT_VIDEO);
  for (int tries = 1; result != 0 && tries < kTriesWithDisplay && DisplayIsNamed(); ++tries) {
    SDL_Delay(kPauseBetweenTriesMs);
    result = SDL_InitSubSystem(SDL_INIT_VIDEO);
  }
  return result;
}
