// Painting the map canvas: where a click lands on the map, how the map grows
// under the view, what each painting choice does to the cells, the NPCs and the
// drawing, and which presses count as clicks on the canvas at all.
#include "RkEditorFixture.h"

namespace {

class RkMapCanvasTest : public RkEditorTest {};

TEST_F(RkMapCanvasTest, FirstClickOnEmptyMapPlacesTheOriginUnderTheCursor) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(70, 40);
  RkWorld& world = engine->GetWorld();
  EXPECT_EQ(engine->GetOrigin().GetX(), 2);
  EXPECT_EQ(engine->GetOrigin().GetY(), 1);
  ASSERT_EQ(world.GetWidth(), 1);
  ASSERT_EQ(world.GetHeight(), 1);
  EXPECT_EQ(world.GetTileType(0, 0), TileOpen);
  EXPECT_STREQ(world.GetTileImageFile(0, 0), "images/grass.png");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"World Size: 0, 0\n", "World Position: 0, 0\n"}));
  EXPECT_EQ(SpritesAt(64.0f, 32.0f, 0), 1);
}

TEST_F(RkMapCanvasTest, GrowingLeftMovesTheOriginThenGrowingRightAndDownKeepsIt) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(70, 40);
  MakeImage("images/sand.png", 200, 200, 0);
  engine->GetMapEditor().SetTileImageFile("images/sand.png");
  PressCanvas(38, 40);  // one cell to the left of the first cell
  RkWorld& world = engine->GetWorld();
  EXPECT_EQ(world.GetWidth(), 2);
  EXPECT_EQ(world.GetHeight(), 1);
  EXPECT_EQ(engine->GetOrigin().GetX(), 1);
  EXPECT_EQ(engine->GetOrigin().GetY(), 1);
  EXPECT_STREQ(world.GetTileImageFile(0, 0), "images/sand.png");
  EXPECT_STREQ(world.GetTileImageFile(1, 0), "images/grass.png");
  EXPECT_EQ(Texts()[1], "World Position: -1, 0\n");
  // Both cells stay where they were on the canvas.
  EXPECT_EQ(SpritesAt(32.0f, 32.0f, 0), 1);
  EXPECT_EQ(SpritesAt(64.0f, 32.0f, 0), 1);

  PressCanvas(4 * 32 + 5, 3 * 32 + 5);  // view cell (4, 3): map cell (3, 2)
  EXPECT_EQ(world.GetWidth(), 4);
  EXPECT_EQ(world.GetHeight(), 3);
  EXPECT_EQ(engine->GetOrigin().GetX(), 1);
  EXPECT_EQ(engine->GetOrigin().GetY(), 1);
  EXPECT_EQ(world.GetTileType(3, 2), TileOpen);
  EXPECT_EQ(world.GetTileType(2, 1), TileNull);
}

TEST_F(RkMapCanvasTest, GrowingUpAndLeftKeepsNPCsOnTheirCells) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(100, 100);  // origin (3, 3)
  RkWorld& world = engine->GetWorld();
  world.SetNPC("Guard", 0, 0, "images/grass.png", NPCStatic);
  PressCanvas(40, 40);  // view cell (1, 1): map cell (-2, -2)
  EXPECT_EQ(world.GetWidth(), 3);
  EXPECT_EQ(world.GetHeight(), 3);
  EXPECT_EQ(engine->GetOrigin().GetX(), 1);
  EXPECT_EQ(engine->GetOrigin().GetY(), 1);
  EXPECT_EQ(world.GetNPCX(0), 2);
  EXPECT_EQ(world.GetNPCY(0), 2);
  EXPECT_EQ(world.GetTileType(2, 2), TileOpen);
  EXPECT_EQ(world.GetTileType(0, 0), TileOpen);
}

TEST_F(RkMapCanvasTest, ClickAfterScrollingLandsOnTheCellUnderTheCursor) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceImpassable);
  engine->GetCamera().SetPosition(3, 2);
  PressCanvas(5, 5);  // view cell (3, 2) is at the canvas corner
  EXPECT_EQ(engine->GetOrigin().GetX(), 3);
  EXPECT_EQ(engine->GetOrigin().GetY(), 2);
  EXPECT_EQ(SpritesAt(96.0f, 64.0f, 0), 1);
  engine->GetCamera().SetPosition(0, 0);
  PressCanvas(96 + 33, 64 + 1);  // view cell (4, 2): map cell (1, 0)
  EXPECT_EQ(engine->GetWorld().GetWidth(), 2);
  EXPECT_EQ(engine->GetWorld().GetTileType(1, 0), TileImpassable);
}

TEST_F(RkMapCanvasTest, RepaintingACellKeepsOneSprite) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  PressCanvas(20, 20);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 0), 1);
  EXPECT_EQ(engine->GetRenderer().CopySpriteList().size(), 1u);
}

