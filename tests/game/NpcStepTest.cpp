// The NPCs in a step: the random walk kept to open ground away from the
// player, and the NPC sprites erased and re-added every step.
#include "GameFixture.h"

namespace {

class NpcStep : public GameFixture {
 protected:
  // Passes that each begin with a wander interval due: 3.1 s of counter time
  // (the pass runs 15 steps, all at that time).
  void RunDueWanders(int passes) {
    for (int pass = 0; pass < passes; ++pass) {
      clock.AdvanceSeconds(3.1);
      game->RunPass(clock);
    }
  }
  const RkNPC& Npc(unsigned index) { return game->GetWorld().GetNPC(index); }
};

TEST_F(NpcStep, WanderingNpcWithOpenGroundAroundMoves) {
  RkWorld world = MakeWorld({".......", ".......", ".......", ".......", "......."});
  AddNpc(world, 3, 2, NPCNormal);
  world.Save("World.rkm");
  StartGame(7);
  StepAndDraw();
  int moves = 0;
  for (int pass = 0; pass < 40; ++pass) {
    const int x = Npc(0).GetX(), y = Npc(0).GetY();
    RunDueWanders(1);
    const int distance = std::abs(Npc(0).GetX() - x) + std::abs(Npc(0).GetY() - y);
    ASSERT_LE(distance, 1) << "more than one cell in one wander";
    moves += distance;
  }
  EXPECT_GT(moves, 10) << "a wander is due in every pass and 4 of its 5 outcomes step";
  EXPECT_TRUE(game->GetWorld().IsInBounds(Npc(0).GetX(), Npc(0).GetY()));
  EXPECT_EQ(CountNpcSpritesAt(Npc(0).GetX() * 32.0f, Npc(0).GetY() * 32.0f), 1);
}

TEST_F(NpcStep, StepsThatSeeEscapeStillLetTheNpcsWander) {
  RkWorld world = MakeWorld({".....", ".....", "....."});
  AddNpc(world, 2, 1, NPCNormal);
  world.Save("World.rkm");
  StartGame();
  StepAndDraw();
  const double intervalBegan = Npc(0).GetLastMoveTime();
  Hold({DIK_ESCAPE});
  RunDueWanders(1);  // 15 steps, every one seeing Escape: the first wanders, the next begins an interval
  EXPECT_FALSE(game->IsRunning());
  EXPECT_NE(Npc(0).GetLastMoveTime(), intervalBegan);
  EXPECT_EQ(CountNpcSpritesAt(Npc(0).GetX() * 32.0f, Npc(0).GetY() * 32.0f), 1);
}

TEST_F(NpcStep, NpcNeverStepsOntoNullImpassableNewAreaOrThePlayersCell) {
  // The NPC at (1, 1): Null to the left, a wall to the right, a New Area cell
  // below, and open ground above where the player stands.
  RkWorld world = MakeWorld({"...", "x.#", ".A."});
  AddNpc(world, 1, 1, NPCNormal);
  world.Save("World.rkm");
  StartGame(3);
  game->GetPlayer().SetPosition(1, 0);
  StepAndDraw();
  for (int pass = 0; pass < 60; ++pass) {
    RunDueWanders(1);
    ASSERT_EQ(Npc(0).GetX(), 1) << "pass " << pass;
    ASSERT_EQ(Npc(0).GetY(), 1) << "pass " << pass;
    ASSERT_EQ(CountNpcSpritesAt(32.0f, 32.0f), 1);
  }
}

TEST_F(NpcStep, NpcNeverLeavesTheGrid) {
  RkWorld world = MakeWorld({"x."});
  AddNpc(world, 1, 0, NPCNormal);
  world.Save("World.rkm");
  StartGame(5);
  StepAndDraw();
  for (int pass = 0; pass < 60; ++pass) {
    RunDueWanders(1);
    ASSERT_EQ(Npc(0).GetX(), 1);
    ASSERT_EQ(Npc(0).GetY(), 0);
  }
}

TEST_F(NpcStep, NpcSpritesAreReAddedEveryStepAfterThePlayerSprite) {
  // A Static NPC on a wall never moves and is drawn there every step.
  RkWorld world = MakeWorld({"..#", "..."});
  AddNpc(world, 2, 0, NPCStatic, "OnTheWall");
  AddNpc(world, 0, 1, NPCStatic, "OnGrass");
  world.Save("World.rkm");
  StartGame();
  for (int step = 0; step < 5; ++step) {
    StepAndDraw();
    const std::vector<RkSprite> sprites = Sprites();
    ASSERT_EQ(sprites.size(), 6u + 1u + 2u);
    EXPECT_EQ(sprites[6].GetIsPlayer(), 1);
    EXPECT_EQ(sprites[7].GetPosition().x, 64.0f);
    EXPECT_EQ(sprites[7].GetPosition().y, 0.0f);
    EXPECT_EQ(sprites[8].GetPosition().x, 0.0f);
    EXPECT_EQ(sprites[8].GetPosition().y, 32.0f);
  }
}

TEST_F(NpcStep, TwoNpcsOnOneCellLeaveOnlyTheLaterOnesSprite) {
  RkWorld world = MakeWorld({"....", "....", "...."});
  world.SetNPC("Villager", 2, 2, PixelArt::kVillager, NPCStatic);
  world.SetNPC("Guard", 3, 2, PixelArt::kGuard, NPCStatic);
  world.GetNPC(1).SetPosition(2, 2);  // the editor keeps one NPC a cell; a file may hold two
  world.Save("World.rkm");
  StartGame();
  EXPECT_EQ(CountNpcSpritesAt(64.0f, 64.0f), 2);

  StepAndDraw();
  // The guard's RemoveNpcSprites also took the villager's re-added sprite.
  EXPECT_EQ(CountNpcSpritesAt(64.0f, 64.0f), 1);
  game->GetPlayer().SetPosition(2, 2);
  StepAndDraw();
  const PixelArt::Pixels guard = PixelArt::Draw(PixelArt::kGuard);
  const unsigned char* shirt = &guard[(20 * PixelArt::kSize + 16) * 4];
  // The player now stands on that cell, drawn first; the guard is drawn over it.
  EXPECT_EQ(game->GetRenderer().ReadPixel(320 + 16, 240 + 20),
            0xFF000000u | (RkColor(shirt[0]) << 16) | (RkColor(shirt[1]) << 8) | shirt[2]);
}

TEST_F(NpcStep, WorldWithoutNpcsLeavesTheSceneAsBuilt) {
  MakeWorld({"..", ".."}).Save("World.rkm");
  StartGame();
  const size_t before = Sprites().size();
  StepAndDraw();
  EXPECT_EQ(Sprites().size(), before);
  EXPECT_EQ(Sprites().back().GetIsPlayer(), 1);
}

}  // namespace
