// The renderer's frames read back from the offscreen surface: view translation,
// the walk, the player's fixed place, pass order, texts, overlay and previews.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "RkDirect3D.h"
#include "TestImageFolder.h"

namespace {

class RendererFrame : public testing::Test {
 protected:
  void SetUp() override {
    game.InitializeOffscreen(640, 480);
    editor.InitializeOffscreen(640, 480);
    red = images.Solid("red.png", kRed);
    green = images.Solid("green.png", kGreen);
    blue = images.Solid("blue.png", kBlue);
  }

  // The first column of x in [from, to) whose pixel on row y is the colour, or -1.
  static int FirstColumnOf(const RkDirect3D& renderer, RkColor color, int y, int from, int to) {
    for (int x = from; x < to; ++x) {
      if (renderer.ReadPixel(x, y) == color) return x;
    }
    return -1;
  }

  TestImageFolder images;
  RkDirect3D game{RkProgram::Game};
  RkDirect3D editor{RkProgram::Editor};
  std::string red, green, blue;
};

TEST_F(RendererFrame, FocusAtTopLeftShiftsWorldSpritesByThirtyTwoPerTile) {
  editor.AddSprite(red.c_str(), 96.0f, 160.0f, 32, 32, 0, 0);
  editor.AddSprite(green.c_str(), 128.0f, 160.0f, 32, 32, 0, 1);
  EXPECT_FLOAT_EQ(editor.TranslationX(0, 3), -96.0f);
  EXPECT_FLOAT_EQ(editor.TranslationY(0, 5), -160.0f);

  editor.RenderFrame(nullptr, 0, 0, 3, 5);

  EXPECT_EQ(editor.ReadPixel(0, 0), kRed);
  EXPECT_EQ(editor.ReadPixel(31, 31), kRed);
  EXPECT_EQ(editor.ReadPixel(32, 0), kGreen);
  EXPECT_EQ(editor.ReadPixel(64, 0), kBlack);
  EXPECT_EQ(editor.ReadPixel(0, 32), kBlack);
}

TEST_F(RendererFrame, FocusTileLandsAtViewCentreInTheGame) {
  game.AddSprite(red.c_str(), 32.0f * 7, 32.0f * 2, 0, 0);
  game.RenderFrame(nullptr, 640, 480, 7, 2);
  EXPECT_EQ(game.ReadPixel(320, 240), kRed);
  EXPECT_EQ(game.ReadPixel(351, 271), kRed);
  EXPECT_EQ(game.ReadPixel(319, 240), kBlack);
  EXPECT_EQ(game.ReadPixel(352, 240), kBlack);
}

// Column 10, walking left: tx runs -32, -30 ... -2 over 16 frames, then 0.
TEST_F(RendererFrame, WalkLeftFromColumnTenClosesInTwoPixelsPerFrame) {
  game.AddSprite(red.c_str(), 352.0f, 0.0f, 0, 0);
  game.StartWalk(1);
  for (int frame = 0; frame < 16; ++frame) {
    const float expected = -32.0f + 2.0f * frame;
    ASSERT_EQ(game.IsWalking(), 1) << "frame " << frame;
    ASSERT_FLOAT_EQ(game.TranslationX(640, 10), expected) << "frame " << frame;
    game.RenderFrame(nullptr, 640, 480, 10, 0);
    ASSERT_EQ(FirstColumnOf(game, kRed, 240, 0, 640), 352 + static_cast<int>(expected)) << "frame " << frame;
  }
  EXPECT_EQ(game.IsWalking(), 0);
  EXPECT_EQ(game.GetWalkDirection(), 0);
  EXPECT_EQ(game.GetWalkOffset(), 0);
  EXPECT_FLOAT_EQ(game.TranslationX(640, 10), 0.0f);
  game.RenderFrame(nullptr, 640, 480, 10, 0);
  EXPECT_EQ(FirstColumnOf(game, kRed, 240, 0, 640), 352);
}

TEST_F(RendererFrame, WalkInEachDirectionStartsOneTileBehind) {
  const struct {
    int direction;
    float tx;
    float ty;
  } cases[] = {{1, -32.0f, 0.0f}, {2, 32.0f, 0.0f}, {3, 0.0f, -32.0f}, {4, 0.0f, 32.0f}};
  for (const auto& walk : cases) {
    RkDirect3D renderer;
    renderer.StartWalk(walk.direction);
    EXPECT_FLOAT_EQ(renderer.TranslationX(640, 10), 320.0f - 320.0f + walk.tx) << walk.direction;
    EXPECT_FLOAT_EQ(renderer.TranslationY(480, 7), 240.0f - 224.0f + walk.ty) << walk.direction;
  }
}

TEST_F(RendererFrame, PlayerSpriteStaysAtItsBackBufferPositionWalkingOrNot) {
  game.AddSprite(red.c_str(), 320.0f, 240.0f, 1, 0);
  game.StartWalk(4);
  for (int frame = 0; frame < 18; ++frame) {
    game.RenderFrame(nullptr, 640, 480, 40 + frame, 3);
    ASSERT_EQ(game.ReadPixel(320, 240), kRed) << "frame " << frame;
    ASSERT_EQ(game.ReadPixel(351, 271), kRed) << "frame " << frame;
    ASSERT_EQ(game.ReadPixel(319, 240), kBlack) << "frame " << frame;
  }
}

TEST_F(RendererFrame, TileListedAfterAnNpcIsStillDrawnUnderIt) {
  game.AddSprite(blue.c_str(), 0.0f, 0.0f, 0, 1);
  game.AddSprite(red.c_str(), 0.0f, 0.0f, 0, 0);
  game.AddSprite(green.c_str(), 320.0f, 240.0f, 1, 0);
  game.AddSprite(red.c_str(), 320.0f, 240.0f, 0, 0);
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(game.ReadPixel(10, 10), kBlue);
  EXPECT_EQ(game.ReadPixel(330, 250), kGreen);
}

TEST_F(RendererFrame, LaterCharacterSpritesDrawOverEarlierOnes) {
  game.AddSprite(blue.c_str(), 0.0f, 0.0f, 0, 1);
  game.AddSprite(green.c_str(), 16.0f, 0.0f, 0, 1);
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(game.ReadPixel(8, 8), kBlue);
  EXPECT_EQ(game.ReadPixel(20, 8), kGreen);
}

TEST_F(RendererFrame, SpritePartlyOutsideTheViewDrawsItsVisiblePart) {
  game.AddSprite(red.c_str(), -16.0f, -16.0f, 0, 0);
  game.AddSprite(green.c_str(), 624.0f, 464.0f, 0, 1);
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(game.ReadPixel(0, 0), kRed);
  EXPECT_EQ(game.ReadPixel(15, 15), kRed);
  EXPECT_EQ(game.ReadPixel(16, 16), kBlack);
  EXPECT_EQ(game.ReadPixel(639, 479), kGreen);
}

TEST_F(RendererFrame, OverlappingTilesFromNeighbouringRegionsDrawInListOrder) {
  game.AddSprite(red.c_str(), 256.0f, 0.0f, 0, 0);
  game.AddSprite(green.c_str(), 250.0f, 0.0f, 0, 0);
  game.AddSprite(blue.c_str(), 300.0f, 0.0f, 0, 1);
  game.AddSprite(green.c_str(), 290.0f, 0.0f, 0, 1);
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(game.ReadPixel(260, 5), kGreen);
  EXPECT_EQ(game.ReadPixel(285, 5), kRed);
  EXPECT_EQ(game.ReadPixel(305, 5), kGreen);
  EXPECT_EQ(game.ReadPixel(325, 5), kBlue);
}

TEST_F(RendererFrame, FarFocusOnALargeMapDrawsTheTilesAroundIt) {
  for (int x = 0; x < 120; ++x) {
    for (int y = 0; y < 90; ++y) {
      const bool marked = x == 100 && y == 70;
      game.AddSprite((marked ? green : red).c_str(), 32.0f * x, 32.0f * y, 0, 0);
    }
  }
  game.AddSprite(blue.c_str(), 32.0f * 90, 32.0f * 63, 0, 1);
  game.RenderFrame(nullptr, 640, 480, 100, 70);
  EXPECT_EQ(game.ReadPixel(320, 240), kGreen);
  EXPECT_EQ(game.ReadPixel(352, 240), kRed);
  EXPECT_EQ(game.ReadPixel(0, 0), kRed);
  EXPECT_EQ(game.ReadPixel(639, 479), kRed);
  EXPECT_EQ(game.ReadPixel(0, 16), kBlue);

  game.RenderFrame(nullptr, 640, 480, 118, 88);
  EXPECT_EQ(game.ReadPixel(320, 240), kRed);
  EXPECT_EQ(game.ReadPixel(639, 479), kBlack);
}

TEST_F(RendererFrame, SpritesAtPositionsBeyondReachAreKeptButNotDrawn) {
  game.AddSprite(red.c_str(), 1.0e20f, 0.0f, 0, 0);
  game.AddSprite(red.c_str(), std::nanf(""), 0.0f, 0, 1);
  game.AddSprite(red.c_str(), -1.0e30f, -1.0e30f, 0, 1);
  game.AddSprite(green.c_str(), 0.0f, 0.0f, 0, 0);
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(game.GetSprites().size(), 4u);
  EXPECT_EQ(game.ReadPixel(0, 0), kGreen);
  EXPECT_EQ(game.ReadPixel(40, 0), kBlack);
  game.RemoveTileSprites(1.0e20f, 0.0f);
  game.RemoveNpcSprites(-1.0e30f, -1.0e30f);
  EXPECT_EQ(game.GetSprites().size(), 2u);
  game.RenderFrame(nullptr, 0, 0, -40000000, 0);
  EXPECT_EQ(game.ReadPixel(0, 0), kBlack);
}

// Zoomed out, the tiles of the last frame may be reused: a changed tile, a moved
// view, removed tiles and an added one must each show in the very next frame.
TEST_F(RendererFrame, ZoomedOutFrameShowsEachTileChangeAtOnce) {
  editor.SetViewZoom(0.5f, 0.0f, 0.0f);
  editor.AddSprite(red.c_str(), 0.0f, 0.0f, 32, 32, 0, 0);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(8, 8), kRed);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(8, 8), kRed);

  editor.RemoveTileSprites(0.0f, 0.0f);
  editor.AddSprite(green.c_str(), 0.0f, 0.0f, 32, 32, 0, 0);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(8, 8), kGreen);

  editor.SetViewZoom(0.5f, -32.0f, 0.0f);  // a cell to the right: 16 pixels at half size
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(8, 8), kBlack);
  EXPECT_EQ(editor.ReadPixel(24, 8), kGreen);

  editor.ClearSprites();
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(24, 8), kBlack);
  editor.AddSprite(blue.c_str(), 0.0f, 0.0f, 32, 32, 0, 0);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(24, 8), kBlue);
}

