// Test support: a map drawn as rows of characters, one a cell ('#' Impassable,
// '.' Open, ' ' Null, a letter a New Area cell whose target the test sets), every
// cell showing the image "ok.png".
#pragma once

#include <string>
#include <vector>

#include "RkWorld.h"

inline RkWorld MapFromRows(const std::vector<std::string>& rows) {
  RkWorld world;
  world.Grow(static_cast<int32_t>(rows[0].size()) - 1, static_cast<int32_t>(rows.size()) - 1);
  for (int32_t y = 0; y < world.GetHeight(); ++y) {
    for (int32_t x = 0; x < world.GetWidth(); ++x) {
      const char symbol = rows[y][x];
      world.SetTileType(x, y, symbol == '#' ? TileImpassable : symbol == '.' ? TileOpen : symbol == ' ' ? TileNull : TileNewArea);
      world.SetTileImageFile(x, y, "ok.png");
    }
  }
  return world;
}
