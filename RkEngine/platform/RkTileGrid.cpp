// A map's tiles as image numbers per cell, drawn by the rectangle of cells in view.
#include "RkTileGrid.h"

#include <cmath>
#include <cstring>
#include <string>
#include <unordered_map>

#include "RkColor.h"

namespace {

// The image numbers of the files met so far while a grid is made.
struct ImageNumbers {
  std::unordered_map<std::string, uint32_t> byFile;
  // Neighbouring cells mostly name the same image: the last one is checked first.
  std::string lastFile;
  const char* lastPointer = nullptr;
  uint32_t lastNumber = 0;
};

}  // namespace

RkTileGrid::RkTileGrid(SDL_Renderer* device, int32_t originX, int32_t originY, int32_t width, int32_t height,
                       const ImageAt& imageAt)
    : originX(originX),
      originY(originY),
      width(width > 0 && height > 0 ? width : 0),
      height(width > 0 && height > 0 ? height : 0) {
  cells.assign(static_cast<size_t>(this->width) * this->height, kNoTile);
  ImageNumbers numbers;
  for (int32_t x = 0; x < this->width; ++x) {
    for (int32_t y = 0; y < this->height; ++y) {
      const char* file = imageAt(x, y);
      if (file == nullptr || *file == '\0') continue;
      // A loaded world's cells share one copy of each text: the same pointer is the same file.
      if (numbers.lastNumber == kNoTile || (file != numbers.lastPointer && numbers.lastFile != file)) {
        auto found = numbers.byFile.find(file);
        if (found == numbers.byFile.end()) found = numbers.byFile.emplace(file, ImageNumberOf(device, file)).first;
        numbers.lastFile = file;
        numbers.lastPointer = file;
        numbers.lastNumber = found->second;
      }
      cells[IndexOf(x, y)] = numbers.lastNumber;
      ++tileCount;
    }
  }
}

// The sprite that AddSprite would make for a tile of this image, standing at the
// origin; a cell's place is added as a translation when it is drawn.
uint32_t RkTileGrid::ImageNumberOf(SDL_Renderer* device, const char* file) {
  images.emplace_back(device, file, kCellSize, kCellSize, RkVector3{0.0f, 0.0f, 0.0f}, RkVector3{0.0f, 0.0f, 0.0f},
                      RK_COLOR_WHITE, 0, 0);
  return static_cast<uint32_t>(images.size());
}

const RkSprite* RkTileGrid::GetImage(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
  const uint32_t number = cells[IndexOf(x, y)];
  return number == kNoTile ? nullptr : &images[number - 1];
}

float RkTileGrid::PixelOf(int32_t origin, int32_t cell) {
  return static_cast<float>(kCellSize * (int64_t{origin} + cell));
}

// Estimated in double, then settled with the exact float place, so only a cell
// whose sprite stands exactly there answers.
bool RkTileGrid::CellAt(int32_t origin, int32_t cells, float pixel, int32_t& cell) {
  if (!std::isfinite(pixel)) return false;
  const double estimate = std::floor(static_cast<double>(pixel) / kCellSize) - static_cast<double>(origin);
  if (estimate < 0.0 || estimate >= cells) return false;
  cell = static_cast<int32_t>(estimate);
  return PixelOf(origin, cell) == pixel;
}

bool RkTileGrid::RemoveAt(float x, float y) {
  int32_t column = 0;
  int32_t row = 0;
  if (!CellAt(originX, width, x, column) || !CellAt(originY, height, y, row)) return false;
  uint32_t& number = cells[IndexOf(column, row)];
  if (number == kNoTile) return false;
  number = kNoTile;
  --tileCount;
  return true;
}

// The test that the renderer makes for a sprite of its own: its left edge before
// the target's right one, its right edge past 0.
bool RkTileGrid::ReachesInto(int32_t origin, int32_t cell, float translate, int size) {
  const float start = PixelOf(origin, cell) + translate;
  return start < size && start + kCellSize > 0.0f;
}

// Estimated in double, then settled cell by cell with the exact float test, so a
// cell on the edge is drawn exactly when its sprite would have been.
void RkTileGrid::VisibleRange(int32_t origin, float translate, int size, int32_t cells, int32_t& first,
                              int32_t& last) {
  first = last = 0;
  if (!std::isfinite(translate) || cells <= 0) return;
  const double estimatedFirst = std::floor(-static_cast<double>(translate) / kCellSize) - 1.0 - origin;
  const double estimatedLast = std::ceil((static_cast<double>(size) - translate) / kCellSize) + 1.0 - origin;
  first = static_cast<int32_t>(std::fmin(std::fmax(estimatedFirst, 0.0), cells));
  last = static_cast<int32_t>(std::fmin(std::fmax(estimatedLast, 0.0), cells));
  while (first < last && !ReachesInto(origin, first, translate, size)) ++first;
  while (last > first && !ReachesInto(origin, last - 1, translate, size)) --last;
}

void RkTileGrid::ForEachInView(float translateX, float translateY, int targetWidth, int targetHeight,
                               const DrawTile& draw) const {
  int32_t firstColumn = 0, lastColumn = 0, firstRow = 0, lastRow = 0;
  VisibleRange(originX, translateX, targetWidth, width, firstColumn, lastColumn);
  VisibleRange(originY, translateY, targetHeight, height, firstRow, lastRow);
  for (int32_t x = firstColumn; x < lastColumn; ++x) {
    // The sprite's own place plus the translation, summed as the sprite's draw sums them.
    const float cellX = PixelOf(originX, x);
    for (int32_t y = firstRow; y < lastRow; ++y) {
      const uint32_t number = cells[IndexOf(x, y)];
      if (number == kNoTile) continue;
      const float cellY = PixelOf(originY, y);
      draw(images[number - 1], cellX + translateX, cellY + translateY);
    }
  }
}
