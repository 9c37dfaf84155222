// Saving through a temporary file: a save that fails at any point reports the
// step that failed and leaves the previous file whole; a save that succeeds
// replaces the file a link names and keeps its permission bits. These tests run
// as root in CI, so failures come from folders, mode bits and file-size limits.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <vector>

#include "RkBinaryWriter.h"
#include "RkNPCList.h"
#include "RkSaveLeftovers.h"
#include "RkWorld.h"
#include "ScratchDirectory.h"

namespace {

namespace fs = std::filesystem;

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

std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class AtomicSaveTest : public testing::Test {
 protected:
  void SetUp() override {
    target = scratch.File("map.rkm");
    WorldOfSize(2, 2).Save(target.c_str());
    oldBytes = ReadFileBytes(target);
  }
  // Nothing but the old file: no temporary file of the failed save is left.
  void ExpectOldFileWholeAndNoTemporary() {
    EXPECT_EQ(ReadFileBytes(target), oldBytes);
    EXPECT_EQ(NamesIn(scratch.Path()), std::set<std::string>{"map.rkm"});
  }
  ScratchDirectory scratch;
  std::string target;
  Bytes oldBytes;
};

}  // namespace

TEST_F(AtomicSaveTest, SaveReplacesTheFileAndNeverTouchesAFileOfTheTemporaryKind) {
  WriteFileBytes(target + ".tmp", Bytes{1, 2, 3});  // the user's own file
  WorldOfSize(3, 1).Save(target.c_str());
  EXPECT_EQ(Int32At(ReadFileBytes(target), 0), 3);
  EXPECT_EQ(ReadFileBytes(target + ".tmp"), (Bytes{1, 2, 3}));
  EXPECT_EQ(NamesIn(scratch.Path()), (std::set<std::string>{"map.rkm", "map.rkm.tmp"}));
}

TEST_F(AtomicSaveTest, SaveThroughALinkReplacesItsTargetAndKeepsTheModeBits) {
  fs::create_directory(scratch.File("real"));
  const std::string real = scratch.File("real/map.rkm");
  fs::rename(target, real);
  fs::create_symlink("real/map.rkm", target);
  chmod(real.c_str(), 0640);
  WorldOfSize(4, 1).Save(target.c_str());
  EXPECT_TRUE(fs::is_symlink(target));
  EXPECT_EQ(Int32At(ReadFileBytes(real), 0), 4);
  struct stat status;
  ASSERT_EQ(stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(NamesIn(scratch.File("real")), std::set<std::string>{"map.rkm"});
}

TEST_F(AtomicSaveTest, TargetsThatCannotBeCreatedReportCreateAndKeepTheOldFile) {
  chmod(target.c_str(), 0444);  // read-only, which root could otherwise write
  EXPECT_EXIT(WorldOfSize(3, 3).Save(target.c_str()), testing::ExitedWithCode(1),
              "Failed to create the world file.\n\n--Microsoft\xC2\xAE Description--\nPermission denied\n"
              "\n\nFILE: RkWorld\nLINE: 289\n$");
  ExpectOldFileWholeAndNoTemporary();
  const std::string folderTarget = scratch.File("taken.rkm");
  fs::create_directories(folderTarget + "/inside");
  const std::optional<RkFailure> folder = WorldOfSize(1, 1).TrySave(folderTarget.c_str());
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->GetMessage(), "Failed to create the world file.");
  EXPECT_EQ(folder->GetSystemText(), "Is a directory\n");
  EXPECT_TRUE(fs::is_directory(folderTarget + "/inside"));
  const std::optional<RkFailure> nowhere = WorldOfSize(1, 1).TrySave(scratch.File("no/such/map.rkm").c_str());
  ASSERT_TRUE(nowhere);
  EXPECT_EQ(nowhere->BuildReport(),
            "--RkEngine Description--\nFailed to create the world file.\n\n--Microsoft\xC2\xAE Description--\n"
            "No such file or directory\n\n\nFILE: RkWorld\nLINE: 289\n");
}

TEST_F(AtomicSaveTest, WriteFailingInsideTheGridReportsTheTileAndKeepsTheOldFile) {
  // 40 x 40 cells are 1.6 MB, past the first buffer flush.
  EXPECT_EXIT(
      {
        LimitFileSize(64 * 1024);
        WorldOfSize(40, 40).Save(target.c_str());
      },
      testing::ExitedWithCode(1), "Failed to write tile data to file.*\nFile too large\n\n\nFILE: RkTile\n");
  ExpectOldFileWholeAndNoTemporary();
}

