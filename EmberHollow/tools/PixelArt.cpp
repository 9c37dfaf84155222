// Draws the demo world's pixel art. Everything is deterministic (a hash stands
// in for randomness), so regenerating the demo gives the same images.
#include "PixelArt.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <filesystem>
#include <map>

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
  return paths;
}

PixelArt::Pixels PixelArt::Draw(const std::string& path) {
  const auto found = Painters().find(path);
  if (found == Painters().end()) return {};
  Canvas canvas;
  found->second(canvas);
  return canvas.Take();
}

bool PixelArt::Write(const std::string& path, const std::string& folder) {
  Pixels pixels = Draw(path);
  if (pixels.empty()) return false;
  const std::filesystem::path target = std::filesystem::path(folder) / path;
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  if (error) return false;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kSize, kSize, 32, kSize * 4,
                                                           SDL_PIXELFORMAT_RGBA32);
  if (surface == nullptr) return false;
  const bool written = IMG_SavePNG(surface, target.string().c_str()) == 0;
  SDL_FreeSurface(surface);
  return written;
}
