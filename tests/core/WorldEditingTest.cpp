// The editor's NPC placement and the game's neighbour queries.
#include <gtest/gtest.h>

#include "RkWorld.h"

TEST(WorldEditing, SetNPCUpdatesTheOneStandingThereOrAppends) {
  RkWorld world;
  world.SetNPC("Guard", 2, 3, "guard.png", NPCNormal);
  world.GetNPC(0).AddDialogue(1, "Halt");
  world.SetNPC("Captain", 2, 3, "captain.png", NPCStatic);
  ASSERT_EQ(world.GetNPCCount(), 1u);
  const RkNPC& npc = world.GetNPC(0);
  EXPECT_STREQ(npc.GetName(), "Captain");
  EXPECT_STREQ(npc.GetImageFile(), "captain.png");
  EXPECT_EQ(npc.GetType(), NPCStatic);
  EXPECT_EQ(npc.GetDialogueCount(), 1u);
  world.SetNPC("Cat", 3, 3, "cat.png", NPCNormal);
  EXPECT_EQ(world.GetNPCCount(), 2u);
}

TEST(WorldEditing, RemoveNPCsAtRemovesAllOnTheCellAndKeepsOrder) {
  RkWorld world;
  world.SetNPC("A", 0, 0, "", NPCNormal);
  world.SetNPC("B", 1, 0, "", NPCNormal);
  world.SetNPC("C", 2, 0, "", NPCNormal);
  world.GetNPC(2).SetPosition(1, 0);  // two on one cell, as the game's walk can leave them
  world.RemoveNPCsAt(1, 0);
  ASSERT_EQ(world.GetNPCCount(), 1u);
  EXPECT_STREQ(world.GetNPC(0).GetName(), "A");
}

TEST(WorldEditing, GetNPCHandsOutTheNPCInPlace) {
  RkWorld world;
  world.SetNPC("Walker", 1, 1, "", NPCNormal);
  world.GetNPC(0).Move(DirectionRight);
  EXPECT_EQ(world.GetNPCX(0), 2);
}

TEST(WorldQueries, TileTypeTowardLooksOneCellAwayAndIsNullOffTheGrid) {
  RkWorld world;
  world.Grow(2, 2);
  world.SetTileType(1, 1, TileOpen);
  world.SetTileType(0, 1, TileImpassable);
  world.SetTileType(2, 1, TileNewArea);
  world.SetTileType(1, 0, 9);
  EXPECT_EQ(world.GetTileTypeToward(1, 1, DirectionNone), TileOpen);
  EXPECT_EQ(world.GetTileTypeToward(1, 1, DirectionLeft), TileImpassable);
  EXPECT_EQ(world.GetTileTypeToward(1, 1, DirectionRight), TileNewArea);
  EXPECT_EQ(world.GetTileTypeToward(1, 1, DirectionUp), 9);
  EXPECT_EQ(world.GetTileTypeToward(0, 1, DirectionLeft), TileNull);
  EXPECT_EQ(world.GetTileTypeToward(1, 2, DirectionDown), TileNull);
  EXPECT_EQ(world.GetTileTypeToward(1, 1, static_cast<RkDirection>(7)), TileNull);
}

TEST(WorldQueries, NPCTowardOnlyForTheFourSteps) {
  RkWorld world;
  world.SetNPC("Here", 5, 5, "", NPCNormal);
  EXPECT_TRUE(world.IsNPCToward(4, 5, DirectionRight));
  EXPECT_TRUE(world.IsNPCToward(6, 5, DirectionLeft));
  EXPECT_TRUE(world.IsNPCToward(5, 6, DirectionUp));
  EXPECT_TRUE(world.IsNPCToward(5, 4, DirectionDown));
  EXPECT_FALSE(world.IsNPCToward(5, 5, DirectionNone));
  EXPECT_FALSE(world.IsNPCToward(5, 5, static_cast<RkDirection>(-1)));
  EXPECT_FALSE(world.IsNPCToward(4, 5, DirectionLeft));
}

TEST(WorldQueries, BoundsAndClear) {
  RkWorld world;
  EXPECT_FALSE(world.IsInBounds(0, 0));
  world.Grow(1, 0);
  world.SetNPC("A", 0, 0, "", NPCNormal);
  EXPECT_TRUE(world.IsInBounds(1, 0));
  EXPECT_FALSE(world.IsInBounds(2, 0));
  EXPECT_FALSE(world.IsInBounds(0, -1));
  EXPECT_FALSE(world.IsInBounds(0, 1));
  world.Clear();
  EXPECT_EQ(world.GetWidth(), 0);
  EXPECT_EQ(world.GetHeight(), 0);
  EXPECT_EQ(world.GetNPCCount(), 0u);
}
