// Damaged world and NPC files: refused with the loader's read report, or read
// safely as far as they go.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <filesystem>

#include "RkError.h"
#include "RkGridMath.h"
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

void LimitAddressSpaceToOneGigabyte() {
  const struct rlimit limit = {rlim_t{1} << 30, rlim_t{1} << 30};
  setrlimit(RLIMIT_AS, &limit);
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
      "The file declares a negative width or height.\n\n\nFILE: RkWorld\nLINE: 415\n$");
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

// 4096 x 4096 fresh cells would take 1.3 GB for a file of 12 bytes.
TEST(DamagedFileDeathTest, GridFarBeyondWhatTheFileHoldsIsRefusedUnderAGigabyteLimit) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("liar.rkm");
  Bytes bytes = WorldHeader(4096, 4096);
  AppendInt32(bytes, 0);
  WriteFileBytes(path, bytes);
  EXPECT_EXIT(
      {
        LimitAddressSpaceToOneGigabyte();
        SetRunningProgram(RkProgram::Editor);
        RkWorld().Load(path.c_str());
      },
      testing::ExitedWithCode(1),
      "Failed to read from the world file.\n\n--Microsoft\xC2\xAE Description--\n"
      "The file declares a grid of 4096 by 4096 cells, far more than the file holds.\n\n\n"
      "FILE: RkWorld\nLINE: 358\n$");
}

TEST(DamagedFile, FileCutInsideALargeGridLoadsFreshCellsWithinTheBound) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("cut.rkm");
  Bytes bytes = WorldHeader(600, 600);  // 360,000 cells the file does not hold
  AppendInt32(bytes, TileOpen);
  WriteFileBytes(path, bytes);
  RkWorld world;
  ASSERT_FALSE(world.TryLoad(path.c_str()));
  EXPECT_EQ(world.GetHeight(), 600);
  EXPECT_EQ(world.GetTileType(0, 0), TileOpen);
  EXPECT_EQ(world.GetTileType(599, 599), TileNull);
  WriteFileBytes(path, WorldHeader(1000, 1000));
  const std::optional<RkFailure> refused = world.TryLoad(path.c_str());
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->GetMessage(), "Failed to read from the world file.");
  EXPECT_EQ(world.GetWidth(), 600);  // a refused load leaves the world as it was
}

TEST(DamagedFileDeathTest, AFolderAsWorldFileIsNotOpenedAndAsNPCFileIsNoLibrary) {
  ScratchDirectory scratch;
  const std::string folder = scratch.File("folder.rkm");
  std::filesystem::create_directory(folder);
  EXPECT_EXIT(
      {
        SetRunningProgram(RkProgram::Editor);
        RkWorld().Load(folder.c_str());
      },
      testing::ExitedWithCode(1),
      "Failed to open the world file.\n\n--Microsoft\xC2\xAE Description--\nIs a directory\n\n\n"
      "FILE: RkWorld\nLINE: 348\n$");
  std::filesystem::create_directory(scratch.File("NPCs.rk"));
  WorkingDirectoryChange inScratch(scratch.Path());
  RkNPCList list;
  list.SaveNPC("Stale", "stale.png");
  EXPECT_FALSE(list.TryLoadNPCFile());
  EXPECT_EQ(list.GetCount(), 0u);
}

TEST(DamagedFile, NoColumnsOfTwoBillionRowsLoadsEmptyAndSavesTheSameBytes) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("thin.rkm");
  Bytes bytes = WorldHeader(0, 0x7FFFFFFF);
  AppendInt32(bytes, 0);
  WriteFileBytes(path, bytes);
  RkWorld world;
  ASSERT_FALSE(world.TryLoad(path.c_str()));
  EXPECT_EQ(world.GetHeight(), 0x7FFFFFFF);
  EXPECT_FALSE(world.IsInBounds(0, 0));
  const std::string again = scratch.File("again.rkm");
  ASSERT_FALSE(world.TrySave(again.c_str()));
  EXPECT_EQ(ReadFileBytes(again), bytes);
}

// Positions out of a damaged file sit at the int32 limits; steps and queries
// from there must stay defined (the UBSan build checks it).
TEST(DamagedFile, NPCsAtTheCoordinateLimitsMoveAndAreQueriedSafely) {
  constexpr int32_t kMax = 0x7FFFFFFF;
  constexpr int32_t kMin = -kMax - 1;
  RkWorld world;
  world.SetNPC("Edge", kMax, kMin, "", NPCNormal);
  world.SetNPC("Other", kMin, kMax, "", NPCNormal);
  EXPECT_FALSE(world.IsNPCToward(kMax, kMin, DirectionRight));
  EXPECT_FALSE(world.IsNPCToward(kMax, kMin, DirectionUp));
  EXPECT_TRUE(world.IsNPCToward(kMax - 1, kMin, DirectionRight));
  EXPECT_EQ(world.GetTileTypeToward(kMin, kMax, DirectionLeft), TileNull);
  EXPECT_EQ(world.GetTileTypeToward(kMin, kMax, DirectionDown), TileNull);
  RkNPC& edge = world.GetNPC(0);
  edge.Move(DirectionRight);
  edge.Move(DirectionUp);
  EXPECT_EQ(edge.GetX(), kMax);
  EXPECT_EQ(edge.GetY(), kMin);
  world.Grow(-2, -3);  // NPCs move with the cells, held at the limits
  EXPECT_EQ(world.GetNPCX(0), kMax);
  EXPECT_EQ(world.GetNPCY(0), kMin + 3);
  EXPECT_EQ(world.GetNPCY(1), kMax);
  EXPECT_EQ(RkGridMath::CellToPixel(kMin, 32), int64_t{kMin} * 32);
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
