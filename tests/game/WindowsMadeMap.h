// A game folder as a Windows user hands it over: files and folders named in
// lower case on disk, maps whose records name them as Windows found them ('\',
// other case, a drive-letter path, a Windows-1252 "é" as the byte 0xE9). Shared
// by the game's and the editor's suites, made in the working directory.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <string>

#include "RkWorld.h"

namespace WindowsMadeMap {

constexpr const char* kGrass = "Images\\Tiles\\Grass.PNG";
constexpr const char* kWater = "C:\\Games\\Hollow\\images\\tiles\\water.png";
constexpr const char* kFloor = "IMAGES/tiles/FLOOR.png";
constexpr const char* kHouse = "MAPS\\House.RKM";
constexpr const char* kCafe = "Images\\Characters\\Caf\xE9.png";  // "Café" in Windows-1252
constexpr const char* kCafeOnDisk = "images/characters/caf\xC3\xA9.png";

inline void SaveImage(const std::string& path, Uint32 color) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_FillRect(image, nullptr, color);
  IMG_SavePNG(image, path.c_str());
  SDL_FreeSurface(image);
}

// "World.rkm", 3 by 3: Open grass at (0,0), (1,0) and (0,1), a New Area door at
// (2,0) into the house with start (1, 1), Impassable water elsewhere; a
// wandering NPC with the "é" image at (0,1), who can only step to (0,0).
// "maps/house.rkm": 3 by 3 Open floor.
inline void Write() {
  SaveImage("images/tiles/grass.png", 0xFF00C000u);
  SaveImage("images/tiles/water.png", 0xFF0000C0u);
  SaveImage("images/tiles/floor.png", 0xFFC08040u);
  SaveImage(kCafeOnDisk, 0xFFC00000u);
  std::filesystem::create_directories("maps");

  RkWorld world;
  world.Grow(2, 2);
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 3; ++y) {
      const bool grass = (y == 0 && x < 2) || (x == 0 && y == 1);
      world.SetTileType(x, y, grass ? TileOpen : TileImpassable);
      world.SetTileImageFile(x, y, grass ? kGrass : kWater);
    }
  }
  world.SetTileType(2, 0, TileNewArea);
  world.SetTileImageFile(2, 0, kFloor);
  world.SetTileNewArea(2, 0, kHouse, 1, 1);
  world.SetNPC("Caf\xE9 owner", 0, 1, kCafe, NPCNormal);
  world.Save("World.rkm");

  RkWorld house;
  house.Grow(2, 2);
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 3; ++y) {
      house.SetTileType(x, y, TileOpen);
      house.SetTileImageFile(x, y, kFloor);
    }
  }
  house.Save("maps/house.rkm");
}

}  // namespace WindowsMadeMap
