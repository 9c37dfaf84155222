// The world file: its layout, round trips, short files and "still bad".
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RkBinaryReader.h"
#include "RkNotice.h"
#include "RkWorld.h"
#include "ScratchDirectory.h"

namespace {

// Records the notices shown while it lives.
class NoticeRecorder {
 public:
  NoticeRecorder() {
    SetNoticeHandler([this](const std::string& text, const char* caption) {
      texts.push_back(text);
      captions.push_back(caption);
    });
  }
  ~NoticeRecorder() { SetNoticeHandler(nullptr); }
  std::vector<std::string> texts;
  std::vector<const char*> captions;
};

RkWorld MakeWorld(int32_t width, int32_t height) {
  RkWorld world;
  if (width > 0 && height > 0) world.Grow(width - 1, height - 1);
  return world;
}

}  // namespace

TEST(WorldFile, EmptyWorldIsTwelveZeroBytesAndLoadsEmpty) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("empty.rkm");
  RkWorld().Save(path.c_str());
  EXPECT_EQ(ReadFileBytes(path), Bytes(12, 0));
  RkWorld world;
  world.Load(path.c_str());
  EXPECT_EQ(world.GetWidth(), 0);
  EXPECT_EQ(world.GetHeight(), 0);
  EXPECT_EQ(world.GetNPCCount(), 0u);
}

TEST(WorldFile, TwoByThreeWorldLaysCellsOutColumnByColumn) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("small.rkm");
  RkWorld world = MakeWorld(2, 3);
  world.SetTileType(1, 0, TileImpassable);
  world.SetTileImageFile(1, 0, "rock.png");
  world.SetTileType(0, 1, TileOpen);
  world.SetTileNewArea(1, 2, "cave.rkm", 4, 5);
  world.Save(path.c_str());
  const Bytes bytes = ReadFileBytes(path);
  ASSERT_EQ(bytes.size(), 6084u);
  EXPECT_EQ(Int32At(bytes, 0), 2);
  EXPECT_EQ(Int32At(bytes, 4), 3);
  EXPECT_EQ(Int32At(bytes, 3044), TileImpassable);
  EXPECT_EQ(TextAt(bytes, 3048), "rock.png");
  EXPECT_EQ(Int32At(bytes, 1020), TileOpen);
  const std::size_t cell12 = 8 + 1012 * (1 * 3 + 2);
  EXPECT_EQ(TextAt(bytes, cell12 + 504), "cave.rkm");
  EXPECT_EQ(Int32At(bytes, cell12 + 1004), 4);
  EXPECT_EQ(Int32At(bytes, cell12 + 1008), 5);
  EXPECT_EQ(Int32At(bytes, 6080), 0);
}

TEST(WorldFile, SaveLoadSaveGivesIdenticalBytesAndTheSameWorld) {
  ScratchDirectory scratch;
  RkWorld world = MakeWorld(3, 2);
  world.SetTileType(2, 1, TileNewArea);
  world.SetTileNewArea(2, 1, "maps/east.rkm", 0, 7);
  world.SetTileImageFile(0, 0, "grass.png");
  world.SetNPC("Guard", 1, 1, "guard.png", NPCStatic);
  world.SetNPC("Cat", 0, 1, "cat.png", NPCNormal);
  world.GetNPC(0).AddDialogue(1, "Halt");
  world.GetNPC(0).AddResponse(1, "Ok", 1);
  const std::string first = scratch.File("first.rkm");
  const std::string second = scratch.File("second.rkm");
  world.Save(first.c_str());

  RkWorld loaded;
  loaded.Load(first.c_str());
  loaded.Save(second.c_str());
  EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));
  EXPECT_EQ(loaded.GetWidth(), 3);
  EXPECT_EQ(loaded.GetHeight(), 2);
  EXPECT_EQ(loaded.GetTileType(2, 1), TileNewArea);
  EXPECT_STREQ(loaded.GetTileNewAreaName(2, 1), "maps/east.rkm");
  EXPECT_EQ(loaded.GetTileNewAreaStartY(2, 1), 7);
  EXPECT_STREQ(loaded.GetTileImageFile(0, 0), "grass.png");
  ASSERT_EQ(loaded.GetNPCCount(), 2u);
  EXPECT_STREQ(loaded.GetNPC(0).GetName(), "Guard");
  EXPECT_EQ(loaded.GetNPC(0).GetType(), NPCStatic);
  EXPECT_STREQ(loaded.GetNPC(0).GetResponseText(1, 0), "Ok");
  EXPECT_EQ(loaded.GetNPCX(1), 0);
  EXPECT_EQ(loaded.GetNPCY(1), 1);
  EXPECT_STREQ(loaded.GetNPCImageFile(1), "cat.png");
}

