// Start points follow the cells they name when a map grows to the left or
// upwards: the map's own links at once, the other maps' links on request.
#include <gtest/gtest.h>

#include "MapRows.h"
#include "RkMapLinks.h"
#include "RkMapPath.h"
#include "ScratchDirectory.h"

namespace {

// A 3 x 2 map "World.rkm": (0, 0) leads into itself at (2, 1), (1, 0) written
// the Windows way into itself at (1, 1), (2, 0) to House.rkm at (1, 1).
RkWorld SelfLinkedWorld() {
  RkWorld world = MapFromRows({"abc", "..."});
  world.SetTileNewArea(0, 0, "World.rkm", 2, 1);
  world.SetTileNewArea(1, 0, ".\\World.rkm", 1, 1);
  world.SetTileNewArea(2, 0, "House.rkm", 1, 1);
  world.SetFileName("World.rkm");
  return world;
}

void ExpectStart(const RkWorld& world, int32_t x, int32_t y, int32_t startX, int32_t startY) {
  EXPECT_EQ(world.GetTileNewAreaStartX(x, y), startX) << x << "," << y;
  EXPECT_EQ(world.GetTileNewAreaStartY(x, y), startY) << x << "," << y;
}

}  // namespace

TEST(MapLinks, GrowingLeftAndUpMovesTheStartPointsOfLinksIntoTheMapOnly) {
  RkWorld world = SelfLinkedWorld();
  world.Grow(-2, 1);
  ExpectStart(world, 2, 0, 4, 1);
  ExpectStart(world, 3, 0, 3, 1);
  ExpectStart(world, 4, 0, 1, 1);
  world.Grow(0, -3);
  ExpectStart(world, 2, 3, 4, 4);
  ExpectStart(world, 4, 3, 1, 1);
  world.Grow(9, 9);  // right and down: nothing moves
  ExpectStart(world, 2, 3, 4, 4);
}

TEST(MapLinks, AWorldWithoutAFileNameOrGrownRightKeepsItsStartPoints) {
  RkWorld unnamed = SelfLinkedWorld();
  unnamed.SetFileName("");
  unnamed.Grow(-1, -1);
  ExpectStart(unnamed, 1, 1, 2, 1);
  RkWorld named = SelfLinkedWorld();
  named.Clear();
  EXPECT_EQ(named.GetFileName(), "");
}

TEST(MapLinks, ATargetLeadsIntoTheSameFileWrittenAnyWay) {
  EXPECT_TRUE(RkMapPath::LeadsInto("maps\\..\\World.rkm", "World.rkm"));
  EXPECT_TRUE(RkMapPath::LeadsInto("World.rkm", "demo/World.rkm"));
  EXPECT_TRUE(RkMapPath::LeadsInto("demo\\World.rkm", "demo/World.rkm"));
  EXPECT_FALSE(RkMapPath::LeadsInto("World.rkm", "World.rkm.bak"));
  EXPECT_FALSE(RkMapPath::LeadsInto("House.rkm", "demo/World.rkm"));
  EXPECT_FALSE(RkMapPath::LeadsInto("", "World.rkm"));
}

TEST(MapLinks, RewritingTheFolderMovesTheOtherMapsLinksIntoTheGrownMap) {
  ScratchDirectory folder;
  RkWorld world = SelfLinkedWorld();
  world.Save(folder.File("World.rkm").c_str());
  RkWorld house = MapFromRows({"w.v"});
  house.SetTileNewArea(0, 0, "World.rkm", 2, 1);
  house.SetTileNewArea(2, 0, "Grove.rkm", 0, 0);
  house.Save(folder.File("House.rkm").c_str());
  RkWorld grove = MapFromRows({"h"});
  grove.SetTileNewArea(0, 0, "House.rkm", 1, 0);
  grove.Save(folder.File("Grove.rkm").c_str());
  const Bytes groveBefore = ReadFileBytes(folder.File("Grove.rkm"));
  const Bytes worldBefore = ReadFileBytes(folder.File("World.rkm"));
  WriteFileBytes(folder.File("Broken.rkm"), {0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0});

  EXPECT_EQ(RkMapLinks::FindMapsLeadingInto(folder.Path(), "World.rkm"), std::vector<std::string>{"House.rkm"});
  const RkMapLinks::Rewrite rewrite = RkMapLinks::ShiftStartPointsInto(folder.Path(), "World.rkm", 3, 2);

  EXPECT_EQ(rewrite.rewritten, std::vector<std::string>{"House.rkm"});
  ASSERT_EQ(rewrite.unreadable.size(), 1u);
  EXPECT_EQ(rewrite.unreadable[0].rfind("Broken.rkm: ", 0), 0u);
  RkWorld reloaded;
  reloaded.Load(folder.File("House.rkm").c_str());
  EXPECT_EQ(reloaded.GetFileName(), folder.File("House.rkm"));  // so growing it moves its own links
  ExpectStart(reloaded, 0, 0, 5, 3);
  ExpectStart(reloaded, 2, 0, 0, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("Grove.rkm")), groveBefore);
  EXPECT_EQ(ReadFileBytes(folder.File("World.rkm")), worldBefore);
}
