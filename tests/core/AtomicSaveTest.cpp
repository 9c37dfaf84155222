// Saving through a temporary file: a save that fails at any point reports as
// the file's owner says and leaves the previous file whole. These tests run as
// root in CI, so failures come from folders and file-size limits rather than
// permissions.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "RkBinaryWriter.h"
#include "RkNPCList.h"
#include "RkWorld.h"
#include "ScratchDirectory.h"

namespace {

// Writes beyond this many bytes fail (EFBIG) in the process that calls it.
void LimitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  const struct rlimit limit = {bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}

RkWorld WorldOfSize(int32_t width, int32_t height) {
  RkWorld world;
  world.Grow(width - 1, height - 1);
  world.SetNPC("Keeper", 0, 0, "keeper.png", NPCStatic);
  return world;
}

class AtomicSaveTest : public testing::Test {
 protected:
  void SetUp() override {
    target = scratch.File("map.rkm");
    WorldOfSize(2, 2).Save(target.c_str());
    oldBytes = ReadFileBytes(target);
  }
  void ExpectOldFileWholeAndNoTemporary() {
    EXPECT_EQ(ReadFileBytes(target), oldBytes);
    EXPECT_FALSE(FileExists(RkBinaryWriter::TemporaryPathFor(target)));
  }
  ScratchDirectory scratch;
  std::string target;
  Bytes oldBytes;
};

}  // namespace

TEST_F(AtomicSaveTest, SuccessfulSaveReplacesTheFileAndLeavesNoTemporary) {
  WorldOfSize(3, 1).Save(target.c_str());
  EXPECT_EQ(Int32At(ReadFileBytes(target), 0), 3);
  EXPECT_FALSE(FileExists(RkBinaryWriter::TemporaryPathFor(target)));
}

TEST_F(AtomicSaveTest, TemporaryThatCannotBeCreatedReportsCreateAndKeepsTheOldFile) {
  std::filesystem::create_directory(RkBinaryWriter::TemporaryPathFor(target));
  EXPECT_EXIT(WorldOfSize(3, 3).Save(target.c_str()), testing::ExitedWithCode(1),
              "Failed to create the world file.*FILE: RkWorld\nLINE: 289\n$");
  EXPECT_EQ(ReadFileBytes(target), oldBytes);
}

TEST_F(AtomicSaveTest, MissingFolderReportsCreate) {
  const std::string nowhere = scratch.File("no/such/folder/map.rkm");
  EXPECT_EXIT(WorldOfSize(1, 1).Save(nowhere.c_str()), testing::ExitedWithCode(1),
              "Failed to create the world file.");
}

TEST_F(AtomicSaveTest, WriteFailingInsideTheGridReportsTheTileAndKeepsTheOldFile) {
  // 40 x 40 cells are 1.6 MB, past the first buffer flush.
  EXPECT_EXIT(
      {
        LimitFileSize(64 * 1024);
        WorldOfSize(40, 40).Save(target.c_str());
      },
      testing::ExitedWithCode(1), "Failed to write tile data to file.*FILE: RkTile\n");
  ExpectOldFileWholeAndNoTemporary();
}

TEST_F(AtomicSaveTest, WriteFailingAtTheLastFlushReportsCloseAndKeepsTheOldFile) {
  EXPECT_EXIT(
      {
        LimitFileSize(4096);
        WorldOfSize(10, 10).Save(target.c_str());
      },
      testing::ExitedWithCode(1), "Failed to close the world file.*FILE: RkWorld\nLINE: 326\n$");
  ExpectOldFileWholeAndNoTemporary();
}

TEST_F(AtomicSaveTest, TargetThatCannotBeReplacedReportsCloseAndLeavesNoTemporary) {
  const std::string folderTarget = scratch.File("taken.rkm");
  std::filesystem::create_directories(folderTarget + "/inside");
  EXPECT_EXIT(WorldOfSize(1, 1).Save(folderTarget.c_str()), testing::ExitedWithCode(1),
              "Failed to close the world file.");
  EXPECT_TRUE(std::filesystem::is_directory(folderTarget + "/inside"));
  EXPECT_FALSE(FileExists(RkBinaryWriter::TemporaryPathFor(folderTarget)));
}

TEST_F(AtomicSaveTest, NPCFileKeepsItsOldContentsWhenASaveFails) {
  WorkingDirectoryChange inScratch(scratch.Path());
  RkNPCList list;
  list.SaveNPC("Old", "old.png");
  list.SaveNPCFile();
  const Bytes oldList = ReadFileBytes("NPCs.rk");
  for (int i = 0; i < 1100; ++i) list.SaveNPC(("Npc" + std::to_string(i)).c_str(), "npc.png");
  EXPECT_EXIT(
      {
        LimitFileSize(8192);
        list.SaveNPCFile();
      },
      testing::ExitedWithCode(1), "Failed to write NPC data to file.*FILE: RkNPC\n");
  EXPECT_EQ(ReadFileBytes("NPCs.rk"), oldList);
  EXPECT_FALSE(FileExists("NPCs.rk.tmp"));
  std::filesystem::create_directory("NPCs.rk.tmp");
  EXPECT_EXIT(list.SaveNPCFile(), testing::ExitedWithCode(1),
              "Failed to create the NPCs.rk file.*FILE: RkEngine\nLINE: 1407\n$");
  EXPECT_EQ(ReadFileBytes("NPCs.rk"), oldList);
}
