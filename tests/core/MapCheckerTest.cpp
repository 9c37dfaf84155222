// The map checker on folders made for it: every kind of finding with its place
// and sentence, damaged files that must not end the check, and the bundled demo,
// which must stay free of findings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "MapRows.h"
#include "RkMapChecker.h"
#include "RkNPCList.h"
#include "ScratchDirectory.h"

namespace {

std::vector<std::string> SortedLines(const std::vector<RkMapFinding>& findings) {
  std::vector<std::string> lines;
  for (const RkMapFinding& finding : findings) lines.push_back(finding.ToLine());
  std::sort(lines.begin(), lines.end());
  return lines;
}

// A folder with one fault of each kind (and one of the two ways in, the House's
// door, written with a backslash).
void MakeFaultyFolder(const ScratchDirectory& folder) {
  WriteFileBytes(folder.File("ok.png"), {1});
  // D can only be walked to through C, which changes the map first.
  RkWorld world = MapFromRows({"#.A.B.",
                               ".....#",
                               "N.#.CD"});
  world.SetTileNewArea(2, 0, "Cellar.rkm", 0, 0);
  world.SetTileNewArea(4, 0, "House.rkm", 9, 1);
  world.SetTileNewArea(4, 2, "House.rkm", 0, 0);
  world.SetTileNewArea(5, 2, "House.rkm", 1, 1);
  world.SetTileImageFile(1, 2, "missing.png");
  world.SetTileImageFile(1, 0, "");
  world.SetNPC("Ghost", 7, 1, "ok.png", NPCNormal);
  world.SetNPC("Rock", 2, 2, "ok.png", NPCStatic);
  world.SetNPC("Guard", 1, 1, "ok.png", NPCStatic);
  RkNPC& guard = world.GetNPC(2);
  // Stored first but not the lowest ID: the conversation still opens at 0.
  guard.AddDialogue(5, "A secret.");
  guard.AddDialogue(0, "Halt!");
  guard.AddDialogue(1, "Go on.");
  guard.AddResponse(0, "Pass.", 1);
  guard.AddResponse(0, "Lost.", 9);
  world.Save(folder.File("World.rkm").c_str());
  MapFromRows({"."}).Save(folder.File("Attic.rkm").c_str());

  RkWorld house = MapFromRows({"###", "#.#", "#w#"});
  house.SetTileNewArea(1, 2, ".\\World.rkm", 1, 0);
  house.SetNPC("Maid", 1, 1, "ok.png", NPCStatic);
  // SetNPC on Maid's cell would change Maid: Cook is placed beside her and moved.
  house.SetNPC("Cook", 1, 0, "cook.png", NPCStatic);
  house.GetNPC(1).SetPosition(1, 1);
  house.Save(folder.File("House.rkm").c_str());
  WriteFileBytes(folder.File("Broken.rkm"), {0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0});

  RkNPCList library;
  library.SaveNPC("Sage", "sage.png");
  library.AddDialogue("Sage", 0, "Hm.");
  library.AddResponse("Sage", 0, "Why?", 3);
  library.SaveNPCFile(folder.File(RkNPCList::kFileName).c_str());
}

}  // namespace

