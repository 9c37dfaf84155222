// Draws the demo world's pixel art. Everything is deterministic (a hash stands
// in for randomness), so regenerating the demo gives the same images.
#include "PixelArt.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace {

struct Color {
  unsigned char r, g, b;
};

constexpr Color kWhite{255, 255, 255};

// A 32 x 32 RGBA image being drawn.
class Canvas {
 public:
  Canvas() : pixels_(PixelArt::kSize * PixelArt::kSize * 4, 255) {}

  void Set(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= PixelArt::kSize || y >= PixelArt::kSize) return;
    unsigned char* pixel = &pixels_[(y * PixelArt::kSize + x) * 4];
    pixel[0] = color.r;
    pixel[1] = color.g;
    pixel[2] = color.b;
    pixel[3] = 255;
  }
  void Fill(int left, int top, int width, int height, Color color) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) Set(x, y, color);
    }
  }
  PixelArt::Pixels Take() { return std::move(pixels_); }

 private:
  PixelArt::Pixels pixels_;
};

// A fixed pseudo-random value 0..255 for a pixel, so textures look natural
// while staying the same on every run.
int Noise(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<int>((h ^ (h >> 16)) & 0xFF);
}

Color Shade(Color color, int amount) {
  auto clamp = [](int value) { return static_cast<unsigned char>(value < 0 ? 0 : value > 255 ? 255 : value); };
  return {clamp(color.r + amount), clamp(color.g + amount), clamp(color.b + amount)};
}

void DrawGrassGround(Canvas& canvas, uint32_t seed) {
  const Color base{78, 154, 62};
  for (int y = 0; y < PixelArt::kSize; ++y) {
    for (int x = 0; x < PixelArt::kSize; ++x) {
      const int n = Noise(x, y, seed);
      canvas.Set(x, y, Shade(base, (n % 13) - 6));
    }
  }
  // Short blades: a dark foot and a light tip, at scattered places.
  for (int i = 0; i < 14; ++i) {
    const int x = Noise(i, 1, seed) % PixelArt::kSize;
    const int y = 1 + Noise(i, 2, seed) % (PixelArt::kSize - 1);
    canvas.Set(x, y, Color{52, 118, 44});
    canvas.Set(x, y - 1, Color{112, 184, 84});
  }
}

void DrawGrass(Canvas& canvas) { DrawGrassGround(canvas, 1); }

void DrawFlower(Canvas& canvas, int x, int y, Color petal) {
  canvas.Set(x - 1, y, petal);
  canvas.Set(x + 1, y, petal);
  canvas.Set(x, y - 1, petal);
  canvas.Set(x, y + 1, petal);
  canvas.Set(x, y, Color{250, 220, 60});
  canvas.Set(x, y + 2, Color{40, 110, 40});
}

void DrawFlowers(Canvas& canvas) {
  DrawGrassGround(canvas, 2);
  DrawFlower(canvas, 6, 7, Color{220, 60, 70});
  DrawFlower(canvas, 22, 5, Color{245, 245, 250});
  DrawFlower(canvas, 14, 17, Color{240, 200, 40});
  DrawFlower(canvas, 26, 24, Color{220, 60, 70});
  DrawFlower(canvas, 7, 26, Color{150, 110, 230});
}

void DrawPath(Canvas& canvas) {
  const Color base{190, 154, 104};
  for (int y = 0; y < PixelArt::kSize; ++y) {
    for (int x = 0; x < PixelArt::kSize; ++x) {
      canvas.Set(x, y, Shade(base, (Noise(x, y, 3) % 17) - 8));
    }
  }
  for (int i = 0; i < 9; ++i) {
    const int x = Noise(i, 5, 3) % 31;
    const int y = Noise(i, 6, 3) % 31;
    canvas.Fill(x, y, 2, 2, Color{150, 122, 88});
    canvas.Set(x, y, Color{214, 184, 134});
  }
}

void DrawWater(Canvas& canvas) {
  for (int y = 0; y < PixelArt::kSize; ++y) {
    for (int x = 0; x < PixelArt::kSize; ++x) {
      const Color deep{40, 96, 190};
      canvas.Set(x, y, Shade(deep, (Noise(x, y, 4) % 9) - 4 + (y % 8 < 4 ? 6 : 0)));
    }
  }
  // Wave crests: short light arcs, staggered row by row.
  for (int row = 0; row < 4; ++row) {
    const int top = 3 + row * 8;
    const int left = (row % 2 == 0) ? 3 : 17;
    for (int dx = 0; dx < 8; ++dx) {
      const int dy = (dx == 0 || dx == 7) ? 1 : 0;
      canvas.Set(left + dx, top + dy, Color{140, 190, 240});
    }
  }
}