// A small file is written at the end, when the buffer is flushed: that is a
// failing write, not a failing close.
TEST_F(AtomicSaveTest, WriteFailingAtTheLastFlushReportsTheWorldsWriteAndKeepsTheOldFile) {
  EXPECT_EXIT(
      {
        LimitFileSize(4096);
        WorldOfSize(10, 10).Save(target.c_str());
      },
      testing::ExitedWithCode(1),
      "Failed to write world data to file.\n\n--Microsoft\xC2\xAE Description--\nFile too large\n\n\n"
      "FILE: RkWorld\nLINE: 315\n$");
  ExpectOldFileWholeAndNoTemporary();
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
  EXPECT_EXIT(
      {
        LimitFileSize(512);
        RkNPCList small;  // 1020 bytes, written at the last flush
        small.SaveNPC("New", "new.png");
        small.SaveNPCFile();
      },
      testing::ExitedWithCode(1), "Failed to write NPC data to file.*FILE: RkEngine\nLINE: 1414\n$");
  EXPECT_EQ(ReadFileBytes("NPCs.rk"), oldList);
  chmod("NPCs.rk", 0400);
  EXPECT_EXIT(list.SaveNPCFile(), testing::ExitedWithCode(1),
              "Failed to create the NPCs.rk file.*FILE: RkEngine\nLINE: 1407\n$");
  EXPECT_EQ(ReadFileBytes("NPCs.rk"), oldList);
  EXPECT_EQ(NamesIn("."), (std::set<std::string>{"NPCs.rk", "map.rkm"}));
}

// A save killed half-way leaves its temporary file; the next save of that file
// removes it, and the editor's sweep of the folder removes those of any file,
// but neither touches a file that a running process writes or that only looks
// like a temporary file.
TEST_F(AtomicSaveTest, LeftoverOfAKilledSaveIsRemovedByTheNextSaveAndNothingElseIs) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t writer = fork();
  if (writer == 0) {
    RkBinaryWriter killed;
    if (!killed.Open(target.c_str())) _exit(1);
    const std::vector<unsigned char> block(1 << 20, 7);
    for (int i = 0; i < 8; ++i) killed.Write(block.data(), block.size());  // 8 MB, past the buffer
    if (write(ready[1], "w", 1) != 1) _exit(1);
    pause();
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  const std::string dead = std::to_string(writer);
  const std::string alive = std::to_string(getpid());
  const std::set<std::string> others = {".map.rkm.rk-saving-" + alive + "-aB3dE9",  // a running save
                                        ".map.rkm.rk-saving-" + dead + "-abc",      // not of our making
                                        "map.rkm.Xy12zW", ".map.rkm.rk-saving-" + dead + "-abc.rkm"};
  for (const std::string& name : others) WriteFileBytes(scratch.File(name), Bytes{1});
  const std::string otherMaps = ".town.rkm.rk-saving-" + dead + "-q1W2e3";
  WriteFileBytes(scratch.File(otherMaps), Bytes{1});
  // The copy that a killed editor's playtest left, and one that a running editor's game plays.
  const std::string deadPlaytest = ".town.rkm.playtest-" + dead + "-Zx81Qa";
  WriteFileBytes(scratch.File(deadPlaytest), Bytes{1});
  const std::string livePlaytest = ".map.rkm.playtest-" + alive + "-Zx81Qa";
  WriteFileBytes(scratch.File(livePlaytest), Bytes{1});
  std::set<std::string> left = NamesIn(scratch.Path());
  ASSERT_EQ(left.size(), others.size() + 5);  // map.rkm, the town's, the killed save's and the two copies
  WorldOfSize(3, 1).Save(target.c_str());
  EXPECT_EQ(Int32At(ReadFileBytes(target), 0), 3);
  std::set<std::string> expected = others;
  expected.insert({"map.rkm", otherMaps, deadPlaytest, livePlaytest});
  EXPECT_EQ(NamesIn(scratch.Path()), expected);
  EXPECT_EQ(RkSaveLeftovers::RemoveInFolder(scratch.Path()), 2);
  expected.erase(otherMaps);
  expected.erase(deadPlaytest);
  EXPECT_EQ(NamesIn(scratch.Path()), expected);
}
