// Finding a fill's region with a stack of cells still to look at (no recursion:
// a region may hold millions of cells).
#include "RkFloodFill.h"

RkFloodFill RkFloodFill::Region(const RkWorld& world, int32_t x, int32_t y) {
  RkFloodFill region;
  if (!world.IsInBounds(x, y)) {
    return region;
  }
  region.width = world.GetWidth();
  region.height = world.GetHeight();
  region.inside.assign(static_cast<std::size_t>(region.width) * region.height, 0);
  const RkTile seed = world.GetTile(x, y);
  std::vector<std::pair<int32_t, int32_t>> pending{{x, y}};
  region.inside[static_cast<std::size_t>(x) * region.height + y] = 1;
  const auto visit = [&](int32_t cellX, int32_t cellY) {
    if (cellX < 0 || cellY < 0 || cellX >= region.width || cellY >= region.height) return;
    uint8_t& mark = region.inside[static_cast<std::size_t>(cellX) * region.height + cellY];
    if (mark != 0 || !(world.GetTile(cellX, cellY) == seed)) return;
    mark = 1;
    pending.emplace_back(cellX, cellY);
  };
  while (!pending.empty()) {
    const auto [cellX, cellY] = pending.back();
    pending.pop_back();
    region.cells.emplace_back(cellX, cellY);
    visit(cellX - 1, cellY);
    visit(cellX + 1, cellY);
    visit(cellX, cellY - 1);
    visit(cellX, cellY + 1);
  }
  return region;
}

bool RkFloodFill::Contains(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  return inside[static_cast<std::size_t>(x) * height + y] != 0;
}
