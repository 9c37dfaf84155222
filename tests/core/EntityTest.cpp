// Entities' moves and texts, and the NPCs' random walk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RkNPC.h"
#include "RkPlayer.h"

TEST(Entity, MovesOneCellAndIgnoresUnknownDirections) {
  RkEntity entity;
  entity.Move(DirectionLeft);
  EXPECT_EQ(entity.GetX(), -1);
  entity.Move(DirectionDown);
  entity.Move(DirectionDown);
  entity.Move(DirectionUp);
  entity.Move(DirectionRight);
  entity.Move(DirectionRight);
  EXPECT_EQ(entity.GetX(), 1);
  EXPECT_EQ(entity.GetY(), 1);
  for (int bad : {0, 5, -1}) entity.Move(static_cast<RkDirection>(bad));
  EXPECT_EQ(entity.GetX(), 1);
  EXPECT_EQ(entity.GetY(), 1);
}

TEST(Entity, PlayerAndNPCMoveThroughTheBase) {
  RkNPC npc("Walker");
  RkPlayer player;
  RkEntity* entities[] = {&npc, &player};
  for (RkEntity* entity : entities) entity->Move(DirectionRight);
  EXPECT_EQ(npc.GetX(), 1);
  EXPECT_EQ(player.GetX(), 1);
}

TEST(Entity, Accepts499CharacterTexts) {
  const std::string longest(499, 'n');
  RkEntity entity;
  entity.SetName(longest.c_str());
  entity.SetImageFile(longest.c_str());
  EXPECT_EQ(std::string(entity.GetName()), longest);
  EXPECT_EQ(std::string(entity.GetImageFile()), longest);
}

TEST(Entity, NPCKinds) {
  EXPECT_EQ(RkNPC().GetType(), NPCNone);
  EXPECT_EQ(RkNPC("Named").GetType(), NPCNormal);
}

TEST(NPCWander, WaitsThreeSecondsFromItsFirstCallThenStepsWithRandModFive) {
  RkNPC npc("Walker");
  npc.SetPosition(10, 10);
  EXPECT_EQ(npc.Wander(10.0), DirectionNone);
  EXPECT_EQ(npc.Wander(12.9), DirectionNone);
  EXPECT_EQ(npc.GetX(), 10);
  EXPECT_EQ(npc.GetY(), 10);

  std::srand(1234);
  const int expected = std::rand() % 5;
  std::srand(1234);
  const RkDirection taken = npc.Wander(13.0);
  EXPECT_EQ(taken, expected);
  RkEntity reference;
  reference.SetPosition(10, 10);
  reference.Move(taken);
  EXPECT_EQ(npc.GetX(), reference.GetX());
  EXPECT_EQ(npc.GetY(), reference.GetY());
  EXPECT_EQ(npc.GetLastMoveTime(), 0.0);
}

TEST(NPCWander, NextIntervalBeginsAtTheCallAfterAStep) {
  RkNPC npc("Walker");
  npc.Wander(10.0);
  npc.Wander(13.0);            // step; interval over
  npc.Wander(14.0);            // begins the next interval
  EXPECT_EQ(npc.GetLastMoveTime(), 14.0);
  const int x = npc.GetX();
  const int y = npc.GetY();
  EXPECT_EQ(npc.Wander(16.9), DirectionNone);
  EXPECT_EQ(npc.GetX(), x);
  EXPECT_EQ(npc.GetY(), y);
  npc.Wander(17.0);
  EXPECT_EQ(npc.GetLastMoveTime(), 0.0);
}

TEST(NPCWander, StaticAndUnreadNPCsNeverMoveAndStayDue) {
  RkNPC still("Statue");
  still.SetType(NPCStatic);
  RkNPC unread;
  for (RkNPC* npc : {&still, &unread}) {
    for (double now = 1.0; now < 100.0; now += 0.5) EXPECT_EQ(npc->Wander(now), DirectionNone);
    EXPECT_EQ(npc->GetX(), 0);
    EXPECT_EQ(npc->GetY(), 0);
    EXPECT_EQ(npc->GetLastMoveTime(), 1.0);
  }
}

TEST(NPCWander, AllFiveOutcomesOccur) {
  std::srand(99);
  bool seen[5] = {};
  for (int i = 0; i < 500; ++i) {
    RkNPC npc("Walker");
    npc.Wander(1.0);
    seen[npc.Wander(4.0)] = true;
  }
  for (bool outcome : seen) EXPECT_TRUE(outcome);
}
