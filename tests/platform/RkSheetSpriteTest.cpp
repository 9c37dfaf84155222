// Cells of tile sheets on the offscreen renderer: the right cell's pixels, a
// small cell scaled to 32, the colour key on a character drawn from a sheet, one
// texture for every cell of a sheet, and names that hold '#' of their own.
#include <gtest/gtest.h>

#include <string>

#include "RkDirect3D.h"
#include "RkSprite.h"
#include "RkTexture.h"
#include "RkTextureCache.h"
#include "TestImageFolder.h"

namespace {

// Every cell of the sheet its own opaque colour.
RkColor CellColor(int column, int row) {
  return 0xFF000000u | (static_cast<RkColor>(40 + 50 * column) << 16) | (static_cast<RkColor>(30 + 70 * row) << 8) |
         0x99u;
}

class SheetSprites : public testing::Test {
 protected:
  void SetUp() override { renderer.InitializeOffscreen(256, 96); }
  // columns by rows cells of size pixels, each cell CellColor.
  std::string Sheet(const std::string& name, int columns, int rows, int size) {
    return images.Save(name, columns * size, rows * size,
                       [size](int x, int y) { return CellColor(x / size, y / size); });
  }
  TestImageFolder images;
  RkDirect3D renderer{RkProgram::Game};
};

TEST_F(SheetSprites, EachCellShowsItsOwnPixelsFromTheSheetsOneTexture) {
  const std::string sheet = Sheet("tiles.png", 4, 3, 32);
  const long texturesBefore = RkTexture::LiveCount();
  RkSprite* first = renderer.AddSprite((sheet + "#2,1").c_str(), 0.0f, 0.0f, 0, 0);
  RkSprite* second = renderer.AddSprite((sheet + "#0,2").c_str(), 32.0f, 0.0f, 0, 0);
  renderer.AddSprite((sheet + "#3,0").c_str(), 64.0f, 0.0f, 0, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(1, 1), CellColor(2, 1));
  EXPECT_EQ(renderer.ReadPixel(30, 30), CellColor(2, 1));
  EXPECT_EQ(renderer.ReadPixel(33, 1), CellColor(0, 2));
  EXPECT_EQ(renderer.ReadPixel(95, 31), CellColor(3, 0));
  EXPECT_EQ(renderer.ReadPixel(96, 0), kBlack);  // drawn at 32 by 32, not at the sheet's size
  EXPECT_EQ(first->GetTexture(), second->GetTexture());
  EXPECT_EQ(RkTexture::LiveCount() - texturesBefore, 1);

  // The sheet replaced on disk shows anew in every cell drawn from it.
  images.Save("tiles.png", 128, 96, [](int, int) { return kYellow; });
  EXPECT_GE(RkTextureCache::Instance().ReloadChanged(), 1u);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(1, 1), kYellow);
  EXPECT_EQ(renderer.ReadPixel(95, 31), kYellow);
}

TEST_F(SheetSprites, ASixteenPixelCellIsScaledToThirtyTwo) {
  const std::string sheet = Sheet("small.png", 3, 2, 16);
  renderer.AddSprite((sheet + "#1,1,16").c_str(), 0.0f, 0.0f, 0, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(0, 0), CellColor(1, 1));
  EXPECT_EQ(renderer.ReadPixel(31, 31), CellColor(1, 1));
  EXPECT_EQ(renderer.ReadPixel(32, 0), kBlack);
  EXPECT_EQ(renderer.ReadPixel(0, 32), kBlack);
}

// The key applies to the cell as to a whole image: white of a tile stays, white
// of an NPC drawn from the same cell shows the tile beneath.
TEST_F(SheetSprites, AnNpcFromASheetShowsWhiteAsTransparent) {
  const std::string sheet = images.Save("people.png", 64, 32, [](int x, int) {
    if (x < 32) return kRed;
    return x < 48 ? kWhite : kGreen;
  });
  const std::string blue = images.Solid("blue.png", kBlue);
  renderer.AddSprite((sheet + "#1,0").c_str(), 0.0f, 0.0f, 0, 0);
  renderer.AddSprite(blue.c_str(), 32.0f, 0.0f, 0, 0);
  renderer.AddSprite((sheet + "#1,0").c_str(), 32.0f, 0.0f, 0, 1);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(4, 4), kWhite);
  EXPECT_EQ(renderer.ReadPixel(20, 4), kGreen);
  EXPECT_EQ(renderer.ReadPixel(36, 4), kBlue);
  EXPECT_EQ(renderer.ReadPixel(52, 4), kGreen);
}

// A map made before sheets may name "tile.png#1,0" meaning a file of that name:
// it loads, and so do names whose '#' is followed by more than a cell.
TEST_F(SheetSprites, AFileWhoseRealNameHoldsTheSuffixStillLoads) {
  Sheet("tile.png", 2, 1, 32);
  const std::string exact = images.Solid("tile.png#1,0", kBlue);
  const std::string numbered = images.Solid("tile#2.png", kGreen);
  renderer.AddSprite(exact.c_str(), 0.0f, 0.0f, 0, 0);
  renderer.AddSprite(numbered.c_str(), 32.0f, 0.0f, 0, 0);
  renderer.AddSprite(images.Path("tile.png#0,0").c_str(), 64.0f, 0.0f, 0, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(4, 4), kBlue);
  EXPECT_EQ(renderer.ReadPixel(36, 4), kGreen);
  EXPECT_EQ(renderer.ReadPixel(68, 4), CellColor(0, 0));
}

TEST_F(SheetSprites, ACellOutsideItsSheetDoesNotLoadAndSaysWhy) {
  const std::string sheet = Sheet("edge.png", 2, 2, 32);
  const std::string cause = RkSprite::TryLoadImage(renderer.GetDevice(), (sheet + "#2,0").c_str(), 32, 32, false);
  EXPECT_EQ(cause, "The cell 2,0 (32 pixels) lies outside the sheet of 64 by 64 pixels.");
  EXPECT_EQ(RkSprite::TryLoadImage(renderer.GetDevice(), (sheet + "#1,1").c_str(), 32, 32, false), "");
  EXPECT_EXIT(renderer.AddSprite((sheet + "#0,1,48").c_str(), 0.0f, 0.0f, 0, 0), testing::ExitedWithCode(1),
              "edge.png#0,1,48");
}

}  // namespace
