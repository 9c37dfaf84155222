// The demo world's images: simple 32 by 32 pixel art drawn by code (tiles on
// full ground, characters on exact white so the sprite colour key shows), and
// one tile sheet, "images/tiles/garden.png", of 4 by 2 cells: a pond of 2 by 2
// cells, a bush, a rock, cobbles and mushrooms, which the maps name cell by cell.
// Called by DemoWorldBuilder, which writes them under images/ of the demo folder.
#pragma once

#include <string>
#include <vector>

class PixelArt {
 public:
  static constexpr int kSize = 32;

  // Paths of the images, relative to the demo folder, as the maps name them.
  static constexpr const char* kGrass = "images/tiles/grass.png";
  static constexpr const char* kFlowers = "images/tiles/flowers.png";
  static constexpr const char* kPath = "images/tiles/path.png";
  static constexpr const char* kWater = "images/tiles/water.png";
  static constexpr const char* kWall = "images/tiles/wall.png";
  static constexpr const char* kDoor = "images/tiles/door.png";
  static constexpr const char* kFloor = "images/tiles/floor.png";
  static constexpr const char* kTree = "images/tiles/tree.png";
  static constexpr const char* kPlayer = "images/characters/ch_classm32_10.png";
  static constexpr const char* kVillager = "images/characters/villager.png";
  static constexpr const char* kGuard = "images/characters/guard.png";
  static constexpr const char* kElder = "images/characters/elder.png";
  static constexpr const char* kChild = "images/characters/child.png";

  // The garden sheet and the cells the maps use.
  static constexpr const char* kGardenSheet = "images/tiles/garden.png";
  static constexpr int kGardenColumns = 4;
  static constexpr int kGardenRows = 2;
  static constexpr const char* kPondTopLeft = "images/tiles/garden.png#0,0";
  static constexpr const char* kPondTopRight = "images/tiles/garden.png#1,0";
  static constexpr const char* kPondBottomLeft = "images/tiles/garden.png#0,1";
  static constexpr const char* kPondBottomRight = "images/tiles/garden.png#1,1";
  static constexpr const char* kBush = "images/tiles/garden.png#2,0";
  static constexpr const char* kRock = "images/tiles/garden.png#3,0";
  static constexpr const char* kCobbles = "images/tiles/garden.png#2,1";
  static constexpr const char* kMushrooms = "images/tiles/garden.png#3,1";

  // 32 x 32 RGBA pixels, row by row, 4 bytes a pixel.
  using Pixels = std::vector<unsigned char>;

  // The paths of every image file of the demo (the sheet once).
  static std::vector<std::string> ImagePaths();
  // Draws the 32 by 32 image of one of the paths above, or of one cell of the
  // garden sheet; empty for an unknown path (and for the whole sheet).
  static Pixels Draw(const std::string& path);
  // Draws the image and writes it as a PNG file at folder/path, making its
  // folders; false on failure.
  static bool Write(const std::string& path, const std::string& folder);
};