TEST_F(RkMapCanvasTest, DraggingAcrossFiveCellsPaintsFive) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  for (int x = 5; x < 5 * 32; x += 8) {  // several passes per cell
    PressCanvas(x, 50);
  }
  RkWorld& world = engine->GetWorld();
  ASSERT_EQ(world.GetWidth(), 5);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(world.GetTileType(x, 0), TileOpen) << "cell " << x;
  }
  EXPECT_EQ(engine->GetRenderer().CopySpriteList().size(), 5u);
}

TEST_F(RkMapCanvasTest, NullErasesInsideTheMapAndChangesNothingOutside) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  PressCanvas(40, 10);
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNull);
  PressCanvas(200, 200);
  RkWorld& world = engine->GetWorld();
  EXPECT_EQ(world.GetWidth(), 2);
  EXPECT_EQ(world.GetHeight(), 1);
  PressCanvas(40, 10);
  EXPECT_EQ(world.GetTileType(1, 0), TileNull);
  EXPECT_STREQ(world.GetTileImageFile(1, 0), "");
  EXPECT_EQ(SpritesAt(32.0f, 0.0f, 0), 0);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 0), 1);
}

TEST_F(RkMapCanvasTest, NewAreaWithoutAMapWarnsAndLeavesTheCell) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  ReleaseButton();
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNewArea);
  PressCanvas(10, 10);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text,
            "This tile will not be set as a new area as there is no new area location provided.\n"
            "Please click on the Load New Area button and select a map first.");
  EXPECT_EQ(notices[0].caption, "RkEngine");
  EXPECT_EQ(engine->GetWorld().GetTileType(0, 0), TileOpen);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 0), 1);
  // The press that the box took does not paint again until the button is released.
  PressCanvas(10, 10);
  EXPECT_EQ(notices.size(), 1u);
}

// A click that paints nothing for want of an image says why in the status bar,
// until an image is chosen.
TEST_F(RkMapCanvasTest, PaintingWithoutAnImageSaysWhyUntilOneIsChosen) {
  OpenMapEditor();
  Panel().SetPaintingChoice(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  ReleaseButton();
  EXPECT_EQ(engine->GetMapCanvas().GetHint(),
            "Nothing painted: choose a tile image first (Load Sprite, or a tile of View > Tile Palette).");
  EXPECT_TRUE(notices.empty());
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  EXPECT_EQ(engine->GetMapCanvas().GetHint(), "");
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNormalNPC);
  PressCanvas(10, 10);
  EXPECT_EQ(engine->GetMapCanvas().GetHint(), "Nothing placed: select an NPC in the map panel's list first.");
}

TEST_F(RkMapCanvasTest, NewAreaTakesTheMapAndTheStartPointReadAsNumbers) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceNewArea);
  ChooseNext("maps/cave.rkm");
  Panel().Click(RkMapEditor::Button::LoadNewArea);
  engine->PollMapEditor();
  Panel().SetStartX("5");
  Panel().SetStartY("x");
  ReleaseButton();
  PressCanvas(10, 10);
  RkWorld& world = engine->GetWorld();
  EXPECT_EQ(world.GetTileType(0, 0), TileNewArea);
  EXPECT_STREQ(world.GetTileNewAreaName(0, 0), "maps/cave.rkm");
  EXPECT_EQ(world.GetTileNewAreaStartX(0, 0), 5);
  EXPECT_EQ(world.GetTileNewAreaStartY(0, 0), 0);
  // Only the first nine characters of an edit are read.
  Panel().SetStartX("1234567890");
  PressCanvas(10, 10);
  EXPECT_EQ(world.GetTileNewAreaStartX(0, 0), 123456789);
  // Painting Open afterwards keeps the destination.
  Panel().SetPaintingChoice(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  EXPECT_EQ(world.GetTileType(0, 0), TileOpen);
  EXPECT_STREQ(world.GetTileNewAreaName(0, 0), "maps/cave.rkm");
}

TEST_F(RkMapCanvasTest, NPCsArePlacedWithTheKindOfTheChoiceAndRemoved) {
  RkNPCList library;
  library.SaveNPC("Guard", MakeImage("images/guard.png", 0, 0, 200).c_str());
  library.SaveNPC("Smith", MakeImage("images/smith.png", 200, 0, 0).c_str());
  library.SaveNPCFile();
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  Panel().SetNPCSelection(1);
  engine->PollMapEditor();
  ASSERT_NE(Panel().GetNPCSprite(), nullptr);
  Panel().SetPaintingChoice(RkMapEditor::ChoiceStaticNPC);
  PressCanvas(10, 10);
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNormalNPC);
  PressCanvas(10, 10);
  RkWorld& world = engine->GetWorld();
  ASSERT_EQ(world.GetNPCCount(), 1u);
  EXPECT_STREQ(world.GetNPC(0).GetName(), "Smith");
  EXPECT_EQ(world.GetNPC(0).GetType(), NPCNormal);
  EXPECT_STREQ(world.GetNPCImageFile(0), "images/smith.png");
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 1), 1);
  // Growing for an NPC: the map takes the cell, which stays Null.
  PressCanvas(40, 10);
  EXPECT_EQ(world.GetWidth(), 2);
  EXPECT_EQ(world.GetNPCCount(), 2u);
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNullNPC);
  PressCanvas(10, 10);
  EXPECT_EQ(world.GetNPCCount(), 1u);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 1), 0);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 0), 1);
}

