#include "RkVideo.h"

#include <SDL.h>

const char* RkVideo::DisplayDrivers() { return "x11,wayland"; }

int RkVideo::Start() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, DisplayDrivers());
  }
  return SDL_InitSubSystem(SDL_INIT_VIDEO);
}
