// Growing the grid in each direction: sizes, results, and cells and NPCs that
// move together.
#include <gtest/gtest.h>

#include "RkWorld.h"

namespace {

// A 3 x 3 world whose cell (0, 0) is a New Area cell and an NPC stands on (0, 0).
RkWorld MarkedThreeByThree() {
  RkWorld world;
  world.Grow(2, 2);
  world.SetTileType(0, 0, TileNewArea);
  world.SetTileNewArea(0, 0, "north.rkm", 6, 9);
  world.SetTileImageFile(0, 0, "door.png");
  world.SetNPC("Porter", 0, 0, "porter.png", NPCStatic);
  return world;
}

void ExpectMarkedCellAt(const RkWorld& world, int32_t x, int32_t y) {
  EXPECT_EQ(world.GetTileType(x, y), TileNewArea);
  EXPECT_STREQ(world.GetTileNewAreaName(x, y), "north.rkm");
  EXPECT_EQ(world.GetTileNewAreaStartX(x, y), 6);
  EXPECT_EQ(world.GetTileNewAreaStartY(x, y), 9);
  EXPECT_STREQ(world.GetTileImageFile(x, y), "door.png");
  ASSERT_EQ(world.GetNPCCount(), 1u);
  EXPECT_EQ(world.GetNPCX(0), x);
  EXPECT_EQ(world.GetNPCY(0), y);
}

}  // namespace

TEST(WorldGrow, EmptyWorldAtOriginBecomesOneCell) {
  RkWorld world;
  EXPECT_EQ(world.Grow(0, 0), GrowRightOrDown);
  EXPECT_EQ(world.GetWidth(), 1);
  EXPECT_EQ(world.GetHeight(), 1);
  EXPECT_EQ(world.GetTileType(0, 0), TileNull);
}

TEST(WorldGrow, LeftMovesOldCellsAndNPCsRight) {
  RkWorld world = MarkedThreeByThree();
  EXPECT_EQ(world.Grow(-2, 1), GrowLeft);
  EXPECT_EQ(world.GetWidth(), 5);
  EXPECT_EQ(world.GetHeight(), 3);
  ExpectMarkedCellAt(world, 2, 0);
  EXPECT_EQ(world.GetTileType(0, 0), TileNull);
}

TEST(WorldGrow, LeftBelowTheGridAlsoAddsRows) {
  RkWorld world = MarkedThreeByThree();
  EXPECT_EQ(world.Grow(-1, 4), GrowLeft);
  EXPECT_EQ(world.GetWidth(), 4);
  EXPECT_EQ(world.GetHeight(), 5);
  ExpectMarkedCellAt(world, 1, 0);
}

TEST(WorldGrow, UpMovesOldCellsAndNPCsDown) {
  RkWorld world = MarkedThreeByThree();
  EXPECT_EQ(world.Grow(4, -1), GrowUp);
  EXPECT_EQ(world.GetWidth(), 5);
  EXPECT_EQ(world.GetHeight(), 4);
  ExpectMarkedCellAt(world, 0, 1);
}

TEST(WorldGrow, LeftAndUpMovesOldCellsBothWays) {
  RkWorld world = MarkedThreeByThree();
  EXPECT_EQ(world.Grow(-1, -1), GrowLeftAndUp);
  EXPECT_EQ(world.GetWidth(), 4);
  EXPECT_EQ(world.GetHeight(), 4);
  ExpectMarkedCellAt(world, 1, 1);
  EXPECT_TRUE(world.IsInBounds(0, 0));
  EXPECT_EQ(world.GetTileType(0, 0), TileNull);
}

TEST(WorldGrow, RightOrDownKeepsOldCellsInPlace) {
  RkWorld world = MarkedThreeByThree();
  EXPECT_EQ(world.Grow(5, 5), GrowRightOrDown);
  EXPECT_EQ(world.GetWidth(), 6);
  EXPECT_EQ(world.GetHeight(), 6);
  ExpectMarkedCellAt(world, 0, 0);
  EXPECT_EQ(world.Grow(1, 8), GrowRightOrDown);
  EXPECT_EQ(world.GetWidth(), 6);
  EXPECT_EQ(world.GetHeight(), 9);
}

TEST(WorldGrow, EveryOldCellKeepsItsContents) {
  RkWorld world;
  world.Grow(2, 3);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 4; ++y) world.SetTileType(x, y, 10 * x + y + 1);
  world.Grow(-2, -3);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 4; ++y) EXPECT_EQ(world.GetTileType(x + 2, y + 3), 10 * x + y + 1);
}
