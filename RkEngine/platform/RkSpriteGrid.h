// The renderer's spatial index: sprites bucketed by where their image lies, so a
// frame looks only at the sprites near the view instead of the whole map. Each
// entry carries the sprite's place in the renderer's list (or a number the
// renderer maps to it), so that what a frame collects can be drawn in list order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class RkSprite;

class RkSpriteGrid {
 public:
  struct Entry {
    const RkSprite* sprite;
    uint64_t order;
  };

  static constexpr float kCellSize = 256.0f;

  void Insert(const RkSprite* sprite, uint64_t order);
  // Removes the entry of that sprite (found through its position).
  void Erase(const RkSprite* sprite);
  void Clear();
  // Appends every entry whose image may reach into [left, right) by [top, bottom).
  void Collect(float left, float top, float right, float bottom, std::vector<Entry>& found) const;
  size_t Size() const { return count; }

 private:
  std::unordered_map<uint64_t, std::vector<Entry>> cells;
  // Sprites at positions too far out to bucket (or not numbers): checked every time.
  std::vector<Entry> unplaced;
  // The widest and tallest image inserted: how far left and up of the area an
  // image may start and still reach into it.
  float reachX = 0.0f;
  float reachY = 0.0f;
  size_t count = 0;

  static bool CellOf(float x, float y, int32_t& column, int32_t& row);
  static uint64_t CellKey(int32_t column, int32_t row);
  static void EraseFrom(std::vector<Entry>& entries, const RkSprite* sprite);
  std::vector<Entry>& BucketOf(const RkSprite* sprite);
};
