// Starts SDL's video on a display the user can see. Left to itself SDL falls
// back to its offscreen driver when no X11 or Wayland server answers, and a
// program would then run unseen, without a keyboard. Only a caller that asks
// for a driver by name (SDL_VIDEODRIVER, e.g. "dummy" or "offscreen" in tests)
// gets that driver.
#pragma once

class RkVideo {
 public:
  // SDL_InitSubSystem's result for the video subsystem (0 on success); on
  // failure SDL's error text names the cause.
  static int Start();
  // The drivers tried when the caller names none.
  static const char* DisplayDrivers();
};
