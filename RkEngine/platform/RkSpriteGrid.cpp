// Buckets of 256 by 256 pixels keyed by their column and row.
#include "RkSpriteGrid.h"

#include <algorithm>
#include <cmath>

#include "RkSprite.h"

namespace {

// Positions beyond this are never near any view a program shows.
constexpr float kPlacedLimit = 1.0e9f;

float ImageLeft(const RkSprite& sprite) { return sprite.GetPosition().x - sprite.GetCenter().x; }
float ImageTop(const RkSprite& sprite) { return sprite.GetPosition().y - sprite.GetCenter().y; }

}  // namespace

bool RkSpriteGrid::CellOf(float x, float y, int32_t& column, int32_t& row) {
  if (!(std::fabs(x) < kPlacedLimit) || !(std::fabs(y) < kPlacedLimit)) return false;
  column = static_cast<int32_t>(std::floor(x / kCellSize));
  row = static_cast<int32_t>(std::floor(y / kCellSize));
  return true;
}

uint64_t RkSpriteGrid::CellKey(int32_t column, int32_t row) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(column)) << 32) | static_cast<uint32_t>(row);
}

std::vector<RkSpriteGrid::Entry>& RkSpriteGrid::BucketOf(const RkSprite* sprite) {
  int32_t column = 0;
  int32_t row = 0;
  if (!CellOf(ImageLeft(*sprite), ImageTop(*sprite), column, row)) return unplaced;
  return cells[CellKey(column, row)];
}

void RkSpriteGrid::Insert(const RkSprite* sprite, uint64_t order) {
  reachX = std::max(reachX, static_cast<float>(sprite->GetWidth()));
  reachY = std::max(reachY, static_cast<float>(sprite->GetHeight()));
  BucketOf(sprite).push_back(Entry{sprite, order});
  ++count;
}

void RkSpriteGrid::EraseFrom(std::vector<Entry>& entries, const RkSprite* sprite) {
  for (size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].sprite != sprite) continue;
    entries[index] = entries.back();
    entries.pop_back();
    return;
  }
}

void RkSpriteGrid::Erase(const RkSprite* sprite) {
  std::vector<Entry>& bucket = BucketOf(sprite);
  const size_t before = bucket.size();
  EraseFrom(bucket, sprite);
  if (bucket.size() < before) --count;
}

void RkSpriteGrid::Clear() {
  cells.clear();
  unplaced.clear();
  reachX = 0.0f;
  reachY = 0.0f;
  count = 0;
}

void RkSpriteGrid::Collect(float left, float top, float right, float bottom, std::vector<Entry>& found) const {
  found.insert(found.end(), unplaced.begin(), unplaced.end());
  int32_t firstColumn = 0;
  int32_t firstRow = 0;
  int32_t lastColumn = 0;
  int32_t lastRow = 0;
  const bool bounded =
      CellOf(left - reachX, top - reachY, firstColumn, firstRow) && CellOf(right, bottom, lastColumn, lastRow);
  const double bucketsInArea =
      (static_cast<double>(lastColumn) - firstColumn + 1.0) * (static_cast<double>(lastRow) - firstRow + 1.0);
  if (!bounded || bucketsInArea > static_cast<double>(cells.size())) {
    // An area this far out or this wide: every bucket is fewer lookups.
    for (const auto& cell : cells) found.insert(found.end(), cell.second.begin(), cell.second.end());
    return;
  }
  for (int32_t column = firstColumn; column <= lastColumn; ++column) {
    for (int32_t row = firstRow; row <= lastRow; ++row) {
      const auto cell = cells.find(CellKey(column, row));
      if (cell != cells.end()) found.insert(found.end(), cell->second.begin(), cell->second.end());
    }
  }
}
