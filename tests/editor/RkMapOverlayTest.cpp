// The canvas's overlays as drawn on the offscreen renderer: the grid between two
// cells of one image, a kind's tint, the New Area arrow and the start mark, each
// gone when its layer is switched off.
#include "RkEditorFixture.h"

namespace {

class RkMapOverlayTest : public RkEditorTest {
 protected:
  // A row of four cells of one green image from canvas pixel (448, 288): Open,
  // Open, Impassable, New Area.
  void PaintRow() {
    OpenMapEditor();
    PrepareTilePainting(RkMapEditor::ChoiceOpen);
    PressCanvas(453, 293);
    PressCanvas(485, 293);
    Panel().SetPaintingChoice(RkMapEditor::ChoiceImpassable);
    PressCanvas(517, 293);
    Panel().SetNewAreaFile("maps/the-long-winding-cave.rkm");
    Panel().SetPaintingChoice(RkMapEditor::ChoiceNewArea);
    PressCanvas(549, 293);
    ReleaseButton();
    ASSERT_EQ(engine->GetWorld().GetWidth(), 4);
  }

  // The pixel at (dx, dy) inside map cell (cellX, 0) of the row.
  RkColor Pixel(int cellX, int dx, int dy) {
    engine->DrawFrame();
    return engine->GetRenderer().ReadPixel(448 + 32 * cellX + dx, 288 + dy + engine->GetCanvasTop());
  }

  void Toggle(int command) { ASSERT_TRUE(engine->HandleMenuCommand(command)); }
};

constexpr RkColor kGreen = 0xFF00C800u;

TEST_F(RkMapOverlayTest, GridLineSeparatesTwoCellsOfTheSameImage) {
  PaintRow();
  EXPECT_EQ(Pixel(0, 20, 16), kGreen);
  EXPECT_NE(Pixel(0, 31, 16), kGreen);  // the boundary's last column
  Toggle(RkEngine::CommandViewGrid);
  EXPECT_EQ(Pixel(0, 31, 16), kGreen);
}

TEST_F(RkMapOverlayTest, ImpassableIsTintedRedNewAreaBlueAndMarked) {
  PaintRow();
  Toggle(RkEngine::CommandViewLinks);
  // A light tint: the image stays readable under it, yet plainly red or blue.
  const RkColor impassable = Pixel(2, 16, 26);
  EXPECT_GE((impassable >> 16) & 0xFF, 64u);
  EXPECT_LT(impassable & 0xFF, 32u);
  EXPECT_GE((impassable >> 8) & 0xFF, 100u);
  const RkColor newArea = Pixel(3, 16, 28);
  EXPECT_GE(newArea & 0xFF, 64u);
  EXPECT_LT((newArea >> 16) & 0xFF, 32u);
  EXPECT_GE((newArea >> 8) & 0xFF, 100u);
  EXPECT_EQ(Pixel(3, 13, 14), newArea);
  Toggle(RkEngine::CommandViewLinks);
  EXPECT_NE(Pixel(3, 13, 14), newArea);  // the arrow
  Toggle(RkEngine::CommandViewCellKinds);
  EXPECT_EQ(Pixel(2, 16, 26), kGreen);
}

TEST_F(RkMapOverlayTest, StartMarkOnlyOnTheWorldMap) {
  PaintRow();
  Toggle(RkEngine::CommandViewGrid);
  Panel().SetMapName("town");
  EXPECT_EQ(Pixel(0, 3, 16), kGreen);
  Panel().SetMapName("World");
  EXPECT_NE(Pixel(0, 3, 16), kGreen);
  Toggle(RkEngine::CommandViewLinks);
  EXPECT_EQ(Pixel(0, 3, 16), kGreen);
}

// A New Area label longer than its cell stops at the cell's edge instead of
// running on past the map.
TEST_F(RkMapOverlayTest, ANewAreaLabelIsClippedToItsCell) {
  PaintRow();
  const RkColor background = Pixel(4, 16, 4);
  const int top = 288 + engine->GetCanvasTop();
  int labelPixels = 0;
  for (int dx = 3; dx < 28; ++dx) {
    for (int dy = 16; dy < 32; ++dy) {
      labelPixels += engine->GetRenderer().ReadPixel(448 + 32 * 4 + dx, top + dy) != background ? 1 : 0;
    }
  }
  EXPECT_EQ(labelPixels, 0);
}

}  // namespace
