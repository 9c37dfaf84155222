// Finding the file that a path from a map names, as Windows would have found it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "RkPathResolver.h"
#include "ScratchDirectory.h"

namespace {

class PathResolver : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"images", "images/tiles", "tiles", "maps"}) {
      ASSERT_EQ(mkdir(scratch.File(folder).c_str(), 0755), 0);
    }
    for (const char* file : {"images/tiles/grass.png", "images/tiles/Water.png", "images/tiles/water.png",
                             "tiles/water.png", "maps/caf\xC3\xA9.rkm", "maps/\xC9T\xC9.rkm"}) {
      WriteFileBytes(scratch.File(file), Bytes{1});
    }
  }

  std::string Resolve(const char* stored) { return resolver.Resolve(stored); }

  ScratchDirectory scratch;
  WorkingDirectoryChange inScratch{scratch.Path()};
  RkPathResolver resolver;
};

TEST_F(PathResolver, MatchesEachPartWithoutRegardToCaseExactNameFirst) {
  EXPECT_EQ(Resolve("Images\\Tiles\\Grass.PNG"), "images/tiles/grass.png");
  EXPECT_EQ(Resolve("images/tiles/water.png"), "images/tiles/water.png");
  // Of two matches the first of the sorted listing wins: 'W' sorts before 'w'.
  EXPECT_EQ(Resolve("IMAGES\\TILES\\WATER.PNG"), "images/tiles/Water.png");
  EXPECT_EQ(Resolve("./Images/../images/tiles/GRASS.png"), "./images/../images/tiles/grass.png");
}

TEST_F(PathResolver, WindowsAbsolutePathsFindTheLongestTailBelowTheWorkingFolder) {
  EXPECT_EQ(Resolve("C:\\Games\\Hollow\\images\\tiles\\water.png"), "images/tiles/water.png");
  // Nothing found: the path as stored, with '/' between folders.
  EXPECT_EQ(Resolve("D:\\Old\\Tiles\\Grass.png"), "D:/Old/Tiles/Grass.png");
  EXPECT_EQ(Resolve("\\\\server\\share\\TILES\\water.png"), "tiles/water.png");
  EXPECT_EQ(Resolve("\\Hollow\\images\\tiles\\grass.png"), "images/tiles/grass.png");
  // A POSIX path is not a Windows one: no tail is tried.
  EXPECT_EQ(Resolve("/nowhere/images/tiles/grass.png"), "/nowhere/images/tiles/grass.png");
}

TEST_F(PathResolver, WindowsBytesMatchUtf8NamesOnDisk) {
  EXPECT_EQ(Resolve("MAPS\\Caf\xE9.rkm"), "maps/caf\xC3\xA9.rkm");   // é
  EXPECT_EQ(Resolve("maps\\CAF\xC9.RKM"), "maps/caf\xC3\xA9.rkm");   // É folds to é
  EXPECT_EQ(Resolve("maps\\\xE9t\xE9.rkm"), "maps/\xC9T\xC9.rkm");  // a name not in UTF-8 on disk
  EXPECT_EQ(Resolve("maps/CAF\xC3\x89.rkm"), "maps/caf\xC3\xA9.rkm");  // our own editor's UTF-8
  std::string found;
  EXPECT_FALSE(resolver.Find("maps\\cafe.rkm", found));
  EXPECT_FALSE(resolver.Find("MAPS\\Caf\xE9.rkm\\.", found));  // "." after a file (found by fuzzing)
  EXPECT_FALSE(resolver.Find("", found));
}

TEST_F(PathResolver, KeptResultsListNoFolderUntilAFolderChanges) {
  EXPECT_EQ(Resolve("MAPS\\Caf\xE9.rkm"), "maps/caf\xC3\xA9.rkm");
  const size_t listed = resolver.GetListingCount();
  EXPECT_GT(listed, 0u);
  EXPECT_EQ(Resolve("MAPS\\Caf\xE9.rkm"), "maps/caf\xC3\xA9.rkm");
  EXPECT_EQ(Resolve("Maps\\CAF\xE9.RKM"), "maps/caf\xC3\xA9.rkm");  // "maps" is not listed again
  EXPECT_EQ(resolver.GetListingCount(), listed);

  // A file added later is found: its folder's listing is read again.
  std::string found;
  EXPECT_FALSE(resolver.Find("MAPS\\New.rkm", found));
  WriteFileBytes(scratch.File("maps/new.rkm"), Bytes{1});
  struct timespec times[2] = {{0, UTIME_NOW}, {1, 0}};  // the folder's time surely differs
  ASSERT_EQ(utimensat(AT_FDCWD, "maps", times, 0), 0);
  EXPECT_EQ(Resolve("MAPS\\New.rkm"), "maps/new.rkm");

  // A kept result whose file has gone is looked for again.
  ASSERT_EQ(std::rename("maps/new.rkm", "maps/NEW.RKM"), 0);
  EXPECT_EQ(Resolve("MAPS\\New.rkm"), "maps/NEW.RKM");
}

}  // namespace
