// The map editor panel's buttons and NPC list as the editor polls them once per
// pass: saving, loading and clearing maps, choosing the tile image and the New
// Area map, and the NPC preview that follows the list's selection.
#include <fstream>
#include <iterator>

#include "RkEditorFixture.h"

namespace {

class RkMapEditorPollTest : public RkEditorTest {
 protected:
  static std::string ReadFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  // A 2 by 1 map with an image in cell (1, 0) and one NPC on (0, 0), saved as name.
  void SaveSampleMap(const std::string& name) {
    RkWorld world;
    world.Grow(1, 0);
    world.SetTileType(1, 0, TileOpen);
    world.SetTileImageFile(1, 0, MakeImage("images/road.png", 90, 90, 90).c_str());
    world.SetNPC("Guard", 0, 0, MakeImage("images/guard.png", 0, 0, 200).c_str(), NPCStatic);
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    world.Save(name.c_str());
  }
};

TEST_F(RkMapEditorPollTest, SaveMapWritesNameDotRkmOncePerClick) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  Panel().SetMapName("town");
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  ASSERT_TRUE(std::filesystem::exists("town.rkm"));
  EXPECT_EQ(std::filesystem::file_size("town.rkm"), 8u + 1012u + 4u);
  std::filesystem::remove("town.rkm");
  engine->PollMapEditor();
  engine->PollMapEditor();
  EXPECT_FALSE(std::filesystem::exists("town.rkm"));
}

TEST_F(RkMapEditorPollTest, SaveMapWithoutANameShowsTheBoxAndWritesNothing) {
  OpenMapEditor();
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text, "No map name was provided.");
  EXPECT_EQ(notices[0].caption, "RkEngine");
  EXPECT_FALSE(std::filesystem::exists(".rkm"));
}

TEST_F(RkMapEditorPollTest, LoadMapPutsTheStemInTheNameForEveryKindOfPath) {
  SaveSampleMap("maps/town.rkm");
  SaveSampleMap("my.maps/town.rkm");
  OpenMapEditor();
  for (const char* path : {"maps/town.rkm", "my.maps/town.rkm", "my.maps\\town.rkm"}) {
    Panel().SetMapName("other");
    ChooseNext(path);
    Panel().Click(RkMapEditor::Button::LoadMap);
    engine->PollMapEditor();
    EXPECT_STREQ(Panel().GetMapName(), "town") << path;
    EXPECT_EQ(engine->GetWorld().GetWidth(), 2) << path;
  }
  EXPECT_EQ(dialogFilters, (std::vector<std::string>(3, "RkEngine Maps")));
}