TEST(MapChecker, FindsEveryKindOfFaultWithItsMapCellAndSentence) {
  ScratchDirectory folder;
  MakeFaultyFolder(folder);
  const std::vector<RkMapFinding> findings = RkMapChecker(folder.Path()).Check();
  std::vector<std::string> expected = {
      "Attic.rkm: warning: no chain of links from World.rkm leads to this map",
      "Broken.rkm: cannot be read: The file declares a negative width or height.",
      "House.rkm (1, 1): image cook.png of NPC Cook does not exist",
      "House.rkm (1, 1): warning: NPCs Maid and Cook stand on the same cell",
      "NPCs.rk: image sage.png of NPC Sage does not exist",
      "NPCs.rk: warning: NPC Sage: the answer \"Why?\" to dialogue 0 leads to dialogue 3, which Sage does not have",
      "World.rkm (0, 0): the game starts the player on this cell, but it is an Impassable cell, not an Open one",
      "World.rkm (0, 2): warning: New Area cell leads nowhere: it has no target map",
      "World.rkm (1, 0): the cell has no image, and the game cannot draw it",
      "World.rkm (1, 1): warning: NPC Guard: dialogue 5 is never shown: the conversation starts at dialogue 0 and no "
      "answer on the way leads to it",
      "World.rkm (1, 1): warning: NPC Guard: the answer \"Lost.\" to dialogue 0 leads to dialogue 9, which Guard does "
      "not have",
      "World.rkm (1, 2): image missing.png does not exist",
      "World.rkm (2, 2): warning: NPC Rock stands on an Impassable cell; NPCs belong on Open cells",
      "World.rkm (2, 0): link leads to Cellar.rkm, which does not exist",
      "World.rkm (4, 0): link leads to House.rkm (9, 1), which is outside that map of 3 by 3 cells",
      "World.rkm (4, 2): link leads to House.rkm (0, 0), which is an Impassable cell; the player can only arrive on "
      "Open or New Area cells",
      "World.rkm (5, 2): warning: the player cannot walk to this New Area cell from where the map is entered",
      "World.rkm (7, 1): warning: NPC Ghost stands outside the map of 6 by 3 cells",
  };
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(SortedLines(findings), expected);
  EXPECT_TRUE(RkMapChecker::HasErrors(findings));
}

TEST(MapChecker, AFolderWithoutTheStartMapAndWithAnUnreadableLibraryIsCheckedToTheEnd) {
  ScratchDirectory folder;
  std::filesystem::create_directory(folder.File(RkNPCList::kFileName));
  std::filesystem::create_directory(folder.File("Hall.rkm"));
  WriteFileBytes(folder.File("Huge.rkm"), {0, 0, 1, 0, 0, 0, 1, 0});
  // 16,777,216 cells, the most a map may have, in eight bytes.
  WriteFileBytes(folder.File("Cut.rkm"), {0, 0, 1, 0, 0, 1, 0, 0});
  EXPECT_EQ(SortedLines(RkMapChecker(folder.Path()).Check()),
            (std::vector<std::string>{"Cut.rkm: cannot be read: The file declares a grid of 65536 by 256 cells, far "
                                      "more than the file holds.",
                                      "Hall.rkm: cannot be read: Is a directory",
                                      "Huge.rkm: cannot be read: The file declares a grid of 65536 by 65536 cells, "
                                      "more than a world file may hold.",
                                      "NPCs.rk: cannot be read: it is not a file",
                                      "World.rkm: the folder has no World.rkm, the map the game starts on"}));
}

