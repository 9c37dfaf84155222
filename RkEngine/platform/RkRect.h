// A rectangle in pixels (left, top, right, bottom), as the renderer's present
// rectangles, the sprites' source rectangles and the text items use it.
#pragma once

#include <cstdint>

struct RkRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
