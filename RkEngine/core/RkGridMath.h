// Arithmetic on cell coordinates that stays defined for any value a damaged
// file can hold (NPC positions and start cells near the 32-bit limits).
// Entities, the world and the programs' drawing code use it where they add to
// or scale a coordinate.
#pragma once

#include <cstdint>

class RkGridMath {
 public:
  // A cell is this many pixels wide and high: cell (x, y) has its top-left
  // corner at pixel (32 * x, 32 * y).
  static constexpr int32_t kCellSize = 32;

  // value + delta, held at the int32 limits: no cell lies beyond them.
  static int32_t AddClamped(int32_t value, int32_t delta);
  // value + delta into result; false, leaving result alone, when the sum has no
  // int32 value (the cell does not exist).
  static bool Add(int32_t value, int32_t delta, int32_t& result);
  // The pixel of a cell's edge, for any coordinate (cell * cellSize in 64 bits).
  static int64_t CellToPixel(int32_t cell, int32_t cellSize) {
    return static_cast<int64_t>(cell) * cellSize;
  }
};
