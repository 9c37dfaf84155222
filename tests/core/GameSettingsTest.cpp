// The game's settings file: what a hand-written Game.ini means, every problem a
// line can have (word for word), files that cannot be read, and writing back
// what the editor changed without losing the maker's comments and other lines.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "RkGameSettings.h"
#include "RkTile.h"
#include "ScratchDirectory.h"

namespace {

using Key = RkGameSettings::Key;

std::string ReadText(const std::string& path) {
  const Bytes bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) { WriteFileBytes(path, Bytes(text.begin(), text.end())); }

TEST(GameSettings, HandWrittenFileIsReadWithItsCommentsSpacesCaseAndHashes) {
  const RkGameSettings settings = RkGameSettings::Parse(
      "\xEF\xBB\xBF# Game.ini of Moss Road\r\n"
      "\r\n"
      "  TITLE  =   Moss Road #2   \r\n"
      "Map=Maps\\Start.rkm\r\n"
      "   # start = 9, 9\r\n"
      "start = -4 ,7\r\n"
      "Player\t= images/hero#1.png");
  EXPECT_FALSE(settings.HasProblems()) << settings.ProblemsMessage();
  EXPECT_TRUE(settings.CameFromFile());
  EXPECT_EQ(settings.GetTitle(), "Moss Road #2");
  EXPECT_EQ(settings.GetMap(), "Maps\\Start.rkm");
  EXPECT_EQ(settings.GetStartX(), -4);
  EXPECT_EQ(settings.GetStartY(), 7);
  EXPECT_EQ(settings.GetPlayerImage(), "images/hero#1.png");
  EXPECT_EQ(settings.LineOf(Key::Title), 3);
  EXPECT_EQ(settings.LineOf(Key::Start), 6);

  // Settings left out keep their defaults, and are not "set by the file".
  const RkGameSettings titleOnly = RkGameSettings::Parse("title = Moss Road\n");
  EXPECT_EQ(titleOnly.GetMap(), "World.rkm");
  EXPECT_EQ(titleOnly.GetPlayerImage(), "images/characters/ch_classm32_10.png");
  EXPECT_EQ(titleOnly.LineOf(Key::Start), 0);
}

TEST(GameSettings, EachWrongLineIsAProblemNamingItsLine) {
  const std::string longTitle(101, 'a');
  const std::string longPath(500, 'p');
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"# x\n\nstart = 4", "Game.ini line 3: \"start\" needs two whole numbers, such as 4, 7"},
      {"start = 4, 7, 9", "Game.ini line 1: \"start\" needs two whole numbers, such as 4, 7"},
      {"start = 4.5, 7", "Game.ini line 1: \"start\" needs two whole numbers, such as 4, 7"},
      {"start = 2147483648, 0", "Game.ini line 1: \"start\" needs two whole numbers, such as 4, 7"},
      {"title Moss Road", "Game.ini line 1: expected key = value, such as title = Moss Road"},
      {" = Moss Road", "Game.ini line 1: expected key = value, such as title = Moss Road"},
      {"Colour = red", "Game.ini line 1: \"Colour\" is not a setting; the settings are title, map, start and player"},
      {"map =   ", "Game.ini line 1: \"map\" has no value"},
      {"title = " + longTitle, "Game.ini line 1: \"title\" is longer than 100 characters"},
      {"player = " + longPath, "Game.ini line 1: \"player\" is longer than 499 bytes"},
      {"title = A\ntitle = B", "Game.ini line 2: \"title\" is set again; line 1 sets it already"},
      {"title = Caf\xE9", "Game.ini line 1: the line is not UTF-8 text"},
      {"title = a\x01", "Game.ini line 1: the line is not UTF-8 text"},
      {std::string(60, 'k') + " = 1",
       "Game.ini line 1: \"" + std::string(40, 'k') + "...\" is not a setting; the settings are title, map, start and player"},
  };
  for (const Case& c : cases) {
    const RkGameSettings settings = RkGameSettings::Parse(c.text);
    ASSERT_EQ(settings.GetProblems().size(), 1u) << c.text;
    EXPECT_EQ(settings.GetProblems()[0].Message(), c.message);
  }
  // 100 characters of two bytes each are a title; a wrong value keeps the default.
  std::string hundredAccents;
  for (int i = 0; i < 100; ++i) hundredAccents += "\xC3\xA9";
  EXPECT_FALSE(RkGameSettings::Parse("title = " + hundredAccents).HasProblems());
  EXPECT_EQ(RkGameSettings::Parse("start = x").GetStartX(), 0);

  // All problems of a file make one fatal report, one a line.
  const RkGameSettings twoWrong = RkGameSettings::Parse("foo = 1\nstart = 1\n");
  const RkFailure report = twoWrong.ProblemsFailure();
  EXPECT_EQ(report.GetMessage(),
            "Game.ini line 1: \"foo\" is not a setting; the settings are title, map, start and player\n"
            "Game.ini line 2: \"start\" needs two whole numbers, such as 4, 7");
  EXPECT_EQ(report.GetSystemText(),
            "Each line of Game.ini is blank, a comment starting with #, or one of title, map, start and player = "
            "value.\n");
  EXPECT_EQ(report.GetSourceFile(), "RkGameSettings");
}

