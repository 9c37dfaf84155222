// The open-file dialog on plain state: what it lists under each filter, how the
// path field is read, what it returns, and that the working directory stays put.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RkFileDialog.h"
#include "RkPathParts.h"

namespace fs = std::filesystem;

namespace {

class RkFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDirectory = fs::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = fs::temp_directory_path() / ("rk_file_dialog_" + std::string(info->name()));
    fs::remove_all(scratch);
    fs::create_directories(scratch / "maps");
    fs::create_directories(scratch / "Images");
    for (const char* name : {"b.png", "a.PNG", "c.rkm", "D.RKM", "notes.txt", "noext", "maps/town.rkm"}) {
      std::ofstream(scratch / name) << "x";
    }
    fs::current_path(scratch);
  }
  void TearDown() override {
    fs::current_path(previousDirectory);
    fs::remove_all(scratch);
  }
  static std::vector<std::string> Names(const RkFileDialog& dialog) {
    std::vector<std::string> names;
    for (const auto& entry : dialog.GetEntries()) {
      names.push_back(entry.isFolder ? "[" + entry.name + "]" : entry.name);
    }
    return names;
  }

  fs::path previousDirectory;
  fs::path scratch;
};

TEST_F(RkFileDialogTest, SpritesFilterListsFoldersThenPngFilesOfAnyCase) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::SpritesFilter());
  EXPECT_EQ(dialog.GetFolder(), scratch.generic_string());
  EXPECT_EQ(Names(dialog),
            (std::vector<std::string>{"[..]", "[Images]", "[maps]", "a.PNG", "b.png"}));
}

TEST_F(RkFileDialogTest, AllFilesTakesFilesWithAndWithoutExtension) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::SpritesFilter());
  dialog.SetFilterIndex(1);
  EXPECT_EQ(Names(dialog), (std::vector<std::string>{"[..]", "[Images]", "[maps]", "a.PNG", "b.png",
                                                     "c.rkm", "D.RKM", "noext", "notes.txt"}));
  dialog.SetFilterIndex(2);  // no such filter: nothing changes
  EXPECT_EQ(dialog.GetFilterIndex(), 1);
}

TEST_F(RkFileDialogTest, MapsFilterTakesRkmOfAnyCase) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  EXPECT_EQ(Names(dialog), (std::vector<std::string>{"[..]", "[Images]", "[maps]", "c.rkm", "D.RKM"}));
}

TEST_F(RkFileDialogTest, PatternsMatchWildcardsRegardlessOfCase) {
  EXPECT_TRUE(RkFileDialog::MatchesPattern("tile.png", "*.PNG"));
  EXPECT_TRUE(RkFileDialog::MatchesPattern("a.b.png", "*.png"));
  EXPECT_FALSE(RkFileDialog::MatchesPattern("tile.png.bak", "*.png"));
  EXPECT_FALSE(RkFileDialog::MatchesPattern("png", "*.png"));
  EXPECT_TRUE(RkFileDialog::MatchesPattern("t1.rkm", "t?.rkm"));
  EXPECT_TRUE(RkFileDialog::MatchesFilter("x.jpg", "*.png;*.JPG"));
  EXPECT_TRUE(RkFileDialog::MatchesFilter("README", "*.*"));
}

TEST_F(RkFileDialogTest, TypedRelativePathIsChosenRelativeToWorkingDirectory) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  dialog.SetPathField("maps/town.rkm");
  dialog.Accept();
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Chosen);
  EXPECT_EQ(dialog.GetChosenPath(), "maps/town.rkm");
}

TEST_F(RkFileDialogTest, OpeningFoldersByDoubleClickAndTypingNeverChangesWorkingDirectory) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  dialog.DoubleClick(2);  // [maps]
  EXPECT_EQ(dialog.GetFolder(), (scratch / "maps").generic_string());
  EXPECT_EQ(Names(dialog), (std::vector<std::string>{"[..]", "town.rkm"}));
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
  dialog.DoubleClick(1);
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Chosen);
  EXPECT_EQ(dialog.GetChosenPath(), "maps/town.rkm");
  EXPECT_EQ(fs::current_path(), scratch);
}

