// What Copy and Cut keep for Paste: a block of cells, column after column as in
// the world, and the NPCs standing on them, whole (name, kind, image,
// dialogues), at cells counted from the block's top-left cell. It belongs to no
// map, so a block copied from one map pastes into another.
#pragma once

#include <cstdint>
#include <vector>

#include "RkCellRect.h"
#include "RkNPC.h"
#include "RkTile.h"
#include "RkWorld.h"

class RkCellBlock {
 public:
  // The cells of the rectangle (in map cells) that lie in the grid, with their
  // NPCs; an empty block when none does.
  static RkCellBlock Copy(const RkWorld& world, const RkCellRect& rect);

  bool IsEmpty() const { return width == 0 || height == 0; }
  int32_t GetWidth() const { return width; }
  int32_t GetHeight() const { return height; }
  // Cell (x, y) of the block, 0 <= x < width, 0 <= y < height.
  const RkTile& GetTile(int32_t x, int32_t y) const { return tiles[static_cast<std::size_t>(x) * height + y]; }
  const std::vector<RkNPC>& GetNPCs() const { return npcs; }

 private:
  int32_t width = 0;
  int32_t height = 0;
  std::vector<RkTile> tiles;
  std::vector<RkNPC> npcs;
};
