// Damaged world and NPC files: refused with the loader's read report, or read
// safely as far as they go.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "RkError.h"
#include "RkNPCList.h"
#include "RkWorld.h"
#include "ScratchDirectory.h"

namespace {

Bytes WorldHeader(int32_t width, int32_t height) {
  Bytes bytes;
  AppendInt32(bytes, width);
  AppendInt32(bytes, height);
  return bytes;
}

void AppendBareNPC(Bytes& bytes, const char* name) {
  AppendText(bytes, name);
  AppendInt32(bytes, 1);
  AppendInt32(bytes, 2);
  AppendText(bytes, "npc.png");
  AppendInt32(bytes, NPCNormal);
  AppendInt32(bytes, 0);
}

}  // namespace

TEST(DamagedFileDeathTest, NegativeSizeIsRefusedWithTheReadReport) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("negative.rkm");
  WriteFileBytes(path, WorldHeader(-1, 3));
  EXPECT_EXIT(
      {
        SetRunningProgram(RkProgram::Game);
        RkWorld().Load(path.c_str());
      },
      testing::ExitedWithCode(1),
      "^--RkEngine Description--\nFailed to read from the world file.\n\n--Microsoft\xC2\xAE Description--\n"
      "Invalid argument\n\n\nFILE: RkWorld\nLINE: 415\n$");
  WriteFileBytes(path, WorldHeader(3, -2));
  EXPECT_EXIT(RkWorld().Load(path.c_str()), testing::ExitedWithCode(1), "Failed to read from the world file.");
}

TEST(DamagedFileDeathTest, GridOverSixteenMillionCellsIsRefusedBeforeAllocating) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("huge.rkm");
  WriteFileBytes(path, WorldHeader(4097, 4096));
  EXPECT_EXIT(RkWorld().Load(path.c_str()), testing::ExitedWithCode(1), "Failed to read from the world file.");
  WriteFileBytes(path, WorldHeader(0x7FFFFFFF, 0x7FFFFFFF));
  EXPECT_EXIT(RkWorld().Load(path.c_str()), testing::ExitedWithCode(1), "Failed to read from the world file.");
}

TEST(DamagedFileDeathTest, UnreadableFilesGiveTheirLoadersReadReports) {
  ScratchDirectory scratch;
  // A folder opens but cannot be read.
  const std::string folder = scratch.File("folder.rkm");
  std::filesystem::create_directory(folder);
  EXPECT_EXIT(
      {
        SetRunningProgram(RkProgram::Editor);
        RkWorld().Load(folder.c_str());
      },
      testing::ExitedWithCode(1), "Failed to read from the world file.*\nLINE: 354\n$");
  std::filesystem::create_directory(scratch.File("NPCs.rk"));
  EXPECT_EXIT(
      {
        WorkingDirectoryChange inScratch(scratch.Path());
        RkNPCList().LoadNPCFile();
      },
      testing::ExitedWithCode(1), "Failed to read from the NPCs.rk file.*\nFILE: RkEngine\nLINE: 1455\n$");
}

TEST(DamagedFile, HugeNPCCountStopsAtTheEndOfTheFile) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("liar.rkm");
  Bytes bytes = WorldHeader(0, 0);
  AppendInt32(bytes, -1);  // 4,294,967,295 NPCs
  AppendBareNPC(bytes, "One");
  AppendBareNPC(bytes, "Two");
  WriteFileBytes(path, bytes);
  RkWorld world;
  world.Load(path.c_str());
  ASSERT_EQ(world.GetNPCCount(), 2u);
  EXPECT_STREQ(world.GetNPC(1).GetName(), "Two");
  EXPECT_EQ(world.GetNPCX(1), 1);
}

TEST(DamagedFile, NPCListWithHugeCountsStopsAtTheEndOfTheFile) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("liar.rk");
  Bytes bytes;
  AppendInt32(bytes, -1);
  AppendBareNPC(bytes, "Only");
  bytes[bytes.size() - 4] = 0xFF;  // and 4 billion dialogues
  bytes[bytes.size() - 3] = 0xFF;
  WriteFileBytes(path, bytes);
  RkNPCList list;
  list.LoadNPCFile(path.c_str());
  ASSERT_EQ(list.GetCount(), 1u);
  EXPECT_EQ(list.GetNPC(0).GetDialogueCount(), 0u);
}

TEST(DamagedFile, TextsWithoutZeroAreCutAndLoadedWorldSavesAgain) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("nozero.rkm");
  Bytes bytes = WorldHeader(0, 0);
  AppendInt32(bytes, 1);
  bytes.insert(bytes.end(), 500, 'N');  // name without a zero
  AppendInt32(bytes, 0);
  AppendInt32(bytes, 0);
  bytes.insert(bytes.end(), 500, 'I');  // image file without a zero
  AppendInt32(bytes, NPCStatic);
  AppendInt32(bytes, 0);
  WriteFileBytes(path, bytes);
  RkWorld world;
  world.Load(path.c_str());
  ASSERT_EQ(world.GetNPCCount(), 1u);
  EXPECT_EQ(std::string(world.GetNPC(0).GetName()), std::string(499, 'N'));
  EXPECT_EQ(std::string(world.GetNPCImageFile(0)), std::string(499, 'I'));
  EXPECT_EQ(world.GetNPC(0).GetType(), NPCStatic);
  const std::string again = scratch.File("again.rkm");
  world.Save(again.c_str());
  RkWorld reloaded;
  reloaded.Load(again.c_str());
  EXPECT_EQ(std::string(reloaded.GetNPC(0).GetName()), std::string(499, 'N'));
}

TEST(DamagedFile, BytesAfterATextsZeroAreIgnoredAndSavedAsZeros) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("garbage.rkm");
  Bytes bytes = WorldHeader(1, 1);
  AppendInt32(bytes, TileOpen);
  Bytes image(500, 'g');
  image[3] = 0;
  bytes.insert(bytes.end(), image.begin(), image.end());
  AppendText(bytes, "");
  AppendInt32(bytes, 0);
  AppendInt32(bytes, 0);
  AppendInt32(bytes, 0);
  WriteFileBytes(path, bytes);
  RkWorld world;
  world.Load(path.c_str());
  EXPECT_STREQ(world.GetTileImageFile(0, 0), "ggg");
  const std::string again = scratch.File("again.rkm");
  world.Save(again.c_str());
  std::fill(bytes.begin() + 12 + 4, bytes.begin() + 12 + 500, 0);
  EXPECT_EQ(ReadFileBytes(again), bytes);
}
