// Where the player can walk on one map: a flood fill over the cell kinds from the
// cells where the player enters. Open cells are walked over; a New Area cell is
// reached but not walked through, since stepping onto it changes the map. An
// entry cell is left in every direction, whatever its kind (a start point on a
// New Area cell puts the player there without changing the map).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class RkWalkFlood {
 public:
  using Cell = std::pair<int32_t, int32_t>;

  // kinds holds one RkTileType per cell, column after column like the world's
  // grid (cell (x, y) at x * height + y); entries outside the grid are ignored.
  // The result marks each reached cell with a value other than 0 (2 for
  // an entry), in the same layout. Each cell is
  // visited at most once, so the time is linear in the cells.
  static std::vector<uint8_t> Reach(const std::vector<uint8_t>& kinds, int32_t width, int32_t height,
                                    const std::vector<Cell>& entries);
};
