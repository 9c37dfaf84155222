// The tiles of a whole map as one block of the renderer's sprite list. The game
// registers every cell of a map as a tile sprite, column by column; on a map of a
// million cells those sprites took seconds to make and hundreds of megabytes to
// keep, while a frame shows a few hundred of them. The grid keeps one sprite per
// distinct image and one image number per cell, and a frame visits only the
// cells in view.
//
// It stands for exactly the sprites it replaces: for every cell (x, y) with an
// image, a tile sprite of that image, 32 by 32, at world pixel (32 (originX + x),
// 32 (originY + y)), in column order. The game's grid starts at (0, 0); the
// editor's is shifted by its origin, the view cell of the map's cell (0, 0).
// Cells may be erased from it (RemoveTileSprites) but not added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "RkSprite.h"

struct SDL_Renderer;

class RkTileGrid {
 public:
  static constexpr int kCellSize = 32;
  // The image file of cell (x, y); empty for a cell without a tile.
  using ImageAt = std::function<const char*(int32_t x, int32_t y)>;
  // Draws one tile: its image's sprite, which stands at (0, 0), shifted by the
  // translation that puts it on its cell in the view.
  using DrawTile = std::function<void(const RkSprite& image, float translateX, float translateY)>;

  // Loads the images that the cells name, column by column, each once: an image
  // that cannot be loaded ends the program as AddSprite's would, and it is the
  // same image that AddSprite would have stopped at.
  RkTileGrid(SDL_Renderer* device, int32_t originX, int32_t originY, int32_t width, int32_t height,
             const ImageAt& imageAt);

  int32_t GetOriginX() const { return originX; }
  int32_t GetOriginY() const { return originY; }
  int32_t GetWidth() const { return width; }
  int32_t GetHeight() const { return height; }
  size_t GetTileCount() const { return tileCount; }
  // The image's sprite of cell (x, y), standing at (0, 0); null for a cell
  // without a tile or outside the grid.
  const RkSprite* GetImage(int32_t x, int32_t y) const;

  // Where a cell's sprite stands on an axis: 32 pixels per cell from the origin's
  // cell, summed as the editor places a tile sprite of its own.
  static float PixelOf(int32_t origin, int32_t cell);

  // Erases the tile whose sprite stands at world pixel (x, y) exactly, if any.
  bool RemoveAt(float x, float y);

  // Calls draw for every tile that reaches into the target [0, targetWidth) by
  // [0, targetHeight) once shifted by (translateX, translateY), in column order,
  // with the translation that places it: the same pixels, tested and placed with
  // the same arithmetic, as for a tile sprite of its own.
  void ForEachInView(float translateX, float translateY, int targetWidth, int targetHeight,
                     const DrawTile& draw) const;

 private:
  static constexpr uint32_t kNoTile = 0;

  // The first and one past the last cell of an axis that reach into [0, size)
  // when shifted by translate; empty (first == last) when none does.
  static void VisibleRange(int32_t origin, float translate, int size, int32_t cells, int32_t& first, int32_t& last);
  static bool ReachesInto(int32_t origin, int32_t cell, float translate, int size);
  // The cell of an axis whose sprite stands exactly at pixel, if any.
  static bool CellAt(int32_t origin, int32_t cells, float pixel, int32_t& cell);
  uint32_t ImageNumberOf(SDL_Renderer* device, const char* file);
  size_t IndexOf(int32_t x, int32_t y) const { return static_cast<size_t>(x) * height + y; }

  int32_t originX;
  int32_t originY;
  int32_t width;
  int32_t height;
  size_t tileCount = 0;
  // One sprite per distinct image, in the order the cells first name them.
  std::vector<RkSprite> images;
  // Column after column, like the world's grid: 0 for no tile, else the image's
  // place in images plus one.
  std::vector<uint32_t> cells;
};