void DrawStoneBricks(Canvas& canvas, uint32_t seed) {
  const Color mortar{84, 84, 90};
  canvas.Fill(0, 0, PixelArt::kSize, PixelArt::kSize, mortar);
  for (int row = 0; row < 4; ++row) {
    const int top = row * 8;
    const int offset = (row % 2 == 0) ? 0 : 8;
    for (int brick = -1; brick < 2; ++brick) {
      const int left = offset + brick * 16;
      const Color stone = Shade(Color{150, 150, 160}, (Noise(brick + 2, row, seed) % 25) - 12);
      for (int y = top + 1; y < top + 7; ++y) {
        for (int x = left + 1; x < left + 15; ++x) {
          Color pixel = Shade(stone, (Noise(x, y, seed + 7) % 9) - 4);
          if (y == top + 1) pixel = Shade(stone, 28);      // lit upper edge
          if (y == top + 6) pixel = Shade(stone, -30);     // shaded lower edge
          canvas.Set(x, y, pixel);
        }
      }
    }
  }
}

void DrawWall(Canvas& canvas) { DrawStoneBricks(canvas, 5); }

void DrawDoor(Canvas& canvas) {
  DrawStoneBricks(canvas, 6);
  const Color wood{132, 82, 42};
  // An arched wooden door inside the stone.
  canvas.Fill(6, 6, 20, 26, Color{60, 40, 24});
  canvas.Fill(8, 4, 16, 2, Color{60, 40, 24});
  for (int y = 6; y < 32; ++y) {
    for (int x = 8; x < 24; ++x) {
      const bool seam = (x - 8) % 5 == 4;
      canvas.Set(x, y, seam ? Shade(wood, -40) : Shade(wood, (Noise(x, y, 8) % 11) - 5));
    }
  }
  canvas.Fill(10, 4, 12, 2, Shade(wood, -10));
  canvas.Fill(8, 12, 16, 2, Color{70, 70, 76});  // iron bands
  canvas.Fill(8, 24, 16, 2, Color{70, 70, 76});
  canvas.Fill(19, 18, 2, 2, Color{228, 196, 70});  // the knob
}

void DrawFloor(Canvas& canvas) {
  const Color plank{172, 122, 72};
  for (int y = 0; y < PixelArt::kSize; ++y) {
    const int board = y / 8;
    for (int x = 0; x < PixelArt::kSize; ++x) {
      const int joint = (board % 2 == 0) ? 20 : 9;
      Color pixel = Shade(plank, (Noise(x / 3, y, 9 + board) % 15) - 7);
      if (y % 8 == 7 || x == joint) pixel = Color{110, 72, 40};
      canvas.Set(x, y, pixel);
    }
  }
}

void DrawTree(Canvas& canvas) {
  DrawGrassGround(canvas, 10);
  canvas.Fill(13, 20, 6, 11, Color{100, 64, 34});
  canvas.Fill(14, 20, 2, 11, Color{128, 86, 48});
  const int cx = 16, cy = 13, radius = 12;
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      const int dx = x - cx, dy = y - cy;
      const int distance = dx * dx + dy * dy;
      if (distance > radius * radius) continue;
      Color leaf = Shade(Color{38, 112, 46}, (Noise(x, y, 11) % 21) - 10);
      if (dx + dy < -8) leaf = Shade(leaf, 30);              // sunlit side
      if (distance > (radius - 1) * (radius - 1)) leaf = Color{24, 70, 30};  // outline
      canvas.Set(x, y, leaf);
    }
  }
}

// Characters: 16 x 16 templates doubled to 32 x 32, on exact white.
constexpr const char* kFigure[16] = {
    "................",
    ".....kkkkkk.....",
    "....khhhhhhk....",
    "...khhhhhhhhk...",
    "...khsssssshk...",
    "...kssessessk...",
    "...kssssssssk...",
    "....kssmmssk....",
    ".....kksskk.....",
    "...kcccccccck...",
    "..kcccccccccck..",
    "..kskccccccksk..",
    "....kppppppk....",
    "....kppkkppk....",
    "....kbbkkbbk....",
    "................",
};

struct Outfit {
  Color hair, shirt, pants;
};

void DrawFigure(Canvas& canvas, const Outfit& outfit) {
  const std::map<char, Color> palette = {
      {'k', Color{40, 30, 30}},   {'s', Color{238, 196, 156}}, {'e', Color{30, 30, 70}},
      {'m', Color{176, 84, 74}},  {'b', Color{64, 42, 30}},    {'h', outfit.hair},
      {'c', outfit.shirt},        {'p', outfit.pants},
  };
  canvas.Fill(0, 0, PixelArt::kSize, PixelArt::kSize, kWhite);
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; kFigure[row][column] != '\0' && column < 16; ++column) {
      const auto found = palette.find(kFigure[row][column]);
      if (found == palette.end()) continue;
      canvas.Fill(column * 2, row * 2, 2, 2, found->second);
    }
  }
}

