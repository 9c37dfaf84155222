// RkVideo in a web page: the page's canvas is the only display there is, so
// there is no driver to choose and nothing to wait for.
#include "RkVideo.h"

#include <SDL.h>

const char* RkVideo::DisplayDrivers() { return "emscripten"; }

int RkVideo::Start() { return SDL_InitSubSystem(SDL_INIT_VIDEO); }