TEST_F(RendererFrame, EachFrameStartsFromBlack) {
  game.AddSprite(red.c_str(), 0.0f, 0.0f, 0, 0);
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  ASSERT_EQ(game.ReadPixel(0, 0), kRed);
  game.ClearSprites();
  game.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(game.ReadPixel(0, 0), kBlack);
}

TEST_F(RendererFrame, TextIsDrawnWholeBeyondItsRectangleAndOverTheSprites) {
  for (int column = 0; column < 8; ++column) editor.AddSprite(red.c_str(), 32.0f * column, 0.0f, 32, 32, 0, 0);
  editor.AddText("World Size: 256 x 256", 10, 10, 80, 18, kWhite);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);

  int rightmostLit = -1;
  int lowestLit = -1;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 256; ++x) {
      const RkColor pixel = editor.ReadPixel(x, y);
      if (pixel == kRed || pixel == kBlack) continue;
      EXPECT_GE(x, 10);
      EXPECT_GE(y, 10);
      rightmostLit = std::max(rightmostLit, x);
      lowestLit = std::max(lowestLit, y);
    }
  }
  EXPECT_GT(rightmostLit, 80);
  EXPECT_GT(lowestLit, 18);
  EXPECT_LT(lowestLit, 10 + RkDirect3D::kFontHeight);
}