void DrawPlayer(Canvas& canvas) {
  DrawFigure(canvas, {Color{112, 70, 36}, Color{46, 92, 200}, Color{60, 60, 80}});
}
void DrawVillager(Canvas& canvas) {
  DrawFigure(canvas, {Color{228, 196, 92}, Color{64, 160, 70}, Color{120, 90, 60}});
}
void DrawGuard(Canvas& canvas) {
  DrawFigure(canvas, {Color{128, 130, 140}, Color{176, 40, 44}, Color{90, 90, 100}});
}
void DrawElder(Canvas& canvas) {
  DrawFigure(canvas, {Color{196, 196, 204}, Color{112, 60, 150}, Color{112, 60, 150}});
}
void DrawChild(Canvas& canvas) {
  DrawFigure(canvas, {Color{200, 90, 40}, Color{240, 170, 40}, Color{70, 110, 170}});
}

// The garden sheet's cells: a pond in four cells, each with grass along the
// pond's outer edges, then a bush, a rock, cobbles and mushrooms.
void DrawPondCell(Canvas& canvas, int column, int row) {
  DrawGrassGround(canvas, 20 + column + 2 * row);
  const int cx = column == 0 ? 32 : 0;  // the pond's centre, in this cell's pixels
  const int cy = row == 0 ? 32 : 0;
  for (int y = 0; y < PixelArt::kSize; ++y) {
    for (int x = 0; x < PixelArt::kSize; ++x) {
      const int dx = x - cx, dy = y - cy;
      const int distance = dx * dx + dy * dy;
      if (distance > 28 * 28) continue;
      Color water = Shade(Color{44, 104, 196}, (Noise(x, y, 21) % 9) - 4);
      if (distance > 26 * 26) water = Color{120, 96, 60};  // the muddy bank
      if ((x + 2 * y) % 11 == 0 && distance < 20 * 20) water = Color{150, 196, 240};
      canvas.Set(x, y, water);
    }
  }
}

void DrawPondTopLeft(Canvas& canvas) { DrawPondCell(canvas, 0, 0); }
void DrawPondTopRight(Canvas& canvas) { DrawPondCell(canvas, 1, 0); }
void DrawPondBottomLeft(Canvas& canvas) { DrawPondCell(canvas, 0, 1); }
void DrawPondBottomRight(Canvas& canvas) { DrawPondCell(canvas, 1, 1); }

void DrawBush(Canvas& canvas) {
  DrawGrassGround(canvas, 24);
  for (int y = 4; y < 30; ++y) {
    for (int x = 3; x < 29; ++x) {
      const int dx = x - 16, dy = y - 17;
      if (dx * dx + dy * dy * 3 / 2 > 13 * 13) continue;
      Color leaf = Shade(Color{34, 100, 40}, (Noise(x, y, 25) % 19) - 9);
      if (dx + dy < -10) leaf = Shade(leaf, 26);
      canvas.Set(x, y, leaf);
    }
  }
  for (int i = 0; i < 6; ++i) canvas.Fill(8 + Noise(i, 1, 26) % 15, 10 + Noise(i, 2, 26) % 12, 2, 2, Color{200, 40, 60});
}

void DrawRock(Canvas& canvas) {
  DrawGrassGround(canvas, 27);
  for (int y = 8; y < 28; ++y) {
    for (int x = 5; x < 27; ++x) {
      const int dx = x - 16, dy = y - 19;
      if (dx * dx + dy * dy * 2 > 11 * 11 * 2) continue;
      Color stone = Shade(Color{128, 126, 120}, (Noise(x, y, 28) % 15) - 7);
      if (dy < -5 || dx + dy < -9) stone = Shade(stone, 30);
      if (dy > 5) stone = Shade(stone, -30);
      canvas.Set(x, y, stone);
    }
  }
}

void DrawCobbles(Canvas& canvas) {
  canvas.Fill(0, 0, PixelArt::kSize, PixelArt::kSize, Color{96, 90, 84});
  for (int row = 0; row < 4; ++row) {
    for (int stone = -1; stone < 4; ++stone) {
      const int left = stone * 8 + (row % 2 == 0 ? 0 : 4);
      const Color face = Shade(Color{160, 152, 140}, (Noise(stone + 1, row, 29) % 31) - 15);
      canvas.Fill(left + 1, row * 8 + 1, 6, 6, face);
      canvas.Fill(left + 1, row * 8 + 1, 6, 1, Shade(face, 24));
    }
  }
}