TEST(MapChecker, GameIniLinesAndWhatTheyNameAreErrorsOnTheirLines) {
  ScratchDirectory folder;
  WriteFileBytes(folder.File("ok.png"), {1});
  std::filesystem::create_directory(folder.File("Maps"));
  MapFromRows({".#"}).Save(folder.File("Maps/Start.rkm").c_str());
  MapFromRows({"#."}).Save(folder.File("World.rkm").c_str());
  const std::string text = "title = T\nmap = maps\\start.rkm\nstart = 1, 0\nplayer = hero.png\ncolour = red\n";
  WriteFileBytes(folder.File("Game.ini"), Bytes(text.begin(), text.end()));
  // The first map is found like a link's target; World.rkm's Impassable (0, 0)
  // no longer matters, but nothing leads to it any more.
  EXPECT_EQ(SortedLines(RkMapChecker(folder.Path()).Check()),
            (std::vector<std::string>{
                "Game.ini line 3: the start cell (1, 0) is an Impassable cell of maps\\start.rkm, not an Open one",
                "Game.ini line 4: the image hero.png does not exist",
                "Game.ini line 5: \"colour\" is not a setting; the settings are title, map, start and player",
                "World.rkm: warning: no chain of links from maps/start.rkm leads to this map",
            }));

  // Without a start line the player starts on (0, 0) of the settings' map.
  const std::string house = "map = World.rkm\n";
  WriteFileBytes(folder.File("Game.ini"), Bytes(house.begin(), house.end()));
  EXPECT_EQ(SortedLines(RkMapChecker(folder.Path()).Check()),
            (std::vector<std::string>{"World.rkm (0, 0): the game starts the player on this cell, but it is an "
                                      "Impassable cell, not an Open one"}));

  const std::string cellar = "# no World.rkm is needed\nmap = Cellar.rkm\n";
  WriteFileBytes(folder.File("Game.ini"), Bytes(cellar.begin(), cellar.end()));
  std::filesystem::remove(folder.File("World.rkm"));
  EXPECT_EQ(SortedLines(RkMapChecker(folder.Path()).Check()),
            (std::vector<std::string>{"Game.ini line 2: the map Cellar.rkm does not exist"}));

  std::filesystem::remove(folder.File("Game.ini"));
  std::filesystem::create_directory(folder.File("Game.ini"));
  const std::vector<std::string> unreadable = SortedLines(RkMapChecker(folder.Path()).Check());
  EXPECT_NE(std::find(unreadable.begin(), unreadable.end(), "Game.ini: cannot be read: Is a directory"),
            unreadable.end());
}

TEST(MapChecker, WarningsAloneAreNoErrors) {
  ScratchDirectory folder;
  WriteFileBytes(folder.File("ok.png"), {1});
  MapFromRows({"..", " ."}).Save(folder.File("World.rkm").c_str());
  MapFromRows({"."}).Save(folder.File("Attic.rkm").c_str());
  const std::vector<RkMapFinding> findings = RkMapChecker(folder.Path()).Check();
  EXPECT_EQ(SortedLines(findings),
            std::vector<std::string>{"Attic.rkm: warning: no chain of links from World.rkm leads to this map"});
  EXPECT_FALSE(RkMapChecker::HasErrors(findings));
}

TEST(MapChecker, TheDemoHasNoFindings) {
  EXPECT_EQ(SortedLines(RkMapChecker(std::string(RK_SOURCE_DIR) + "/demo").Check()), std::vector<std::string>{});
}

// Targets and images written on Windows (any case, backslashes, a drive letter)
// are found as the game finds them, and followed to the map they name.
TEST(MapChecker, FindsWindowsWrittenTargetsAndImagesAsTheGameDoes) {
  ScratchDirectory folder;
  WriteFileBytes(folder.File("ok.png"), {1});
  std::filesystem::create_directory(folder.File("Images"));
  WriteFileBytes(folder.File("Images/Grass.png"), {1});
  RkWorld world = MapFromRows({"....", "ABCD"});
  world.SetTileNewArea(0, 1, "HOUSE.RKM", 1, 1);
  world.SetTileNewArea(1, 1, "C:\\Games\\Hollow\\house.rkm", 1, 1);
  world.SetTileNewArea(2, 1, "\\House.Rkm", 1, 1);
  world.SetTileNewArea(3, 1, "CELLAR.RKM", 0, 0);
  world.SetTileImageFile(0, 0, "IMAGES\\grass.PNG");
  world.Save(folder.File("World.rkm").c_str());
  RkWorld house = MapFromRows({"###", "#.#", "#w#"});
  house.SetTileNewArea(1, 2, "world.rkm", 0, 0);
  house.Save(folder.File("House.rkm").c_str());
  EXPECT_EQ(SortedLines(RkMapChecker(folder.Path()).Check()),
            std::vector<std::string>{"World.rkm (3, 1): link leads to CELLAR.RKM, which does not exist"});
}