TEST_F(RkMapEditorPollTest, LoadMapResetsTheViewAndRebuildsTheDrawing) {
  SaveSampleMap("maps/town.rkm");
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  engine->GetCamera().SetPosition(4, 4);
  PressCanvas(10, 10);  // an origin of (4, 4) and a sprite that loading drops
  ChooseNext("maps/town.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetCamera().GetX(), 0);
  EXPECT_EQ(engine->GetCamera().GetY(), 0);
  EXPECT_EQ(engine->GetOrigin().GetX(), 0);
  EXPECT_EQ(engine->GetOrigin().GetY(), 0);
  RkWorld& world = engine->GetWorld();
  EXPECT_EQ(world.GetWidth(), 2);
  EXPECT_EQ(world.GetNPCCount(), 1u);
  // Cell (0, 0) has no image: only cell (1, 0) and the NPC are drawn.
  EXPECT_EQ(engine->GetRenderer().CopySpriteList().size(), 2u);
  EXPECT_EQ(SpritesAt(32.0f, 0.0f, 0), 1);
  EXPECT_EQ(SpritesAt(0.0f, 0.0f, 1), 1);
  // The status texts stay until the next click.
  EXPECT_EQ(Texts().size(), 2u);
}

// A zoom about the cursor or a drag leaves the view between cells; the map that
// replaces the old one starts with its cell (0, 0) at the canvas's corner.
TEST_F(RkMapEditorPollTest, LoadMapAfterAZoomAndClearMapAfterAPanShowCellZeroAtTheCorner) {
  SaveSampleMap("maps/town.rkm");
  OpenMapEditor();
  RkCanvasView& view = engine->GetView();
  view.ZoomAbout(1, 100, 70);
  ASSERT_NE(view.GetPanX(), 0.0f);
  ChooseNext("maps/town.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  int cellX = -1;
  int cellY = -1;
  view.CellAt(0, 0, cellX, cellY);
  EXPECT_EQ(cellX, 0);
  EXPECT_EQ(cellY, 0);
  EXPECT_EQ(view.GetPanX(), 0.0f);
  EXPECT_EQ(view.GetPanY(), 0.0f);
  EXPECT_EQ(view.GetZoom(), 1.5f);  // the zoom is the user's, not the map's
  view.PanBy(-45, -20);
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  EXPECT_EQ(view.GetLeft(), 0.0);
  EXPECT_EQ(view.GetTop(), 0.0);
}

TEST_F(RkMapEditorPollTest, CancelledDialogsLeaveEverythingAsItWas) {
  SaveSampleMap("maps/town.rkm");
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(10, 10);
  Panel().SetMapName("mine");
  for (RkMapEditor::Button button : {RkMapEditor::Button::LoadMap, RkMapEditor::Button::LoadSprite,
                                     RkMapEditor::Button::LoadNewArea}) {
    ChooseNext("");
    Panel().Click(button);
    engine->PollMapEditor();
  }
  EXPECT_STREQ(Panel().GetMapName(), "mine");
  EXPECT_EQ(engine->GetWorld().GetWidth(), 1);
  EXPECT_NE(Panel().GetTileSprite(), nullptr);
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/grass.png");
  EXPECT_STREQ(Panel().GetNewAreaFile(), "");
  EXPECT_EQ(engine->GetRenderer().CopySpriteList().size(), 1u);
}

TEST_F(RkMapEditorPollTest, LoadNewAreaShowsTheFileNameAndKeepsTheWholePath) {
  OpenMapEditor();
  ChooseNext("maps\\cave.rkm");
  Panel().Click(RkMapEditor::Button::LoadNewArea);
  engine->PollMapEditor();
  EXPECT_STREQ(Panel().GetNewAreaLabel(), "cave.rkm");
  EXPECT_STREQ(Panel().GetNewAreaFile(), "maps\\cave.rkm");
}

TEST_F(RkMapEditorPollTest, LoadSpriteUsesTheSpritesFilterAndShowsThePreview) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  EXPECT_EQ(dialogFilters, (std::vector<std::string>{"Sprites"}));
  ASSERT_NE(Panel().GetTileSprite(), nullptr);
  EXPECT_EQ(Panel().GetTileSprite()->GetPosition().x, 112.0f);
  EXPECT_EQ(Panel().GetTileSprite()->GetPosition().y, 95.0f);
}

TEST_F(RkMapEditorPollTest, ClearMapEmptiesTheMapButKeepsTheNPCListAndChoice) {
  RkNPCList library;
  library.SaveNPC("Guard", MakeImage("images/guard.png", 0, 0, 200).c_str());
  library.SaveNPCFile();
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  Panel().SetNPCSelection(0);
  ChooseNext("maps/cave.rkm");
  Panel().Click(RkMapEditor::Button::LoadNewArea);
  engine->PollMapEditor();
  ReleaseButton();
  Panel().SetStartX("3");
  Panel().SetMapName("town");
  PressCanvas(70, 40);
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_EQ(engine->GetOrigin().GetX(), 0);
  EXPECT_TRUE(engine->GetRenderer().CopySpriteList().empty());
  EXPECT_STREQ(Panel().GetMapName(), "");
  EXPECT_STREQ(Panel().GetNewAreaLabel(), "");
  EXPECT_STREQ(Panel().GetNewAreaFile(), "");
  EXPECT_STREQ(Panel().GetStartX(), "0");
  EXPECT_EQ(Panel().GetTileSprite(), nullptr);
  EXPECT_EQ(Panel().GetNPCSprite(), nullptr);
  EXPECT_STREQ(Panel().GetNPCImageFile(), "");
  EXPECT_EQ(Panel().GetNPCNameCount(), 1);
  EXPECT_EQ(Panel().GetNPCSelection(), 0);
  EXPECT_EQ(Panel().GetPaintingChoice(), RkMapEditor::ChoiceOpen);
  // The same selection does not bring the preview back; another choice would.
  engine->PollMapEditor();
  EXPECT_EQ(Panel().GetNPCSprite(), nullptr);
}

TEST_F(RkMapEditorPollTest, NPCPreviewIsBuiltOncePerNewChoice) {
  RkNPCList library;
  library.SaveNPC("Guard", MakeImage("images/guard.png", 0, 0, 200).c_str());
  library.SaveNPC("Smith", MakeImage("images/smith.png", 200, 0, 0).c_str());
  library.SaveNPC("Ghost", "");
  library.SaveNPCFile();
  OpenMapEditor();
  ASSERT_EQ(Panel().GetNPCNameCount(), 3);
  Panel().SetNPCSelection(1);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetSelectedMapNPC(), "Smith");
  EXPECT_STREQ(Panel().GetNPCImageFile(), "images/smith.png");
  const RkSprite* first = Panel().GetNPCSprite();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetPosition().x, 140.0f);
  EXPECT_EQ(first->GetPosition().y, 420.0f);
  engine->PollMapEditor();
  EXPECT_EQ(Panel().GetNPCSprite(), first);
  // An NPC without an image shows no preview instead of failing on an empty name.
  Panel().SetNPCSelection(2);
  engine->PollMapEditor();
  EXPECT_EQ(Panel().GetNPCSprite(), nullptr);
}

}  // namespace
