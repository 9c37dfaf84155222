// The flood fill of the cells the player can walk to.
#include "RkWalkFlood.h"

#include "RkTile.h"

namespace {
constexpr uint8_t kEntry = 2;
}  // namespace

std::vector<uint8_t> RkWalkFlood::Reach(const std::vector<uint8_t>& kinds, int32_t width, int32_t height,
                                        const std::vector<Cell>& entries) {
  const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<uint8_t> reached(cells, 0);
  std::vector<std::size_t> pending;
  for (const Cell& entry : entries) {
    if (entry.first < 0 || entry.first >= width || entry.second < 0 || entry.second >= height) continue;
    const std::size_t index = static_cast<std::size_t>(entry.first) * height + entry.second;
    if (reached[index] == 0) pending.push_back(index);
    reached[index] = kEntry;
  }
  while (!pending.empty()) {
    const std::size_t index = pending.back();
    pending.pop_back();
    // Entries are left even when they are New Area cells; other cells only when Open.
    if (kinds[index] != TileOpen && reached[index] != kEntry) continue;
    const int32_t x = static_cast<int32_t>(index / height);
    const int32_t y = static_cast<int32_t>(index % height);
    const auto visit = [&](bool inside, std::size_t next) {
      if (!inside || reached[next] != 0) return;
      if (kinds[next] != TileOpen && kinds[next] != TileNewArea) return;
      reached[next] = 1;
      pending.push_back(next);
    };
    visit(x > 0, index - height);
    visit(x + 1 < width, index + height);
    visit(y > 0, index - 1);
    visit(y + 1 < height, index + 1);
  }
  return reached;
}