// The editor's map with unsaved changes is checked as it is in memory: a link
// painted since the last save is found, though the file on disk is clean.
TEST(MapChecker, AnUnsavedMapIsCheckedAsItIsInMemoryInPlaceOfItsFile) {
  ScratchDirectory folder;
  WriteFileBytes(folder.File("ok.png"), {1});
  MapFromRows({"..", ".."}).Save(folder.File("World.rkm").c_str());
  RkWorld edited = MapFromRows({"..", ".A"});
  edited.SetTileNewArea(1, 1, "Cellar.rkm", 0, 0);
  RkMapChecker checker(folder.Path());
  checker.UseWorldFor("World.rkm", edited);
  EXPECT_EQ(SortedLines(checker.Check()),
            std::vector<std::string>{"World.rkm (1, 1): link leads to Cellar.rkm, which does not exist"});
  // Its file gone from the folder, the map is still checked.
  std::filesystem::remove(folder.File("World.rkm"));
  EXPECT_EQ(SortedLines(checker.Check()),
            std::vector<std::string>{"World.rkm (1, 1): link leads to Cellar.rkm, which does not exist"});
}

namespace {

// The first bytes of a PNG of width by height: all the checker reads of a sheet.
Bytes PngHeader(uint32_t width, uint32_t height) {
  Bytes bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (const uint32_t side : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(side >> shift));
  }
  bytes.insert(bytes.end(), {8, 6, 0, 0, 0});
  return bytes;
}

}  // namespace

// A sheet of 4 by 2 cells of 32: cells inside it draw; a cell outside it, a
// suffix that is no cell, a sheet that is missing, no image or beyond the
// loader's bound cannot be drawn, for tiles, NPCs and the hero alike.
TEST(MapChecker, CellsOfSheetsMustLieInAReadableSheet) {
  ScratchDirectory folder;
  WriteFileBytes(folder.File("sheet.png"), PngHeader(128, 64));
  WriteFileBytes(folder.File("huge.png"), PngHeader(9000, 32));
  WriteFileBytes(folder.File("notes.png"), {'h', 'i'});
  RkWorld world = MapFromRows({"......"});
  world.SetTileImageFile(0, 0, "Sheet.PNG#3,1");
  world.SetTileImageFile(1, 0, "sheet.png#4,0");
  world.SetTileImageFile(2, 0, "sheet.png#1,1,48");
  world.SetTileImageFile(3, 0, "sheet.png#x,1");
  world.SetTileImageFile(4, 0, "gone.png#0,0");
  world.SetTileImageFile(5, 0, "notes.png#0,0");
  world.SetNPC("Imp", 0, 0, "huge.png#0,0,16", NPCStatic);
  world.Save(folder.File("World.rkm").c_str());
  const std::string settings = "player = sheet.png#0,2\n";
  WriteFileBytes(folder.File("Game.ini"), Bytes(settings.begin(), settings.end()));

  EXPECT_EQ(SortedLines(RkMapChecker(folder.Path()).Check()),
            (std::vector<std::string>{
                "Game.ini line 1: the image sheet.png#0,2 cannot be drawn: cell 0,2 (32 pixels) lies outside the sheet "
                "of 128 by 64 pixels",
                "World.rkm (0, 0): image huge.png#0,0,16 of NPC Imp cannot be drawn: its sheet huge.png is 9000 by 32 "
                "pixels; more than 8192 on a side is not loaded",
                "World.rkm (1, 0): image sheet.png#4,0 cannot be drawn: cell 4,0 (32 pixels) lies outside the sheet of "
                "128 by 64 pixels",
                "World.rkm (2, 0): image sheet.png#1,1,48 cannot be drawn: cell 1,1 (48 pixels) lies outside the sheet "
                "of 128 by 64 pixels",
                "World.rkm (3, 0): image sheet.png#x,1 does not exist, and \"#x,1\" needs whole numbers, such as #2,1 "
                "or #2,1,16",
                "World.rkm (4, 0): image gone.png#0,0 cannot be drawn: its sheet gone.png does not exist",
                "World.rkm (5, 0): image notes.png#0,0 cannot be drawn: its sheet notes.png is not an image that the "
                "game reads",
            }));
}
