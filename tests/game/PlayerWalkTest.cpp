// The player's walk in a step: the key priorities, the cells that block, the
// one-cell-per-walk rhythm of a held arrow, and the view that follows.
#include "GameFixture.h"

namespace {

class PlayerWalk : public GameFixture {
 protected:
  // Row 0: open, open, Null, open; row 1: open, wall, open, open; row 2 open.
  void SetUp() override {
    GameFixture::SetUp();
    RkWorld world = MakeWorld({"..x.", ".#..", "...."});
    AddNpc(world, 3, 1, NPCStatic);
    world.Save("World.rkm");
    StartGame();
  }

  void Place(int x, int y) { game->GetPlayer().SetPosition(x, y); }
  // Holds the keys for one step and reports whether a walk started.
  bool WalkStartsWith(std::initializer_list<uint8_t> keys) {
    Hold(keys);
    StepAndDraw();
    return game->GetRenderer().IsWalking() != 0;
  }
};

TEST_F(PlayerWalk, ArrowsWalkOneCellOntoOpenGround) {
  EXPECT_TRUE(WalkStartsWith({DIK_RIGHT}));
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_EQ(PlayerY(), 0);
  EXPECT_EQ(game->GetRenderer().GetWalkDirection(), DirectionRight);
  FinishWalk();
  EXPECT_TRUE(WalkStartsWith({DIK_LEFT}));
  FinishWalk();
  EXPECT_TRUE(WalkStartsWith({DIK_DOWN}));
  FinishWalk();
  EXPECT_TRUE(WalkStartsWith({DIK_UP}));
  FinishWalk();
  EXPECT_EQ(PlayerX(), 0);
  EXPECT_EQ(PlayerY(), 0);
}

TEST_F(PlayerWalk, OutsideTheGridNullImpassableAndNpcCellsBlock) {
  EXPECT_FALSE(WalkStartsWith({DIK_LEFT}));  // column 0: outside the grid
  EXPECT_FALSE(WalkStartsWith({DIK_UP}));    // row 0: outside the grid
  Place(1, 0);
  EXPECT_FALSE(WalkStartsWith({DIK_RIGHT}));  // (2, 0) is Null
  EXPECT_FALSE(WalkStartsWith({DIK_DOWN}));   // (1, 1) is Impassable
  Place(3, 0);
  EXPECT_FALSE(WalkStartsWith({DIK_DOWN}));  // an NPC stands on (3, 1)
  Place(3, 2);
  EXPECT_FALSE(WalkStartsWith({DIK_UP}));     // the same NPC from below
  EXPECT_FALSE(WalkStartsWith({DIK_DOWN}));   // bottom row: outside the grid
  EXPECT_FALSE(WalkStartsWith({DIK_RIGHT}));  // last column: outside the grid
  EXPECT_EQ(PlayerX(), 3);
  EXPECT_EQ(PlayerY(), 2);
}

TEST_F(PlayerWalk, FirstKeyInPriorityOrderCounts) {
  Place(2, 2);
  EXPECT_TRUE(WalkStartsWith({DIK_UP, DIK_LEFT}));  // Left comes before Up
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_EQ(PlayerY(), 2);
  FinishWalk();
  // Left is blocked here (column 0 after one more), yet it still wins over Right.
  Place(0, 2);
  EXPECT_FALSE(WalkStartsWith({DIK_RIGHT, DIK_LEFT}));
  EXPECT_TRUE(WalkStartsWith({DIK_RIGHT, DIK_DOWN, DIK_UP}));
  EXPECT_EQ(PlayerX(), 1);
  FinishWalk();
  Place(0, 1);  // open ground above and below
  EXPECT_TRUE(WalkStartsWith({DIK_DOWN, DIK_UP}));
  EXPECT_EQ(PlayerY(), 0);  // Up comes before Down
}

TEST_F(PlayerWalk, EscapeWithAnArrowStopsTheGameAndStartsNoWalk) {
  EXPECT_FALSE(WalkStartsWith({DIK_DOWN, DIK_ESCAPE}));
  EXPECT_FALSE(game->IsRunning());
  EXPECT_EQ(PlayerY(), 0);
}

TEST_F(PlayerWalk, HeldArrowWalksOneCellEverySixteenFrames) {
  Place(0, 2);
  Hold({DIK_RIGHT});
  std::vector<int> passesWhenMoved;
  int lastX = PlayerX();
  for (int pass = 1; pass <= 40; ++pass) {
    StepAndDraw();
    if (PlayerX() != lastX) passesWhenMoved.push_back(pass);
    lastX = PlayerX();
  }
  // Cells 1, 2, 3; then the last column stops the walk.
  EXPECT_EQ(passesWhenMoved, (std::vector<int>{1, 17, 33}));
  EXPECT_EQ(PlayerX(), 3);
}

// A cell takes 16 steps of 1/60 s, however many steps a drawn frame follows:
// at one step a frame the walk shows offsets 0, 2 .. 30, at four 6, 14, 22, 30.
TEST_F(PlayerWalk, WalkLastsSixteenStepsAtAnyFrameRate) {
  for (int stepsPerFrame : {1, 4}) {
    StartGame();
    Place(0, 2);
    Hold({DIK_RIGHT});
    std::vector<double> timesMoved;
    std::vector<int> offsetsOfTheFirstCell;
    for (int pass = 0; pass < 40; ++pass) {
      const int lastX = PlayerX();
      clock.AdvanceCounts(stepsPerFrame * ScriptedClock::kCountsPerStep);
      game->RunPass(clock);
      if (PlayerX() != lastX) timesMoved.push_back(game->GetSimulatedTime());
      if (PlayerX() == 1) offsetsOfTheFirstCell.push_back(game->GetRenderer().GetWalkOffset());
    }
    ASSERT_GE(timesMoved.size(), 2u) << stepsPerFrame;
    EXPECT_NEAR(timesMoved[1] - timesMoved[0], 16.0 / 60.0, 1e-9) << stepsPerFrame << " steps per frame";
    std::vector<int> expected;
    for (int offset = 2 * (stepsPerFrame - 1); offset < 32; offset += 2 * stepsPerFrame) expected.push_back(offset);
    EXPECT_EQ(offsetsOfTheFirstCell, expected) << stepsPerFrame << " steps per frame";
  }
}

TEST_F(PlayerWalk, NoNewWalkWhileTheAnimationRuns) {
  Place(0, 1);
  EXPECT_TRUE(WalkStartsWith({DIK_DOWN}));
  // Right and Up both lead onto open ground from (0, 2), but the walk's 16
  // steps are not over until the 17th pass's step.
  for (int pass = 2; pass <= 16; ++pass) {
    Hold({pass % 2 == 0 ? DIK_UP : DIK_RIGHT});
    StepAndDraw();
    EXPECT_EQ(PlayerX(), 0) << "pass " << pass;
    EXPECT_EQ(PlayerY(), 2) << "pass " << pass;
  }
  EXPECT_EQ(game->GetRenderer().GetWalkOffset(), 30);
  EXPECT_TRUE(WalkStartsWith({DIK_RIGHT}));
}

TEST_F(PlayerWalk, ViewGlidesTowardTheNewCellAndSettlesOnIt) {
  RkDirect3D& renderer = game->GetRenderer();
  StepAndDraw();
  // Standing on (0, 0): screen column 288..319 shows the cell left of it, outside the grid.
  EXPECT_EQ(renderer.ReadPixel(300, 250), RK_COLOR_BLACK);
  EXPECT_TRUE(WalkStartsWith({DIK_RIGHT}));
  ReleaseAll();
  FinishWalk();
  StepAndDraw();
  // Now on (1, 0): the same screen pixels show cell (0, 0), open ground.
  const PixelArt::Pixels grass = PixelArt::Draw(kTileImage);
  const unsigned char* p = &grass[(10 * PixelArt::kSize + 12) * 4];
  EXPECT_EQ(renderer.ReadPixel(300, 250), 0xFF000000u | (RkColor(p[0]) << 16) | (RkColor(p[1]) << 8) | p[2]);
}

}  // namespace
