// The fixed-step loop: how many steps a pass runs for the time that passed,
// the time every step receives, when the loop ends, and its fatal counter reports.
#include <SDL.h>

#include "GameFixture.h"

namespace {

class GameLoop : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    MakeWorld({".....", ".....", ".....", ".....", "....."}).Save("World.rkm");
  }
};

TEST_F(GameLoop, StallOfASecondOrMoreRunsExactlyFifteenSteps) {
  StartGame();
  clock.AdvanceSeconds(1.0);
  EXPECT_EQ(game->RunPass(clock), 15);
  EXPECT_NEAR(game->GetSimulatedTime(), 0.25, 1e-9);

  clock.AdvanceSeconds(5.0);
  EXPECT_EQ(game->RunPass(clock), 15);
  EXPECT_EQ(game->GetFrameCount(), 2);
}

TEST_F(GameLoop, FiveMillisecondPassesStepOnlyOnTheFourthButAlwaysDraw) {
  StartGame();
  for (int pass = 1; pass <= 3; ++pass) {
    clock.AdvanceSeconds(0.005);
    EXPECT_EQ(game->RunPass(clock), 0) << "pass " << pass;
  }
  clock.AdvanceSeconds(0.005);
  EXPECT_EQ(game->RunPass(clock), 1);
  EXPECT_NEAR(game->GetAccumulator(), 0.020 - 1.0 / 60.0, 1e-9);
  EXPECT_EQ(game->GetFrameCount(), 4);
}

TEST_F(GameLoop, CounterSteppingBackRunsNoStepAndDoesNotStallTheNextPasses) {
  StartGame();
  clock.AdvanceSeconds(-10.0);
  EXPECT_EQ(game->RunPass(clock), 0);
  EXPECT_EQ(game->GetAccumulator(), 0.0);
  clock.AdvanceCounts(ScriptedClock::kCountsPerStep);
  EXPECT_EQ(game->RunPass(clock), 1);
}

TEST_F(GameLoop, EveryStepOfAPassReceivesThePassTime) {
  RkWorld world = MakeWorld({".....", ".....", ".....", ".....", "....."});
  AddNpc(world, 3, 3, NPCNormal);
  world.Save("World.rkm");
  StartGame();
  StepAndDraw();  // the NPC's wander interval begins at this pass's time
  const double firstPassTime = game->GetCurrentTime();
  EXPECT_EQ(game->GetWorld().GetNPC(0).GetLastMoveTime(), firstPassTime);

  // Past the 3 s interval: the first step of the pass takes the wander step and
  // the second begins the next interval at its own time, which must be the
  // pass's time, not a time advanced by the steps before it.
  clock.AdvanceSeconds(3.1);
  EXPECT_EQ(game->RunPass(clock), 15);
  EXPECT_EQ(game->GetWorld().GetNPC(0).GetLastMoveTime(), game->GetCurrentTime());
  EXPECT_DOUBLE_EQ(game->GetCurrentTime(), clock.Seconds());
}

TEST_F(GameLoop, EscapeInAPassStillRunsItsOtherStepsAndOneFrameThenRunReturns) {
  game = std::make_unique<EmberHollow>();
  clock.onReading = [&](int reading) {
    if (reading == 2) {  // the first pass: three steps' time, Escape and an arrow down
      clock.AdvanceCounts(3 * ScriptedClock::kCountsPerStep);
      Hold({DIK_ESCAPE, DIK_RIGHT});
    }
    if (reading > 2) clock.counterFails = true;  // a further pass would end the process
  };
  game->Run(clock, GameTarget::Offscreen);

  EXPECT_FALSE(game->IsRunning());
  EXPECT_EQ(clock.readings, 2);
  EXPECT_NEAR(game->GetSimulatedTime(), 3.0 / 60.0, 1e-12);
  EXPECT_EQ(game->GetRenderer().GetFramesPresented(), 1);
  EXPECT_EQ(PlayerX(), 0);  // no walk starts in a step that sees Escape
  EXPECT_FALSE(game->GetRenderer().IsWalking());
}

TEST_F(GameLoop, ClosingTheWindowEndsTheLoopAfterThatPassLikeEscape) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
  game = std::make_unique<EmberHollow>();
  clock.onReading = [&](int reading) {
    clock.AdvanceCounts(ScriptedClock::kCountsPerStep);
    if (reading == 3) {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);  // taken by the next pass's message pump
    }
    if (reading > 4) clock.counterFails = true;
  };
  game->Run(clock, GameTarget::Offscreen);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);

  EXPECT_EQ(clock.readings, 4);  // start-up, two passes, and the pass that saw the close
  EXPECT_EQ(game->GetFrameCount(), 3);
  EXPECT_NEAR(game->GetSimulatedTime(), 3.0 / 60.0, 1e-12);
}

using GameLoopDeathTest = GameLoop;

TEST_F(GameLoopDeathTest, CounterFrequencyOfZeroIsFatal) {
  clock.frequencyFails = true;
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "--RkEngine Description--\nFailed to retrieve the frequency of the high-resolution "
              "performance counter\\.\n(.|\n)*FILE: EmberHollow\nLINE: 89\n");
}

TEST_F(GameLoopDeathTest, CounterFailingAtStartUpIsFatal) {
  clock.counterFails = true;
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "Failed to retrieve the current value of the high-resolution performance "
              "counter\\.\n(.|\n)*FILE: EmberHollow\nLINE: 93\n");
}

TEST_F(GameLoopDeathTest, CounterFailingInAPassIsFatal) {
  StartGame();
  clock.counterFails = true;
  EXPECT_EXIT(game->RunPass(clock), ::testing::ExitedWithCode(1),
              "Failed to retrieve the current value of the high-resolution performance "
              "counter\\.\n(.|\n)*FILE: EmberHollow\nLINE: 107\n");
}

}  // namespace