TEST_F(RendererFrame, LineFeedStartsANewLineAndBlankTextsDrawNothing) {
  editor.AddText("", 0, 0, 0, 0, kWhite);
  editor.AddText(" \n ", 0, 0, 0, 0, kWhite);
  editor.AddText("Top\nBottom", 10, 10, 80, 18, kWhite);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  auto rowLit = [this](int y) {
    for (int x = 0; x < 200; ++x) {
      if (editor.ReadPixel(x, y) != kBlack) return true;
    }
    return false;
  };
  int litRowsBelowFirstLine = 0;
  for (int y = 10 + RkDirect3D::kFontHeight; y < 10 + 2 * RkDirect3D::kFontHeight + 4; ++y) {
    litRowsBelowFirstLine += rowLit(y) ? 1 : 0;
  }
  EXPECT_GT(litRowsBelowFirstLine, 5);
  EXPECT_FALSE(rowLit(5));
}

TEST_F(RendererFrame, ClearTextsRemovesThemFromLaterFrames) {
  editor.AddText("Hello", 10, 10, 80, 18, kWhite);
  editor.ClearTexts();
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  for (int x = 0; x < 80; ++x) ASSERT_EQ(editor.ReadPixel(x, 15), kBlack);
}

TEST_F(RendererFrame, OverlayDrawsAfterTextsAndCanvasOriginMovesTheScene) {
  editor.SetCanvasOrigin(0, 20);
  editor.AddSprite(red.c_str(), 0.0f, 0.0f, 32, 32, 0, 0);
  editor.AddText("Covered", 100, 0, 200, 16, kWhite);
  editor.SetOverlay([this] {
    SDL_SetRenderDrawColor(editor.GetDevice(), 0, 0, 255, 255);
    const SDL_Rect bar{0, 0, 640, 20};
    SDL_RenderFillRect(editor.GetDevice(), &bar);
  });
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(0, 19), kBlue);
  EXPECT_EQ(editor.ReadPixel(0, 20), kRed);
  EXPECT_EQ(editor.ReadPixel(31, 51), kRed);
  EXPECT_EQ(editor.ReadPixel(0, 52), kBlack);
}