void DrawMushrooms(Canvas& canvas) {
  DrawGrassGround(canvas, 30);
  const int places[3][2] = {{8, 12}, {20, 8}, {17, 22}};
  for (const auto& place : places) {
    const int x = place[0], y = place[1];
    canvas.Fill(x - 1, y + 2, 3, 4, Color{236, 226, 204});
    canvas.Fill(x - 4, y, 9, 3, Color{196, 40, 36});
    canvas.Fill(x - 3, y - 1, 7, 1, Color{196, 40, 36});
    canvas.Set(x - 2, y, Color{250, 250, 250});
    canvas.Set(x + 2, y + 1, Color{250, 250, 250});
  }
}

// The cells of the garden sheet by their paths, column by column.
const std::map<std::string, void (*)(Canvas&)>& GardenCells() {
  static const std::map<std::string, void (*)(Canvas&)> cells = {
      {PixelArt::kPondTopLeft, DrawPondTopLeft},       {PixelArt::kPondTopRight, DrawPondTopRight},
      {PixelArt::kPondBottomLeft, DrawPondBottomLeft}, {PixelArt::kPondBottomRight, DrawPondBottomRight},
      {PixelArt::kBush, DrawBush},                     {PixelArt::kRock, DrawRock},
      {PixelArt::kCobbles, DrawCobbles},               {PixelArt::kMushrooms, DrawMushrooms},
  };
  return cells;
}

const std::map<std::string, void (*)(Canvas&)>& Painters() {
  static const std::map<std::string, void (*)(Canvas&)> painters = {
      {PixelArt::kGrass, DrawGrass},     {PixelArt::kFlowers, DrawFlowers},
      {PixelArt::kPath, DrawPath},       {PixelArt::kWater, DrawWater},
      {PixelArt::kWall, DrawWall},       {PixelArt::kDoor, DrawDoor},
      {PixelArt::kFloor, DrawFloor},     {PixelArt::kTree, DrawTree},
      {PixelArt::kPlayer, DrawPlayer},   {PixelArt::kVillager, DrawVillager},
      {PixelArt::kGuard, DrawGuard},     {PixelArt::kElder, DrawElder},
      {PixelArt::kChild, DrawChild},
  };
  return painters;
}

}  // namespace

std::vector<std::string> PixelArt::ImagePaths() {
  std::vector<std::string> paths;
  for (const auto& entry : Painters()) paths.push_back(entry.first);
  paths.push_back(kGardenSheet);
  return paths;
}

PixelArt::Pixels PixelArt::Draw(const std::string& path) {
  auto painter = Painters().find(path);
  if (painter == Painters().end()) {
    painter = GardenCells().find(path);
    if (painter == GardenCells().end()) return {};
  }
  Canvas canvas;
  painter->second(canvas);
  return canvas.Take();
}

// The sheet's cells side by side, as an artist's sheet holds them.
static PixelArt::Pixels DrawGardenSheet() {
  constexpr int kWidth = PixelArt::kGardenColumns * PixelArt::kSize;
  PixelArt::Pixels sheet(kWidth * PixelArt::kGardenRows * PixelArt::kSize * 4);
  for (int row = 0; row < PixelArt::kGardenRows; ++row) {
    for (int column = 0; column < PixelArt::kGardenColumns; ++column) {
      const std::string cell =
          std::string(PixelArt::kGardenSheet) + "#" + std::to_string(column) + "," + std::to_string(row);
      const PixelArt::Pixels pixels = PixelArt::Draw(cell);
      for (int y = 0; y < PixelArt::kSize; ++y) {
        std::copy_n(&pixels[y * PixelArt::kSize * 4], PixelArt::kSize * 4,
                    &sheet[((row * PixelArt::kSize + y) * kWidth + column * PixelArt::kSize) * 4]);
      }
    }
  }
  return sheet;
}

bool PixelArt::Write(const std::string& path, const std::string& folder) {
  const bool isSheet = path == kGardenSheet;
  Pixels pixels = isSheet ? DrawGardenSheet() : Draw(path);
  if (pixels.empty()) return false;
  const int width = isSheet ? kGardenColumns * kSize : kSize;
  const int height = isSheet ? kGardenRows * kSize : kSize;
  const std::filesystem::path target = std::filesystem::path(folder) / path;
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  if (error) return false;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_RGBA32);
  if (surface == nullptr) return false;
  const bool written = IMG_SavePNG(surface, target.string().c_str()) == 0;
  SDL_FreeSurface(surface);
  return written;
}
