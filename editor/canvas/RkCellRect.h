// A rectangle of cells, both corners included: what the rectangle and select
// tools drag out, a selection, the cells a paste covers. In view cells or in
// map cells, as its user says.
#pragma once

#include <algorithm>
#include <cstdint>

struct RkCellRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  // The rectangle with these two cells at opposite corners, in any order.
  static RkCellRect Spanning(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
  }
  int64_t GetWidth() const { return int64_t{right} - left + 1; }
  int64_t GetHeight() const { return int64_t{bottom} - top + 1; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  RkCellRect Moved(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const RkCellRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};