TEST(GameSettings, MissingFileIsTheDefaultsButAFolderOrAHugeFileCannotBeRead) {
  ScratchDirectory folder;
  const RkGameSettings missing = RkGameSettings::ReadFrom(folder.Path());
  EXPECT_FALSE(missing.CameFromFile());
  EXPECT_FALSE(missing.HasProblems());
  EXPECT_EQ(missing.GetTitle(), "Ember Hollow");

  std::filesystem::create_directory(folder.File("Game.ini"));
  const RkGameSettings aFolder = RkGameSettings::ReadFrom(folder.Path());
  ASSERT_EQ(aFolder.GetProblems().size(), 1u);
  EXPECT_EQ(aFolder.GetProblems()[0].Message(), "Game.ini cannot be read.");
  EXPECT_EQ(aFolder.GetProblems()[0].ToFailure().GetSystemText(), "Is a directory\n");
  // What could not be read is never overwritten.
  RkGameSettings edited = aFolder;
  edited.SetTitle("New");
  EXPECT_TRUE(edited.TryWrite(folder.Path()).has_value());
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("Game.ini")));
  std::filesystem::remove(folder.File("Game.ini"));

  WriteText(folder.File("Game.ini"), std::string(RkGameSettings::kMaxFileBytes + 1, '#'));
  const RkGameSettings huge = RkGameSettings::ReadFrom(folder.Path());
  ASSERT_EQ(huge.GetProblems().size(), 1u);
  EXPECT_EQ(huge.GetProblems()[0].Message(), "Game.ini is larger than 65536 bytes, too large to be settings.");
}

TEST(GameSettings, WritingBackKeepsCommentsUnknownLinesAndSpacingAndReplacesOnlyChangedSettings) {
  ScratchDirectory folder;
  const std::string handWritten =
      "# My game\r\n"
      "title   =   Moss Road\r\n"
      "colour = red\r\n"
      "start = 1, 1\r\n"
      "start = nonsense\r\n"
      "\r\n"
      "player = images/hero.png\r\n";
  WriteText(folder.File("Game.ini"), handWritten);
  RkGameSettings settings = RkGameSettings::ReadFrom(folder.Path());
  // Unchanged, the file is written back byte for byte.
  ASSERT_FALSE(settings.TryWrite(folder.Path()).has_value());
  EXPECT_EQ(ReadText(folder.File("Game.ini")), handWritten);

  EXPECT_TRUE(settings.SetTitle("  Moss\nRoad 2 "));
  EXPECT_TRUE(settings.SetStart(4, 7));
  EXPECT_FALSE(settings.SetPlayerImage("images/hero.png"));
  EXPECT_TRUE(settings.SetMap("Maps/Start.rkm"));
  ASSERT_FALSE(settings.TryWrite(folder.Path()).has_value());
  EXPECT_EQ(ReadText(folder.File("Game.ini")),
            "# My game\r\n"
            "title   =   Moss Road 2\r\n"
            "colour = red\r\n"
            "start = 4, 7\r\n"
            "\r\n"
            "player = images/hero.png\r\n"
            "map = Maps/Start.rkm\r\n");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(GameSettings, NewFileNamesEverySettingAndReadsBackAsWritten) {
  ScratchDirectory folder;
  RkGameSettings settings;
  settings.SetTitle("\xC3\x89t\xC3\xA9 " + std::string(120, 'x'));  // cut to 100 characters
  settings.SetStart(3, 2);
  ASSERT_FALSE(settings.TryWrite(folder.Path()).has_value());
  const std::string text = ReadText(folder.File("Game.ini"));
  EXPECT_EQ(text.substr(0, 1), "#");
  EXPECT_NE(text.find("\nmap = World.rkm\n"), std::string::npos);
  EXPECT_NE(text.find("\nplayer = images/characters/ch_classm32_10.png\n"), std::string::npos);
  const RkGameSettings reread = RkGameSettings::ReadFrom(folder.Path());
  EXPECT_FALSE(reread.HasProblems()) << reread.ProblemsMessage();
  EXPECT_EQ(reread.GetTitle(), settings.GetTitle());
  EXPECT_EQ(reread.GetTitle().size(), 2u + 2u + 98u);
  EXPECT_EQ(reread.GetStartX(), 3);
  EXPECT_EQ(reread.GetStartY(), 2);
  EXPECT_GT(reread.LineOf(Key::Start), 0);
  // An empty value in the editor stands for the default.
  settings.SetMap("   ");
  EXPECT_EQ(settings.GetMap(), "World.rkm");
}

TEST(GameSettings, OnlyAStartCellTheFileSetsIsCheckedAgainstTheMap) {
  EXPECT_FALSE(RkGameSettings::Parse("title = x").CheckStart(0, 0, TileNull).has_value());
  const RkGameSettings settings = RkGameSettings::Parse("map = Maps/Start.rkm\n\nstart = 4, 7");
  EXPECT_FALSE(settings.CheckStart(5, 8, TileOpen).has_value());
  EXPECT_EQ(settings.CheckStart(5, 8, TileImpassable)->Message(),
            "Game.ini line 3: the start cell (4, 7) is an Impassable cell of Maps/Start.rkm, not an Open one");
  EXPECT_EQ(settings.CheckStart(4, 8, TileOpen)->Message(),
            "Game.ini line 3: the start cell (4, 7) is outside the map Maps/Start.rkm of 4 by 8 cells");
  EXPECT_EQ(settings.MissingMapProblem().Message(), "Game.ini line 1: the map Maps/Start.rkm does not exist");
}

}  // namespace
