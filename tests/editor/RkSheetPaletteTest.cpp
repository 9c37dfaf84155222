// Tile sheets in the editor: a block of cells picked in the palette painted as
// a block and undone as one step, Load Sprite's dialog turning to a sheet's
// cells, and a map naming a cell outside its sheet opening with a checker and a
// notice that names the cell.
#include <fstream>

#include "RkEditorFixture.h"
#include "RkSheetSizes.h"

namespace {

RkColor CellColor(int column, int row) { return 0xFF000000u | ((40u + 50u * column) << 16) | ((30u + 70u * row) << 8) | 0x99u; }

// columns by rows cells of 32, each cell CellColor.
void MakeSheet(const std::string& name, int columns, int rows) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, columns * 32, rows * 32, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const SDL_Rect cell{column * 32, row * 32, 32, 32};
      SDL_FillRect(surface, &cell, CellColor(column, row));
    }
  }
  IMG_SavePNG(surface, name.c_str());
  SDL_FreeSurface(surface);
}

class RkSheetPaletteTest : public RkEditorTest {
 protected:
  RkColor CanvasPixel(int x, int y) {
    engine->DrawFrame();
    return engine->GetRenderer().ReadPixel(x, y + engine->GetCanvasTop());
  }
  // Whether the colour shows anywhere on the map panel (its tile preview).
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

TEST_F(RkSheetPaletteTest, ABlockOfCellsPaintsAsABlockAndOneUndoTakesItAway) {
  MakeSheet("images/sheet.png", 4, 2);
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandViewTilePalette));
  engine->GetTilePalette().PickBlock("images/sheet.png#1,0", 2, 2);
  engine->TakePalettePick();
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/sheet.png#1,0");
  // The preview shows the block's first cell, not the whole sheet squeezed.
  EXPECT_TRUE(PanelShows(CellColor(1, 0)));
  EXPECT_FALSE(PanelShows(CellColor(3, 1)));
  engine->GetMapOverlay().GetLayers() = RkMapOverlay::Layers{false, false, false};
  Panel().SetPaintingChoice(RkMapEditor::ChoiceOpen);
  PressCanvas(460, 300);
  ReleaseButton();

  const RkWorld& world = engine->GetWorld();
  ASSERT_EQ(world.GetWidth(), 2);
  ASSERT_EQ(world.GetHeight(), 2);
  EXPECT_STREQ(world.GetTileImageFile(0, 0), "images/sheet.png#1,0");
  EXPECT_STREQ(world.GetTileImageFile(1, 0), "images/sheet.png#2,0");
  EXPECT_STREQ(world.GetTileImageFile(0, 1), "images/sheet.png#1,1");
  EXPECT_STREQ(world.GetTileImageFile(1, 1), "images/sheet.png#2,1");
  EXPECT_EQ(world.GetTileType(1, 1), TileOpen);
  EXPECT_EQ(CanvasPixel(460 + 32, 300 + 32), CellColor(2, 1));

  ASSERT_TRUE(engine->GetMapHistory().Undo());
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_TRUE(notices.empty());
}

TEST_F(RkSheetPaletteTest, LoadSpritesDialogTurnsToTheCellsOfASheet) {
  MakeSheet("images/sheet.png", 4, 2);
  MakeImage("images/grass.png", 0, 200, 0);
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::SpritesFilter());
  dialog.OfferSheetCells(nullptr);
  dialog.SetPathField("images/grass.png");
  dialog.Accept();
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Chosen);  // one cell: a whole image

  dialog.Open(RkFileDialog::SpritesFilter());
  dialog.OfferSheetCells(nullptr);
  dialog.SetPathField("images/sheet.png");
  dialog.Accept();
  ASSERT_TRUE(dialog.IsPickingCell());
  EXPECT_EQ(dialog.GetCellSize(), 32);
  dialog.PickCell(4, 0);
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
  dialog.SetCellSize(16);
  dialog.PickCell(7, 3);
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Chosen);
  EXPECT_EQ(dialog.GetChosenPath(), "images/sheet.png#7,3,16");
  // The size chosen for the sheet is the editor's from now on, on disk too.
  std::ifstream remembered(RkSheetSizes::kFileName);
  std::string text((std::istreambuf_iterator<char>(remembered)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("images/sheet.png = 16\n"), std::string::npos);
}

TEST_F(RkSheetPaletteTest, ACellOutsideItsSheetOpensAsACheckerWithANoticeNamingTheCell) {
  MakeSheet("images/sheet.png", 2, 1);
  RkWorld world;
  world.Grow(1, 0);
  world.SetTileImageFile(0, 0, "images/sheet.png#1,0");
  world.SetTileImageFile(1, 0, "images/sheet.png#5,0");
  world.Save("town.rkm");
  OpenMapEditor();
  ChooseNext("town.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("images/sheet.png#5,0 (map cell 1, 0): The cell 5,0 (32 pixels) lies outside the "
                                 "sheet of 64 by 32 pixels."),
            std::string::npos)
      << notices[0].text;
  engine->GetMapOverlay().GetLayers() = RkMapOverlay::Layers{false, false, false};
  EXPECT_EQ(CanvasPixel(4, 4), CellColor(1, 0));
  EXPECT_EQ(CanvasPixel(32 + 2, 2), 0xFFFF00FFu);  // the checker's magenta
}

}  // namespace
