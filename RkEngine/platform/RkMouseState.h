// The 16-byte mouse record that RkInput fills on each read: relative movement
// since the last read and four button bytes, bit 0x80 set while a button is down.
#pragma once

#include <cstdint>

struct RkMouseState {
  int32_t lX;
  int32_t lY;
  int32_t lZ;              // wheel: 120 per notch away from the user
  uint8_t rgbButtons[4];   // left, right, middle, first extra button
};
static_assert(sizeof(RkMouseState) == 16, "the mouse record is 16 bytes");