TEST_F(RkFileDialogTest, TypedFolderIsShownAndSingleClickOnlyFillsThePathField) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  dialog.Click(3);  // c.rkm
  EXPECT_STREQ(dialog.GetPathField(), "c.rkm");
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
  dialog.SetPathField("maps/..");
  dialog.Accept();
  EXPECT_EQ(dialog.GetFolder(), scratch.generic_string());
  EXPECT_STREQ(dialog.GetPathField(), "");
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
}

TEST_F(RkFileDialogTest, MissingFileKeepsTheDialogOpenWithAReason) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  dialog.SetPathField("nowhere.rkm");
  dialog.Accept();
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
  EXPECT_NE(dialog.GetError().find("nowhere.rkm"), std::string::npos);
  dialog.SetPathField("");
  dialog.Accept();
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
}

TEST_F(RkFileDialogTest, CancelChoosesNothingEvenAfterBrowsing) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  dialog.DoubleClick(2);
  dialog.Click(1);
  dialog.Cancel();
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Cancelled);
  EXPECT_EQ(dialog.GetChosenPath(), "");
  EXPECT_EQ(fs::current_path(), scratch);
}

TEST_F(RkFileDialogTest, FileOutsideWorkingDirectoryComesBackAbsolute) {
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::SpritesFilter());
  dialog.SetFilterIndex(1);
  const fs::path outside = scratch.parent_path() / "rk_file_dialog_outside.txt";
  std::ofstream(outside) << "x";
  dialog.SetPathField(outside.string().c_str());
  dialog.Accept();
  EXPECT_EQ(dialog.GetChosenPath(), outside.generic_string());
  fs::remove(outside);
  EXPECT_EQ(RkFileDialog::MakePortablePath("/a/b/c.png", "/a"), "b/c.png");
  EXPECT_EQ(RkFileDialog::MakePortablePath("/a/bc/c.png", "/a/b"), "/a/bc/c.png");
  EXPECT_EQ(RkFileDialog::MakePortablePath("/x/../a/c.png", "/a"), "c.png");
}

TEST_F(RkFileDialogTest, PathTooLongForTheRecordsIsRefused) {
  // 30 folders of 16 characters plus the file: more than 499 characters.
  fs::path deep = scratch;
  for (int i = 0; i < 30; ++i) {
    deep /= "folder_0123456789";
  }
  fs::create_directories(deep);
  std::ofstream(deep / "deep.rkm") << "x";
  RkFileDialog dialog;
  dialog.Open(RkFileDialog::MapsFilter());
  for (int i = 0; i < 30; ++i) {
    dialog.DoubleClick(1);  // the one folder below ".."
  }
  ASSERT_EQ(dialog.GetFolder(), deep.generic_string());
  dialog.DoubleClick(1);  // deep.rkm
  EXPECT_EQ(dialog.GetState(), RkFileDialog::State::Choosing);
  EXPECT_FALSE(dialog.GetError().empty());
  EXPECT_EQ(dialog.GetChosenPath(), "");
}

TEST(RkPathPartsTest, StemAndFileNameEndFolderAtEitherSeparator) {
  EXPECT_EQ(RkPathParts::Stem("maps/town.rkm"), "town");
  EXPECT_EQ(RkPathParts::Stem("my.maps/town.rkm"), "town");
  EXPECT_EQ(RkPathParts::Stem("D:\\my.maps\\town.rkm"), "town");
  EXPECT_EQ(RkPathParts::Stem("D:\\maps/town.backup.rkm"), "town.backup");
  EXPECT_EQ(RkPathParts::Stem("town"), "town");
  EXPECT_EQ(RkPathParts::FileName("D:\\maps\\cave.rkm"), "cave.rkm");
  EXPECT_EQ(RkPathParts::FileName("maps/sub/cave.rkm"), "cave.rkm");
  EXPECT_EQ(RkPathParts::FileName("cave.rkm"), "cave.rkm");
}

}  // namespace