// The grid is read a whole record at a time from the reader's block; a record
// that a block boundary splits goes field by field, and must come out the same.
TEST(WorldFile, CellsComeOutTheSameWhereverTheReadingBlocksSplitThem) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("split.rkm");
  RkWorld world = MakeWorld(3, 3);
  const char* const images[] = {"a.png", "b.png", "a.png", "", "c.png", "c.png", "b.png", "a.png", ""};
  for (int i = 0; i < 9; ++i) {
    world.SetTileType(i / 3, i % 3, i);
    world.SetTileImageFile(i / 3, i % 3, images[i]);
  }
  world.SetTileNewArea(1, 2, "maps/east.rkm", -4, 9);
  world.SetNPC("Guard", 1, 1, "guard.png", NPCStatic);
  world.Save(path.c_str());
  const Bytes bytes = ReadFileBytes(path);

  for (std::size_t blockSize : {std::size_t{1}, std::size_t{7}, std::size_t{1011}, std::size_t{1013},
                                std::size_t{3000}, RkBinaryReader::kDefaultBufferSize}) {
    SCOPED_TRACE(blockSize);
    RkBinaryReader reader(blockSize);
    reader.OpenMemory(bytes.data(), bytes.size());
    RkWorld loaded;
    ASSERT_FALSE(loaded.TryRead(reader, "split.rkm").has_value());
    for (int x = 0; x < 3; ++x)
      for (int y = 0; y < 3; ++y) EXPECT_TRUE(loaded.GetTile(x, y) == world.GetTile(x, y)) << x << ", " << y;
    ASSERT_EQ(loaded.GetNPCCount(), 1u);
    EXPECT_STREQ(loaded.GetNPCImageFile(0), "guard.png");
  }
}

// Cells of a loaded map share one copy of each text: an edit must reach only its own cell.
TEST(WorldFile, EditingALoadedCellLeavesCellsOfTheSameImageAlone) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("shared.rkm");
  RkWorld world = MakeWorld(2, 2);
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y) world.SetTileImageFile(x, y, "grass.png");
  world.Save(path.c_str());
  RkWorld loaded;
  loaded.Load(path.c_str());
  loaded.SetTileImageFile(0, 0, "sand.png");
  loaded.SetTileNewArea(1, 1, "cave.rkm", 1, 2);
  EXPECT_STREQ(loaded.GetTileImageFile(0, 0), "sand.png");
  EXPECT_STREQ(loaded.GetTileImageFile(0, 1), "grass.png");
  EXPECT_STREQ(loaded.GetTileImageFile(1, 0), "grass.png");
  EXPECT_STREQ(loaded.GetTileNewAreaName(1, 0), "");
  EXPECT_STREQ(loaded.GetTileNewAreaName(1, 1), "cave.rkm");
}

TEST(WorldFile, LoadReplacesWhatTheWorldHeld) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("one.rkm");
  RkWorld small = MakeWorld(1, 1);
  small.Save(path.c_str());
  RkWorld world = MakeWorld(4, 4);
  world.SetNPC("Old", 0, 0, "", NPCNormal);
  world.Load(path.c_str());
  EXPECT_EQ(world.GetWidth(), 1);
  EXPECT_EQ(world.GetNPCCount(), 0u);
}

TEST(WorldFile, FileCutAfterItsTilesLoadsWithoutNPCs) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("cut.rkm");
  RkWorld world = MakeWorld(2, 2);
  world.SetTileType(1, 1, TileOpen);
  world.SetNPC("Lost", 0, 0, "", NPCNormal);
  world.Save(path.c_str());
  Bytes bytes = ReadFileBytes(path);
  bytes.resize(8 + 4 * 1012);
  WriteFileBytes(path, bytes);
  RkWorld loaded;
  loaded.Load(path.c_str());
  EXPECT_EQ(loaded.GetTileType(1, 1), TileOpen);
  EXPECT_EQ(loaded.GetNPCCount(), 0u);
}

TEST(WorldFile, FileCutInsideTheGridLoadsFreshTilesForTheRest) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("cut.rkm");
  RkWorld world = MakeWorld(2, 2);
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y) world.SetTileType(x, y, TileOpen);
  world.Save(path.c_str());
  Bytes bytes = ReadFileBytes(path);
  bytes.resize(8 + 1012 + 600);  // cell (0, 0) whole, (0, 1) cut in its new-area name
  WriteFileBytes(path, bytes);
  RkWorld loaded;
  loaded.Load(path.c_str());
  ASSERT_EQ(loaded.GetWidth(), 2);
  ASSERT_EQ(loaded.GetHeight(), 2);
  EXPECT_EQ(loaded.GetTileType(0, 0), TileOpen);
  EXPECT_EQ(loaded.GetTileType(0, 1), TileOpen);
  EXPECT_EQ(loaded.GetTileType(1, 0), TileNull);
  EXPECT_EQ(loaded.GetTileType(1, 1), TileNull);
  EXPECT_EQ(loaded.GetNPCCount(), 0u);
}

TEST(WorldFile, NPCOfKindFiveOrMoreShowsStillBadOnceAndStays) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("bad.rkm");
  RkWorld world;
  world.SetNPC("Fine", 0, 0, "", 4);
  world.SetNPC("Odd", 1, 0, "", 7);
  world.SetNPC("Normal", 2, 0, "", NPCNormal);
  world.Save(path.c_str());
  NoticeRecorder notices;
  RkWorld loaded;
  loaded.Load(path.c_str());
  ASSERT_EQ(notices.texts.size(), 1u);
  EXPECT_EQ(notices.texts[0], "still bad");
  EXPECT_EQ(notices.captions[0], nullptr);
  ASSERT_EQ(loaded.GetNPCCount(), 3u);
  EXPECT_EQ(loaded.GetNPC(1).GetType(), 7);
}

TEST(WorldFile, NameWithBackslashesOpensTheFileInItsFolder) {
  ScratchDirectory scratch;
  const std::string folder = scratch.File("maps");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  MakeWorld(2, 1).Save((folder + "/east.rkm").c_str());
  RkWorld world;
  world.Load((scratch.Path() + "\\maps\\east.rkm").c_str());
  EXPECT_EQ(world.GetWidth(), 2);
}
