// The region that the fill tool paints: the cells 4-connected to a cell of the
// grid that are equal to it (same kind, image and New Area link). A region never
// leaves the grid. Kept with a mark per cell, so the fill's preview can ask of
// any cell whether it belongs, and a click in the region shown reuses it.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "RkWorld.h"

class RkFloodFill {
 public:
  RkFloodFill() = default;
  // The region of cell (x, y), which must lie in the grid.
  static RkFloodFill Region(const RkWorld& world, int32_t x, int32_t y);

  bool IsEmpty() const { return cells.empty(); }
  bool Contains(int32_t x, int32_t y) const;
  // The region's cells, in the order the fill reached them.
  const std::vector<std::pair<int32_t, int32_t>>& GetCells() const { return cells; }

 private:
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> inside;
  std::vector<std::pair<int32_t, int32_t>> cells;
};
