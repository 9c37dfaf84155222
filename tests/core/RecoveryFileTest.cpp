// The recovery file of a map: its snapshot writes the bytes a save of the world
// writes, a write that fails or is given up leaves the previous file whole, and
// it is worth offering only while it is newer than its map.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "RkRecoveryFile.h"
#include "RkWorld.h"
#include "RkWorldSnapshot.h"
#include "ScratchDirectory.h"

namespace {

// Cells that differ in every field, runs of the same image and texts that come
// back after others, and NPCs with dialogues and answers.
RkWorld VariedWorld() {
  RkWorld world;
  world.Grow(5, 3);
  for (int x = 0; x < 6; ++x) {
    for (int y = 0; y < 4; ++y) {
      world.SetTileType(x, y, (x + y) % 4);
      world.SetTileImageFile(x, y, x % 3 == 0 ? "images/grass.png" : (y == 1 ? "images/water.png" : ""));
    }
  }
  world.SetTileNewArea(2, 1, "cave.rkm", 7, -3);
  world.SetTileNewArea(4, 2, "maps\\town.rkm", 1, 2);
  world.SetTileNewArea(5, 3, "cave.rkm", 0, 9);
  world.SetNPC("Bram", 1, 1, "images/bram.png", NPCNormal);
  world.SetNPC("Ysolde", 3, 2, "images/ysolde.png", NPCStatic);
  world.GetNPC(0).AddDialogue(1, "Well met.");
  world.GetNPC(0).AddResponse(1, "Farewell.", 0);
  return world;
}

// Sets a file's modification time, seconds from now.
void SetWrittenAt(const std::string& path, long secondsFromNow) {
  struct timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec += secondsFromNow;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(WorldSnapshotTest, SavesTheBytesOfTheWorldsOwnSave) {
  ScratchDirectory scratch;
  const RkWorld world = VariedWorld();
  const RkWorldSnapshot snapshot(world);
  ASSERT_FALSE(world.TrySave(scratch.File("saved.rkm").c_str()));
  ASSERT_FALSE(snapshot.Save(scratch.File("snapshot.rkm").c_str()));
  EXPECT_EQ(ReadFileBytes(scratch.File("snapshot.rkm")), ReadFileBytes(scratch.File("saved.rkm")));
}

// The world goes on changing after the snapshot: the file holds the moment it was taken.
TEST(WorldSnapshotTest, HoldsTheWorldAsItWasWhenTaken) {
  ScratchDirectory scratch;
  RkWorld world = VariedWorld();
  ASSERT_FALSE(world.TrySave(scratch.File("before.rkm").c_str()));
  const RkWorldSnapshot snapshot(world);
  world.SetTileImageFile(0, 0, "images/lava.png");
  world.Grow(9, 9);
  world.Clear();
  ASSERT_FALSE(snapshot.Save(scratch.File("snapshot.rkm").c_str()));
  EXPECT_EQ(ReadFileBytes(scratch.File("snapshot.rkm")), ReadFileBytes(scratch.File("before.rkm")));
}

TEST(WorldSnapshotTest, AGivenUpOrFailedSaveLeavesThePreviousFileWhole) {
  ScratchDirectory scratch;
  const std::string target = scratch.File(".map.rkm.recover");
  RkWorld small;
  small.Grow(1, 1);
  ASSERT_FALSE(RkWorldSnapshot(small).Save(target.c_str()));
  const Bytes old = ReadFileBytes(target);

  const auto givenUp = RkWorldSnapshot(VariedWorld()).Save(target.c_str(), [] { return false; });
  ASSERT_TRUE(givenUp);
  EXPECT_EQ(givenUp->GetSystemText(), "The save was cancelled.\n");

  // Writes past 20 KB fail (EFBIG) while the limit holds.
  RkWorld large;
  large.Grow(99, 0);
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit previous;
  getrlimit(RLIMIT_FSIZE, &previous);
  const struct rlimit limit = {20000, previous.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limit);
  const auto failed = RkWorldSnapshot(large).Save(target.c_str());
  setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_TRUE(failed);

  EXPECT_EQ(ReadFileBytes(target), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);
}

TEST(RecoveryFileTest, LiesHiddenBesideItsMap) {
  EXPECT_EQ(RkRecoveryFile::PathFor("World.rkm"), ".World.rkm.recover");
  EXPECT_EQ(RkRecoveryFile::PathFor("maps/town.backup.rkm"), "maps/.town.backup.rkm.recover");
  EXPECT_EQ(RkRecoveryFile::MapFileOf("maps/.town.backup.rkm.recover"), "maps/town.backup.rkm");
  EXPECT_EQ(RkRecoveryFile::MapFileOf(".recover"), "");
  EXPECT_EQ(RkRecoveryFile::MapFileOf("town.rkm"), "");
}

TEST(RecoveryFileTest, IsOfferedOnlyWhileNewerThanItsMap) {
  ScratchDirectory scratch;
  WorkingDirectoryChange inScratch(scratch.Path());
  RkWorld world = VariedWorld();
  ASSERT_FALSE(RkWorldSnapshot(world).Save(".lost.rkm.recover"));
  ASSERT_FALSE(RkWorldSnapshot(world).Save(".town.rkm.recover"));
  ASSERT_FALSE(world.TrySave("town.rkm"));
  ASSERT_FALSE(RkWorldSnapshot(world).Save(".cave.rkm.recover"));
  ASSERT_FALSE(world.TrySave("cave.rkm"));
  SetWrittenAt(".town.rkm.recover", 60);
  SetWrittenAt(".lost.rkm.recover", 30);
  SetWrittenAt("cave.rkm", 90);

  EXPECT_TRUE(RkRecoveryFile::IsWorthOffering("town.rkm"));
  EXPECT_TRUE(RkRecoveryFile::IsWorthOffering("lost.rkm"));  // its map was never saved
  EXPECT_FALSE(RkRecoveryFile::IsWorthOffering("cave.rkm"));
  EXPECT_FALSE(RkRecoveryFile::IsWorthOffering("town.rkm", "cave.rkm"));  // read from a newer file
  EXPECT_EQ(RkRecoveryFile::FindWorthOffering("."), (std::vector<std::string>{"town.rkm", "lost.rkm"}));
}
