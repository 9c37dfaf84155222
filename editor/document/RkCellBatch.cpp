// The cells of a tool's action and their distinct tiles.
#include "RkCellBatch.h"

#include <cstring>
#include <functional>
#include <string_view>

void RkCellBatch::Add(int32_t x, int32_t y, const RkTile& tile) { cells.push_back({x, y, IndexOf(tile)}); }

uint32_t RkCellBatch::IndexOf(const RkTile& tile) {
  if (lastTile < tiles.size() && tiles[lastTile] == tile) {
    return lastTile;
  }
  const std::size_t hash = Hash(tile);
  const auto [first, last] = tilesByHash.equal_range(hash);
  for (auto known = first; known != last; ++known) {
    if (tiles[known->second] == tile) {
      lastTile = known->second;
      return lastTile;
    }
  }
  lastTile = static_cast<uint32_t>(tiles.size());
  tiles.push_back(tile);
  tilesByHash.emplace(hash, lastTile);
  return lastTile;
}

std::size_t RkCellBatch::Hash(const RkTile& tile) {
  const std::hash<std::string_view> hashText;
  std::size_t hash = hashText(tile.GetImageFile());
  hash = hash * 31 + hashText(tile.GetNewAreaName());
  hash = hash * 31 + static_cast<std::size_t>(static_cast<uint32_t>(tile.GetType()));
  hash = hash * 31 + static_cast<std::size_t>(static_cast<uint32_t>(tile.GetNewAreaStartX()));
  return hash * 31 + static_cast<std::size_t>(static_cast<uint32_t>(tile.GetNewAreaStartY()));
}

std::size_t RkCellBatch::GetByteSize() const {
  std::size_t bytes = sizeof(*this) + cells.capacity() * sizeof(Cell) + tiles.capacity() * sizeof(RkTile) +
                      tilesByHash.size() * (sizeof(std::size_t) + sizeof(uint32_t) + 2 * sizeof(void*));
  for (const RkTile& tile : tiles) {
    bytes += std::strlen(tile.GetImageFile()) + std::strlen(tile.GetNewAreaName());
  }
  return bytes;
}
