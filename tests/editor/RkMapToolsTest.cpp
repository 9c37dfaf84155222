// The canvas tools beside the brush, judged by the saved map's bytes: a fill
// that stops at a different cell, a rectangle that grows the map left and up
// with its links, a paste into another map with its NPCs, a cut and its undo;
// each action one step of the history. Also the pick on the right button, the
// refusal of a map too large, the New Area warning once per action, Escape's
// order and the undo memory of a fill.
#include <fstream>
#include <iterator>

#include "RkEditorFixture.h"

namespace {

using Bytes = std::vector<char>;

Bytes ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

RkTile Tile(int32_t type, const char* image, const char* link = "", int32_t startX = 0, int32_t startY = 0) {
  RkTile tile;
  tile.SetType(type);
  tile.SetImageFile(image);
  tile.SetNewAreaName(link);
  tile.SetNewAreaStart(startX, startY);
  return tile;
}

RkWorld Grid(int32_t width, int32_t height, const RkTile& tile) {
  RkWorld world;
  world.Grow(width - 1, height - 1);
  for (int32_t x = 0; x < width; ++x) {
    for (int32_t y = 0; y < height; ++y) world.SetTile(x, y, tile);
  }
  return world;
}

Bytes BytesOf(const RkWorld& world) {
  world.Save("expected.rkm");
  return ReadFile("expected.rkm");
}

const RkTile kGrass = Tile(TileOpen, "images/grass.png");

class RkMapToolsTest : public RkEditorTest {
 protected:
  void SetUp() override {
    RkEditorTest::SetUp();
    // The canvas registers every image a map names: they must load.
    for (const char* name : {"grass", "wall", "water", "sand", "door", "bram", "guard"}) {
      MakeImage(std::string("images/") + name + ".png", 40, 120, 40);
    }
    OpenMapEditor();
  }

  void Edit(RkWorld world) { engine->GetMapDocument().Replace(std::move(world)); }

  Bytes SavedMap() {
    engine->GetWorld().Save("state.rkm");
    return ReadFile("state.rkm");
  }

  // Canvas pixels of a view cell, with the camera where it is (100 % zoom).
  int PixelX(int viewX) { return (viewX - engine->GetCamera().GetX()) * 32 + 5; }
  int PixelY(int viewY) { return (viewY - engine->GetCamera().GetY()) * 32 + 5; }

  void Drag(int fromX, int fromY, int toX, int toY) {
    PressCanvas(PixelX(fromX), PixelY(fromY));
    PressCanvas(PixelX(toX), PixelY(toY));
    ReleaseButton();
  }
  void Click(int viewX, int viewY) { Drag(viewX, viewY, viewX, viewY); }

  void RightClick(int viewX, int viewY) {
    RkMouseState mouse{};
    mouse.rgbButtons[1] = RK_KEY_DOWN;
    engine->GetInput().SetMouseState(mouse);
    engine->PlaceCursor(PixelX(viewX), PixelY(viewY) + engine->GetCanvasTop());
    engine->HandleMapCanvas();
    ReleaseButton();
  }

  // The keys held for one pass, then all released.
  void PressKeys(std::initializer_list<uint8_t> keys) {
    uint8_t table[RK_KEY_TABLE_SIZE] = {};
    for (const uint8_t key : keys) table[key] = RK_KEY_DOWN;
    engine->GetInput().SetKeyboardState(table);
    engine->HandleKeys();
    const uint8_t none[RK_KEY_TABLE_SIZE] = {};
    engine->GetInput().SetKeyboardState(none);
    engine->HandleKeys();
  }