TEST_F(RendererFrame, ClipLeftByTheOverlayDoesNotCutTheNextFrame) {
  editor.AddSprite(red.c_str(), 64.0f, 64.0f, 32, 32, 0, 0);
  editor.SetOverlay([this] {
    const SDL_Rect corner{0, 0, 8, 8};
    SDL_RenderSetClipRect(editor.GetDevice(), &corner);
  });
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(70, 70), kRed);
}

TEST_F(RendererFrame, PreviewDrawsOneSpriteInsideItsRectangleOnly) {
  editor.AddSprite(red.c_str(), 0.0f, 0.0f, 32, 32, 0, 0);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  RkSprite preview(editor.GetDevice(), green.c_str(), 32, 32, RkVector3{0, 0, 0}, RkVector3{100, 100, 0},
                   kWhite, 0, 0);
  const RkRect area{100, 100, 132, 132};
  editor.RenderPreview(&area, nullptr, &preview);
  EXPECT_EQ(editor.ReadPixel(100, 100), kGreen);
  EXPECT_EQ(editor.ReadPixel(131, 131), kGreen);
  EXPECT_EQ(editor.ReadPixel(0, 0), kRed);

  editor.RenderPreview(&area, nullptr, nullptr);
  EXPECT_EQ(editor.ReadPixel(100, 100), kBlack);
  EXPECT_EQ(editor.ReadPixel(0, 0), kRed);
}

}  // namespace

namespace {

TEST(RendererDeathTest, InitializeWithoutAWindowIsFatal) {
  RkDirect3D renderer(RkProgram::Game);
  EXPECT_EXIT(renderer.Initialize(static_cast<SDL_Window*>(nullptr)), testing::ExitedWithCode(1),
              "--RkEngine Description--\nFailed to create Direct3D.\n\n(.|\n)*FILE: RkDirect3D\nLINE: 62\n");
}

}  // namespace
