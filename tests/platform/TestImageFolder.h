// Test images made with SDL at test time in a scratch folder of their own:
// solid squares, squares with a white part, and four-colour quadrants.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "RkColor.h"

// The opaque colours the pixel tests draw with and read back (0xAARRGGBB).
constexpr RkColor kRed = 0xFFFF0000u;
constexpr RkColor kGreen = 0xFF00FF00u;
constexpr RkColor kBlue = 0xFF0000FFu;
constexpr RkColor kYellow = 0xFFFFFF00u;
constexpr RkColor kBlack = 0xFF000000u;
constexpr RkColor kWhite = 0xFFFFFFFFu;

class TestImageFolder {
 public:
  TestImageFolder() {
    std::string pattern = testing::TempDir() + "rk_platform_XXXXXX";
    char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    folder = pattern;
  }
  ~TestImageFolder() { std::system(("rm -rf '" + folder + "'").c_str()); }

  std::string Path(const std::string& name) const { return folder + "/" + name; }

  // A size by size image of one colour (0xAARRGGBB).
  std::string Solid(const std::string& name, uint32_t color, int size = 32) const {
    return Save(name, size, size, [color](int, int) { return color; });
  }
  // Left half white, right half the given colour.
  std::string HalfWhite(const std::string& name, uint32_t color, int size = 32) const {
    return Save(name, size, size, [color, size](int x, int) { return x < size / 2 ? 0xFFFFFFFFu : color; });
  }
  // Quadrants: top-left, top-right, bottom-left, bottom-right.
  std::string Quadrants(const std::string& name, int size, uint32_t tl, uint32_t tr, uint32_t bl,
                        uint32_t br) const {
    return Save(name, size, size, [=](int x, int y) {
      if (y < size / 2) return x < size / 2 ? tl : tr;
      return x < size / 2 ? bl : br;
    });
  }

  template <typename ColorAt>
  std::string Save(const std::string& name, int width, int height, ColorAt colorAt) const {
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(image->pixels) + y * image->pitch);
      for (int x = 0; x < width; ++x) row[x] = colorAt(x, y);
    }
    const std::string path = Path(name);
    EXPECT_EQ(IMG_SavePNG(image, path.c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(image);
    return path;
  }

 private:
  std::string folder;
};