  RkEditHistory& History() { return engine->GetMapHistory(); }
};

TEST_F(RkMapToolsTest, FillStopsAtADifferentCellAndIsOneStep) {
  RkWorld map = Grid(4, 3, kGrass);
  const RkTile wall = Tile(TileImpassable, "images/wall.png");
  for (int32_t y = 0; y < 3; ++y) map.SetTile(2, y, wall);
  Edit(map);
  const Bytes before = SavedMap();
  PrepareTilePainting(RkMapEditor::ChoiceImpassable, "images/water.png");
  PressKeys({DIK_F});
  ASSERT_EQ(Panel().GetTool(), RkMapEditor::Tool::Fill);

  Click(1, 1);

  RkWorld expected = map;
  for (int32_t x = 0; x < 2; ++x) {
    for (int32_t y = 0; y < 3; ++y) expected.SetTile(x, y, Tile(TileImpassable, "images/water.png"));
  }
  EXPECT_EQ(SavedMap(), BytesOf(expected));
  EXPECT_EQ(History().GetUndoCount(), 1u);
  EXPECT_EQ(History().GetUndoLabel(), "Paint 6 cells");
  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(SavedMap(), before);
  ASSERT_TRUE(History().Redo());
  EXPECT_EQ(SavedMap(), BytesOf(expected));
}

TEST_F(RkMapToolsTest, RectangleGrowsTheMapLeftAndUpWithItsLinksAndUndoesExactly) {
  RkWorld map = Grid(2, 2, kGrass);
  map.SetTile(1, 1, Tile(TileNewArea, "images/door.png", "home.rkm", 1, 0));
  map.SetNPC("Bram", 1, 0, "images/bram.png", NPCStatic);
  Edit(map);
  engine->GetMapDocument().MarkSaved("home.rkm");
  const Bytes before = SavedMap();
  engine->GetCamera().SetPosition(-2, -2);
  PrepareTilePainting(RkMapEditor::ChoiceOpen, "images/sand.png");
  Panel().SetTool(RkMapEditor::Tool::Rectangle);

  Drag(-1, -1, 0, 0);

  // The old cells, the NPC and the start point of the link into this map move
  // one cell right and down; the four cells of the rectangle are sand.
  RkWorld expected = map;
  expected.SetFileName("home.rkm");
  expected.Grow(-1, -1);
  for (int32_t x = 0; x < 2; ++x) {
    for (int32_t y = 0; y < 2; ++y) {
      RkTile tile = expected.GetTile(x, y);
      tile.SetType(TileOpen);
      tile.SetImageFile("images/sand.png");
      expected.SetTile(x, y, tile);
    }
  }
  EXPECT_EQ(expected.GetTileNewAreaStartX(2, 2), 2);
  EXPECT_EQ(SavedMap(), BytesOf(expected));
  EXPECT_EQ(engine->GetOrigin().GetX(), -1);
  EXPECT_EQ(engine->GetOrigin().GetY(), -1);
  EXPECT_EQ(History().GetUndoCount(), 1u);
  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(SavedMap(), before);
  EXPECT_EQ(engine->GetOrigin().GetX(), 0);
  ASSERT_TRUE(History().Redo());
  EXPECT_EQ(SavedMap(), BytesOf(expected));
}

TEST_F(RkMapToolsTest, PasteIntoAnotherMapBringsItsCellsLinksAndNPCs) {
  RkWorld first = Grid(3, 3, kGrass);
  first.SetTile(1, 1, Tile(TileNewArea, "images/door.png", "cave.rkm", 4, 5));
  first.SetNPC("Bram", 1, 1, "images/bram.png", NPCNormal);
  first.GetNPC(0).AddDialogue(1, "Welcome in.");
  Edit(first);
  Panel().SetTool(RkMapEditor::Tool::Select);
  Drag(0, 0, 1, 1);
  PressKeys({DIK_LCONTROL, DIK_C});

  RkWorld second = Grid(2, 2, Tile(TileImpassable, "images/wall.png"));
  second.SetNPC("Guard", 1, 1, "images/guard.png", NPCStatic);
  Edit(second);
  const Bytes before = SavedMap();
  PressKeys({DIK_LCONTROL, DIK_V});
  ASSERT_TRUE(engine->GetMapTools().IsPasting());
  Click(1, 1);

  // The block covers (1, 1) to (2, 2): the map grows right and down; the
  // Guard keeps his cell, Bram comes whole onto the door.
  RkWorld expected = second;
  expected.Grow(2, 2);
  expected.SetTile(1, 1, kGrass);
  expected.SetTile(2, 1, kGrass);
  expected.SetTile(1, 2, kGrass);
  expected.SetTile(2, 2, first.GetTile(1, 1));
  RkNPC bram = first.GetNPC(0);
  bram.SetPosition(2, 2);
  expected.InsertNPC(1, bram);
  EXPECT_EQ(SavedMap(), BytesOf(expected));
  EXPECT_FALSE(engine->GetMapTools().IsPasting());
  EXPECT_EQ(History().GetUndoCount(), 1u);
  EXPECT_EQ(History().GetUndoLabel(), "Paint 4 cells");
  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(SavedMap(), before);
}

TEST_F(RkMapToolsTest, CutErasesTheSelectionInOneStepAndUndoRestoresTheBytes) {
  RkWorld map = Grid(3, 2, kGrass);
  map.SetTile(0, 0, Tile(TileNewArea, "images/door.png", "cave.rkm", 4, 5));
  map.SetNPC("Guard", 2, 1, "images/guard.png", NPCStatic);
  map.SetNPC("Bram", 1, 1, "images/bram.png", NPCNormal);
  Edit(map);
  const Bytes before = SavedMap();
  engine->GetCamera().SetPosition(-1, -1);
  Panel().SetTool(RkMapEditor::Tool::Select);
  Drag(-1, -1, 1, 1);  // reaches out of the map: only its cells count
  PressKeys({DIK_LCONTROL, DIK_X});

  RkWorld expected = map;
  for (int32_t x = 0; x < 2; ++x) {
    for (int32_t y = 0; y < 2; ++y) expected.SetTile(x, y, RkTile());
  }
  expected.RemoveNPCsAt(1, 1);
  EXPECT_EQ(SavedMap(), BytesOf(expected));
  EXPECT_EQ(History().GetUndoCount(), 1u);
  ASSERT_TRUE(History().Undo());
  EXPECT_EQ(SavedMap(), before);

  // Pasted back where it came from, the cut block gives the same map again.
  ASSERT_TRUE(History().Redo());
  PressKeys({DIK_LCONTROL, DIK_V});
  Click(0, 0);
  EXPECT_EQ(SavedMap(), before);
}

TEST_F(RkMapToolsTest, RightClickPicksTheCellsKindImageLinkAndNPC) {
  RkWorld map = Grid(2, 1, kGrass);
  map.SetTile(1, 0, Tile(TileNewArea, "images/door.png", "maps/cave.rkm", 4, 5));
  map.SetNPC("Bram", 1, 0, "images/bram.png", NPCNormal);
  Edit(map);
  MakeImage("images/door.png", 90, 60, 30);
  Panel().AddNPCName("Guard");
  Panel().AddNPCName("Bram");
  Panel().SetTool(RkMapEditor::Tool::Fill);

  RightClick(1, 0);

  EXPECT_EQ(Panel().GetPaintingChoice(), RkMapEditor::ChoiceNewArea);
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/door.png");
  EXPECT_NE(Panel().GetTileSprite(), nullptr);
  EXPECT_STREQ(Panel().GetNewAreaFile(), "maps/cave.rkm");
  EXPECT_STREQ(Panel().GetNewAreaLabel(), "cave.rkm");
  EXPECT_STREQ(Panel().GetStartX(), "4");
  EXPECT_STREQ(Panel().GetStartY(), "5");
  EXPECT_EQ(Panel().GetNPCSelection(), 1);
  EXPECT_EQ(History().GetUndoCount(), 0u);  // a pick changes no map

  RightClick(0, 0);
  EXPECT_EQ(Panel().GetPaintingChoice(), RkMapEditor::ChoiceOpen);
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/grass.png");
}

TEST_F(RkMapToolsTest, ARectangleBeyondTheLimitIsRefusedAndChangesNothing) {
  Edit(Grid(1, 1, kGrass));
  const Bytes before = SavedMap();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  Panel().SetTool(RkMapEditor::Tool::Rectangle);
  PressCanvas(PixelX(0), PixelY(0));
  engine->GetCamera().SetPosition(4096, 4096);  // the drag reaches 4097 x 4097 cells
  PressCanvas(5, 5);
  ReleaseButton();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text, RkMapTools::kTooLarge);
  EXPECT_EQ(SavedMap(), before);
  EXPECT_EQ(History().GetUndoCount(), 0u);
}

