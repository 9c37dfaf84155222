// The cell suffix of image fields: what reads as a cell, what is a whole image's
// name, what is refused and why, and an exact file name winning over the suffix.
#include <gtest/gtest.h>

#include "RkSheetCell.h"
#include "ScratchDirectory.h"

namespace {

struct Case {
  const char* stored;
  RkSheetCell::Form form;
  const char* sheet;
  int column;
  int row;
  int size;
};

}  // namespace

TEST(SheetCell, ReadsCellsAndLeavesWholeImagesAndRefusesTheRest) {
  using Form = RkSheetCell::Form;
  const Case cases[] = {
      {"images/tiles.png", Form::Whole, "images/tiles.png", 0, 0, 32},
      {"images/tiles.png#2,1", Form::Cell, "images/tiles.png", 2, 1, 32},
      {"Images\\Tiles.PNG#0,12,16", Form::Cell, "Images\\Tiles.PNG", 0, 12, 16},
      {"tiles.png# 3 , 4 ,8", Form::Cell, "tiles.png", 3, 4, 8},
      {"tiles.png#3,4,256", Form::Cell, "tiles.png", 3, 4, 256},
      {"images/tile#2.png", Form::Whole, "images/tile#2.png", 0, 0, 32},
      {"art#1,2/tile.png", Form::Whole, "art#1,2/tile.png", 0, 0, 32},
      {"tiles.png#2", Form::Malformed, "tiles.png", 0, 0, 32},
      {"tiles.png#2,1,7", Form::Malformed, "tiles.png", 0, 0, 32},
      {"tiles.png#2,1,257", Form::Malformed, "tiles.png", 0, 0, 32},
      {"tiles.png#-1,0", Form::Malformed, "tiles.png", 0, 0, 32},
      {"tiles.png#1,,0", Form::Malformed, "tiles.png", 0, 0, 32},
      {"tiles.png#9999999,0", Form::Malformed, "tiles.png", 0, 0, 32},
      {"tiles.png#", Form::Malformed, "tiles.png", 0, 0, 32},
      {"#2,1", Form::Malformed, "", 0, 0, 32},
      {"images/#2,1", Form::Malformed, "images/", 0, 0, 32},
  };
  for (const Case& expected : cases) {
    const RkSheetCell cell = RkSheetCell::Parse(expected.stored);
    EXPECT_EQ(cell.GetForm(), expected.form) << expected.stored;
    EXPECT_EQ(cell.GetSheet(), expected.sheet) << expected.stored;
    EXPECT_EQ(cell.GetColumn(), expected.column) << expected.stored;
    EXPECT_EQ(cell.GetRow(), expected.row) << expected.stored;
    EXPECT_EQ(cell.GetSize(), expected.size) << expected.stored;
    EXPECT_EQ(cell.GetProblem().empty(), expected.form != Form::Malformed) << expected.stored;
  }
  EXPECT_EQ(RkSheetCell::Parse("t.png#2,1,300").GetProblem(),
            "\"#2,1,300\" has a cell size of 300; cells are 8 to 256 pixels");
}

TEST(SheetCell, AWholeCellMustLieWithinTheSheet) {
  const RkSheetCell cell = RkSheetCell::Parse("t.png#3,1,16");
  EXPECT_TRUE(cell.LiesWithin(64, 32));
  EXPECT_FALSE(cell.LiesWithin(63, 32));  // the last column is cut short
  EXPECT_FALSE(cell.LiesWithin(64, 31));
  EXPECT_FALSE(RkSheetCell::Parse("t.png#3").LiesWithin(8192, 8192));
  EXPECT_EQ(cell.DescribeOutside(48, 32), "cell 3,1 (16 pixels) lies outside the sheet of 48 by 32 pixels");
}

TEST(SheetCell, ComposeWritesTheSizeOnlyWhenItIsNotThirtyTwo) {
  EXPECT_EQ(RkSheetCell::Compose("a/t.png", 2, 1, 32), "a/t.png#2,1");
  EXPECT_EQ(RkSheetCell::Compose("a/t.png", 2, 1, 16), "a/t.png#2,1,16");
}

// Maps made before sheets existed may name a file whose real name reads like a
// cell: that file is what they meant, found as the game finds files (any case).
TEST(SheetCell, AFileWithTheExactNameWinsOverTheSuffix) {
  ScratchDirectory folder;
  WriteFileBytes(folder.File("Old#1,0"), {1});
  EXPECT_FALSE(RkSheetCell::Locate(folder.Path(), "old#1,0").IsCell());
  EXPECT_EQ(RkSheetCell::Locate(folder.Path(), "old#1,0").GetSheet(), "old#1,0");
  const RkSheetCell cell = RkSheetCell::Locate(folder.Path(), "old#2,0");
  EXPECT_TRUE(cell.IsCell());
  EXPECT_EQ(cell.GetSheet(), "old");
}
