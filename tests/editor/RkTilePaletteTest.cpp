// The tile palette: the working tree's images listed by folder, a click choosing
// the tile image as Load Sprite does (preview and painting included), a broken
// image a notice that changes nothing.
#include <fstream>

#include "RkEditorFixture.h"

namespace {

class RkTilePaletteTest : public RkEditorTest {
 protected:
  RkTilePalette& Palette() { return engine->GetTilePalette(); }

  // Whether the colour shows anywhere on the map panel (the tile preview).
  bool PanelShows(RkColor color) {
    engine->DrawFrame();
    for (int y = RkMapEditor::kWindowOffset; y < RkMapEditor::kWindowOffset + RkMapEditor::kWindowHeight; ++y) {
      for (int x = RkMapEditor::kWindowOffset; x < RkMapEditor::kWindowOffset + RkMapEditor::kWindowWidth; ++x) {
        if (engine->GetRenderer().ReadPixel(x, y) == color) return true;
      }
    }
    return false;
  }
};

constexpr RkColor kBlue = 0xFF0000C8u;

TEST_F(RkTilePaletteTest, ListsImagesByFolderAndAClickSetsTheTileImageLikeLoadSprite) {
  MakeImage("images/grass.png", 0, 200, 0);
  std::filesystem::create_directories("images/tiles");
  MakeImage("images/tiles/water.PNG", 0, 0, 200);
  std::ofstream("images/readme.txt") << "not an image";
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandViewTilePalette));
  ASSERT_TRUE(Panel().IsOpen());  // the palette paints through the map panel
  const auto& folders = Palette().GetFolders();
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, "images");
  EXPECT_EQ(folders[0].images, std::vector<std::string>{"images/grass.png"});
  EXPECT_EQ(folders[1].images, std::vector<std::string>{"images/tiles/water.PNG"});

  EXPECT_FALSE(PanelShows(kBlue));
  Palette().Pick("images/tiles/water.PNG");
  engine->TakePalettePick();
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/tiles/water.PNG");
  EXPECT_TRUE(PanelShows(kBlue));
  engine->GetMapOverlay().GetLayers() = RkMapOverlay::Layers{false, false, false};
  Panel().SetPaintingChoice(RkMapEditor::ChoiceOpen);
  PressCanvas(460, 300);
  ReleaseButton();
  EXPECT_STREQ(engine->GetWorld().GetTileImageFile(0, 0), "images/tiles/water.PNG");
  engine->DrawFrame();
  EXPECT_EQ(engine->GetRenderer().ReadPixel(470, 310 + engine->GetCanvasTop()), kBlue);
  EXPECT_TRUE(notices.empty());
}

TEST_F(RkTilePaletteTest, ABrokenImageIsANoticeAndKeepsTheTileImage) {
  MakeImage("images/grass.png", 0, 200, 0);
  std::ofstream("images/broken.png") << "no picture in here";
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandViewTilePalette));
  Palette().Pick("images/grass.png");
  engine->TakePalettePick();
  Palette().Pick("images/broken.png");
  engine->TakePalettePick();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text.rfind("The image could not be loaded:\nimages/broken.png\n", 0), 0u);
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/grass.png");
  EXPECT_NE(Panel().GetTileSprite(), nullptr);
  engine->DrawFrame();  // the broken thumbnail draws as a plain button
}

}  // namespace