TEST_F(RkMapToolsTest, FillWithANewAreaWithoutALinkWarnsOnceAndChangesNothing) {
  Edit(Grid(3, 3, kGrass));
  const Bytes before = SavedMap();
  PrepareTilePainting(RkMapEditor::ChoiceNewArea, "images/door.png");
  Panel().SetTool(RkMapEditor::Tool::Fill);
  PressCanvas(PixelX(1), PixelY(1));
  PressCanvas(PixelX(2), PixelY(1));  // held: the fill acts once per press
  ReleaseButton();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text, RkMapCanvas::kNoNewArea);
  EXPECT_EQ(SavedMap(), before);
}

TEST_F(RkMapToolsTest, EscapeDropsThePasteThenTheSelectionThenEndsTheEditor) {
  Edit(Grid(2, 2, kGrass));
  Panel().SetTool(RkMapEditor::Tool::Select);
  Drag(0, 0, 1, 0);
  PressKeys({DIK_LCONTROL, DIK_C});
  PressKeys({DIK_LCONTROL, DIK_V});
  ASSERT_TRUE(engine->GetMapTools().IsPasting());
  PressKeys({DIK_ESCAPE});
  EXPECT_FALSE(engine->GetMapTools().IsPasting());
  EXPECT_TRUE(engine->GetMapTools().GetSelection().has_value());
  PressKeys({DIK_ESCAPE});
  EXPECT_FALSE(engine->GetMapTools().GetSelection().has_value());
  EXPECT_TRUE(engine->IsRunning());
  PressKeys({DIK_ESCAPE});
  EXPECT_FALSE(engine->IsRunning());
}

// Each cell keeps a few indices, not its old and new tiles with their paths.
TEST_F(RkMapToolsTest, AFillsUndoMemoryGrowsWithItsCellsNotWithWhatTheyHold) {
  const std::string longPath = MakeImage("images/" + std::string(200, 'g') + ".png", 0, 90, 0);
  Edit(Grid(128, 128, Tile(TileOpen, longPath.c_str())));
  PrepareTilePainting(RkMapEditor::ChoiceImpassable, "images/" + std::string(200, 'w') + ".png");
  Panel().SetTool(RkMapEditor::Tool::Fill);
  Click(3, 3);
  ASSERT_EQ(engine->GetWorld().GetTileType(127, 127), TileImpassable);
  EXPECT_LT(History().GetByteSize(), std::size_t{128 * 128 * 40});
}

}  // namespace
