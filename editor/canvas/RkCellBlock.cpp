// Copying a block of cells and its NPCs out of a world.
#include "RkCellBlock.h"

#include <algorithm>

RkCellBlock RkCellBlock::Copy(const RkWorld& world, const RkCellRect& rect) {
  RkCellBlock block;
  const int32_t left = std::max(rect.left, 0);
  const int32_t top = std::max(rect.top, 0);
  const int32_t right = std::min(rect.right, world.GetWidth() - 1);
  const int32_t bottom = std::min(rect.bottom, world.GetHeight() - 1);
  if (left > right || top > bottom) {
    return block;
  }
  block.width = right - left + 1;
  block.height = bottom - top + 1;
  block.tiles.reserve(static_cast<std::size_t>(block.width) * block.height);
  for (int32_t x = left; x <= right; ++x) {
    for (int32_t y = top; y <= bottom; ++y) {
      block.tiles.push_back(world.GetTile(x, y));
    }
  }
  const RkCellRect inGrid{left, top, right, bottom};
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    if (inGrid.Contains(npc.GetX(), npc.GetY())) {
      block.npcs.push_back(npc);
      block.npcs.back().SetPosition(npc.GetX() - left, npc.GetY() - top);
    }
  }
  return block;
}
