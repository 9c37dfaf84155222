// New Area cells: the walk onto them, the map that loads in the first step
// after the walk's 16 frames, the player on the start cell, the rebuilt scene.
#include "GameCommandLine.h"
#include "GameFixture.h"

namespace {

class AreaChange : public GameFixture {
 protected:
  // "World.rkm": a row of two open cells and a New Area cell at (2, 0) leading
  // to "Other.rkm" with start (5, 7); "Other.rkm": 8 by 9 open cells, one NPC.
  void SetUp() override {
    GameFixture::SetUp();
    RkWorld world = MakeWorld({"..A"});
    world.SetTileNewArea(2, 0, "Other.rkm", 5, 7);
    world.Save("World.rkm");
    RkWorld other = MakeWorld(std::vector<std::string>(9, "........"));
    AddNpc(other, 1, 1, NPCStatic);
    other.Save("Other.rkm");
  }

  // Into Other.rkm through (2, 0), then back through its New Area cell (0, 0)
  // that leads to "World.rkm": the width of the map the player is back on.
  int WidthAfterARoundTrip() {
    RkWorld other = MakeWorld({"A.", ".."});
    other.SetTileNewArea(0, 0, "World.rkm", 1, 0);
    other.Save("Other.rkm");
    WalkRightAndFinish();
    Hold({DIK_RIGHT});
    for (int pass = 0; pass < 17; ++pass) StepAndDraw();  // into Other.rkm at (5, 7)
    ReleaseAll();
    EXPECT_EQ(game->GetWorld().GetWidth(), 2);
    game->GetPlayer().SetPosition(1, 0);
    Hold({DIK_LEFT});
    StepAndDraw();
    ReleaseAll();
    for (int pass = 0; pass < 16; ++pass) StepAndDraw();  // back onto "World.rkm" at (1, 0)
    return game->GetWorld().GetWidth();
  }

  void WalkRightAndFinish() {
    Hold({DIK_RIGHT});
    StepAndDraw();
    ReleaseAll();
    FinishWalk();
  }
};

TEST_F(AreaChange, MapLoadsInTheFirstStepAfterTheWalkWithThePlayerOnTheStartCell) {
  StartGame();
  WalkRightAndFinish();
  Hold({DIK_RIGHT});
  StepAndDraw();  // onto the New Area cell
  ReleaseAll();
  EXPECT_TRUE(game->IsAreaChangePending());
  EXPECT_EQ(PlayerX(), 2);
  for (int pass = 2; pass <= 16; ++pass) {
    StepAndDraw();
    ASSERT_EQ(game->GetWorld().GetWidth(), 3) << "loaded during the walk, pass " << pass;
  }
  EXPECT_EQ(game->GetRenderer().GetWalkOffset(), 30);  // the walk's last frame is drawn
  EXPECT_TRUE(game->IsAreaChangePending());

  StepAndDraw();
  EXPECT_FALSE(game->IsAreaChangePending());
  EXPECT_EQ(game->GetWorld().GetWidth(), 8);
  EXPECT_EQ(game->GetWorld().GetHeight(), 9);
  EXPECT_EQ(PlayerX(), 5);
  EXPECT_EQ(PlayerY(), 7);

  // The scene holds the new map only: 72 tiles, its NPC, the player last.
  const std::vector<RkSprite> sprites = Sprites();
  ASSERT_EQ(sprites.size(), 72u + 1u + 1u);
  EXPECT_EQ(sprites[72].GetIsNpc(), 1);
  EXPECT_EQ(sprites.back().GetIsPlayer(), 1);
  EXPECT_EQ(sprites.back().GetPosition().x, 320.0f);
  EXPECT_EQ(sprites.back().GetPosition().y, 240.0f);
}

TEST_F(AreaChange, HeldArrowWalksOnInTheStepThatLoadsTheMap) {
  StartGame();
  WalkRightAndFinish();
  Hold({DIK_RIGHT});
  for (int pass = 1; pass <= 17; ++pass) StepAndDraw();
  EXPECT_EQ(game->GetWorld().GetWidth(), 8);
  EXPECT_EQ(PlayerX(), 6);  // start (5, 7), then one cell right in the same step
  EXPECT_EQ(PlayerY(), 7);
  EXPECT_TRUE(game->GetRenderer().IsWalking());
}

TEST_F(AreaChange, StepThatSeesEscapeStillChangesADueArea) {
  StartGame();
  WalkRightAndFinish();
  Hold({DIK_RIGHT});
  StepAndDraw();  // onto the New Area cell
  ReleaseAll();
  for (int pass = 2; pass <= 16; ++pass) StepAndDraw();
  Hold({DIK_ESCAPE});
  StepAndDraw();
  EXPECT_FALSE(game->IsRunning());
  EXPECT_EQ(game->GetWorld().GetWidth(), 8);
  EXPECT_EQ(PlayerX(), 5);
  EXPECT_FALSE(game->IsAreaChangePending());
}

TEST_F(AreaChange, NpcOnANewAreaCellDoesNotBlockTheWalk) {
  RkWorld world = MakeWorld({".A"});
  world.SetTileNewArea(1, 0, "Other.rkm", 5, 7);
  AddNpc(world, 1, 0, NPCStatic);
  world.Save("World.rkm");
  StartGame();
  Hold({DIK_RIGHT});
  StepAndDraw();
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_TRUE(game->IsAreaChangePending());
}

TEST_F(AreaChange, MapsLinkBackAndForth) {
  StartGame();
  EXPECT_EQ(WidthAfterARoundTrip(), 3);
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_EQ(PlayerY(), 0);
}

// The editor's playtest starts the game on a hidden copy of the edited map: a
// link back into the edited map's file must play the copy, with the unsaved
// edits, not the file's older state.
TEST_F(AreaChange, PlaytestCopyStandsInForTheEditedMapOnTheWayBack) {
  RkWorld edited = MakeWorld({"..A."});
  edited.SetTileNewArea(2, 0, "Other.rkm", 5, 7);
  edited.Save(".World.rkm.playtest-1");
  const char* arguments[] = {"EmberHollow", "--map", ".World.rkm.playtest-1"};
  game = std::make_unique<EmberHollow>();
  game->SetCommandLine(GameCommandLine::Parse(3, arguments));
  game->SetPlaytestMapFile("./World.rkm");  // the same file, named otherwise
  game->Start(clock, GameTarget::Offscreen);
  EXPECT_EQ(WidthAfterARoundTrip(), 4);
}

using AreaChangeDeathTest = AreaChange;

TEST_F(AreaChangeDeathTest, EmptyMapNameEndsInTheWorldFilesOpenReportAfterTheWalk) {
  RkWorld world = MakeWorld({".A"});
  world.Save("World.rkm");  // New Area cell without a map name
  StartGame();
  Hold({DIK_RIGHT});
  StepAndDraw();
  ASSERT_EQ(PlayerX(), 1);
  ReleaseAll();
  for (int pass = 2; pass <= 16; ++pass) StepAndDraw();  // the walk's other 15 frames
  EXPECT_EXIT(StepAndDraw(), ::testing::ExitedWithCode(1),
              "Failed to open the world file\\.\n(.|\n)*FILE: RkWorld\nLINE: 405\n");
}

}  // namespace