TEST_F(RkMapCanvasTest, NormalNPCWithoutSelectionPlacesNothing) {
  RkNPCList library;
  library.SaveNPC("Guard", MakeImage("images/guard.png", 0, 0, 200).c_str());
  library.SaveNPCFile();
  OpenMapEditor();
  Panel().SetNPCSelection(0);
  engine->PollMapEditor();
  Panel().SetNPCSelection(-1);
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNormalNPC);
  PressCanvas(10, 10);
  EXPECT_EQ(engine->GetWorld().GetNPCCount(), 0u);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 1), 0);
}

TEST_F(RkMapCanvasTest, PaintingWithoutATileImageOnlyShowsTheStatus) {
  OpenMapEditor();
  Panel().SetPaintingChoice(RkMapEditor::ChoiceOpen);
  PressCanvas(70, 40);
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_EQ(engine->GetOrigin().GetX(), 2);
  EXPECT_EQ(Texts().size(), 2u);
  EXPECT_TRUE(engine->GetRenderer().CopySpriteList().empty());
}

TEST_F(RkMapCanvasTest, PressesOutsideTheCanvasOrWithTheButtonUpDoNothing) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  SetLeftButton(false);
  engine->PlaceCursor(50, 50 + engine->GetCanvasTop());
  engine->HandleMapCanvas();
  PressCanvas(-1, 10);
  PressCanvas(10, -1);  // on the menu bar
  PressCanvas(RkEngine::kWidth, 10);
  PressCanvas(10, RkEngine::kHeight - engine->GetCanvasTop());
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(RkMapCanvasTest, GrowthBeyondWhatAWorldFileMayHoldIsRefused) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  engine->GetCamera().SetPosition(5000, 4000);
  PressCanvas(10, 10);
  EXPECT_EQ(engine->GetWorld().GetWidth(), 1);
  EXPECT_EQ(engine->GetWorld().GetHeight(), 1);
  EXPECT_EQ(Texts()[1], "World Position: 5000, 4000\n");
}

// The panel lies over the canvas from window pixel (100, 100) on.
TEST_F(RkMapCanvasTest, ClickOnThePanelNeverPaintsTheCellBeneath) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  RkImGuiLayer& ui = engine->GetInterface();
  ui.SetPointer(150, 350, false);
  engine->DrawFrame();
  PressCanvas(150, 350 - engine->GetCanvasTop());
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_TRUE(Texts().empty());
  // Next to the panel the canvas takes the click.
  ui.SetPointer(600, 350, false);
  engine->DrawFrame();
  PressCanvas(600, 350 - engine->GetCanvasTop());
  EXPECT_EQ(engine->GetWorld().GetWidth(), 1);
}

TEST_F(RkMapCanvasTest, ButtonPressedOnThePanelAndDraggedOntoTheCanvasDoesNotPaint) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  RkImGuiLayer& ui = engine->GetInterface();
  const int canvasTop = engine->GetCanvasTop();
  // Press on "Save Map", at client (10, 36) of the panel.
  ui.SetPointer(100 + 30, 100 + canvasTop + 45, false);
  engine->DrawFrame();
  ui.SetPointer(100 + 30, 100 + canvasTop + 45, true);
  engine->DrawFrame();
  ui.SetPointer(600, 300, true);
  engine->DrawFrame();
  PressCanvas(600, 300 - canvasTop);
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  // Dragging off the button before the release does not click it either.
  ui.SetPointer(600, 300, false);
  engine->DrawFrame();
  engine->PollMapEditor();
  EXPECT_TRUE(notices.empty());
}

TEST_F(RkMapCanvasTest, DragFromTheCanvasStopsPaintingOverThePanel) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  RkImGuiLayer& ui = engine->GetInterface();
  const int canvasTop = engine->GetCanvasTop();
  ui.SetPointer(50, 300, true);
  engine->DrawFrame();
  PressCanvas(50, 300 - canvasTop);
  ASSERT_EQ(engine->GetWorld().GetWidth(), 1);
  ui.SetPointer(150, 300, true);
  engine->DrawFrame();
  PressCanvas(150, 300 - canvasTop);
  EXPECT_EQ(engine->GetWorld().GetWidth(), 1);
}

}  // namespace
