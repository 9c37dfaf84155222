// The editor and its game: the start cell that follows the first map's growth
// and its undo and is saved with the map, Set Start Here, the Game Settings
// panel's save, and F5 starting the game program on a copy of the unsaved map
// with the player on the hovered cell, its report shown as a notice.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "RkEditorFixture.h"
#include "RkGameSettings.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

class RkPlaytestTest : public RkEditorTest {
 protected:
  // Game.ini written, then read by the editor as at its start.
  void WriteSettings(const std::string& text) {
    std::ofstream("Game.ini", std::ios::binary) << text;
    EXPECT_EQ(engine->GetGameSettings().Read(), "");
  }

  // A map of width by height Open cells saved as file and loaded through Load Map.
  void LoadOpenMap(const std::string& file, int width, int height) {
    RkWorld world;
    world.Grow(width - 1, height - 1);
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) world.SetTileType(x, y, TileOpen);
    }
    world.Save(file.c_str());
    OpenMapEditor();
    ChooseNext(file);
    Panel().Click(RkMapEditor::Button::LoadMap);
    engine->PollMapEditor();
    ReleaseButton();
  }

  // The pointer over map cell (x, y) of a view at (0, 0).
  void Hover(int x, int y) { engine->PlaceCursor(x * 32 + 5, y * 32 + 5 + engine->GetCanvasTop()); }

  const RkGameSettings& Settings() { return engine->GetGameSettings().Get(); }

  // A stand-in for the game: it notes its arguments, its environment and the
  // copy of the map it was given, then does what body says.
  std::string FakeGame(const std::string& body) {
    const std::string path = (scratch / "fake-game.sh").string();
    std::ofstream(path) << "#!/bin/sh\n"
                           "echo \"$@ RK_PLAYTEST=$RK_PLAYTEST\" > args.txt\n"
                           "cp \"$2\" copy.rkm\n"
                        << body << "\n";
    ::chmod(path.c_str(), 0755);
    engine->GetPlaytests().GetPlaytest().SetGameProgram(path);
    return path;
  }

  // Passes of the playtest's part of the loop until the game has ended.
  void WaitForTheGameToEnd() {
    RkPlaytest& playtest = engine->GetPlaytests().GetPlaytest();
    for (int i = 0; i < 1000 && playtest.IsRunning(); ++i) {
      engine->GetPlaytests().Poll();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(playtest.IsRunning());
  }
};

TEST_F(RkPlaytestTest, StartCellFollowsTheFirstMapsGrowthAndUndoAndIsSavedWithTheMap) {
  WriteSettings("# the start\nmap = start.rkm\nstart = 1, 0\n");
  LoadOpenMap("start.rkm", 2, 1);
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  engine->GetCamera().SetPosition(-2, 0);  // room left of column 0
  PressCanvas(5, 5);                       // two columns to the left: the map grows
  ReleaseButton();
  EXPECT_EQ(engine->GetWorld().GetWidth(), 4);
  EXPECT_EQ(Settings().GetStartX(), 3);  // still on the same cell
  ASSERT_TRUE(engine->GetMapHistory().Undo());
  EXPECT_EQ(Settings().GetStartX(), 1);
  ASSERT_TRUE(engine->GetMapHistory().Redo());
  EXPECT_EQ(Settings().GetStartX(), 3);

  // Growing another map leaves the start alone.
  engine->GetGameSettings().FollowCells("other.rkm", 5, 5);
  EXPECT_EQ(Settings().GetStartX(), 3);

  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_EQ(ReadText("Game.ini"), "# the start\nmap = start.rkm\nstart = 3, 0\n");
}

TEST_F(RkPlaytestTest, SetStartHereIsAStepOnAnOpenCellOfASavedMap) {
  WriteSettings("title = Moss Road\n");
  LoadOpenMap("field.rkm", 3, 2);
  Hover(2, 1);
  engine->HandleMenuCommand(RkEngine::CommandSetStartHere);
  EXPECT_EQ(Settings().GetMap(), "field.rkm");
  EXPECT_EQ(Settings().GetStartX(), 2);
  EXPECT_EQ(Settings().GetStartY(), 1);
  EXPECT_FALSE(engine->GetMapDocument().GetHistory().IsAtSavedState());
  ASSERT_TRUE(engine->GetMapHistory().Undo());
  EXPECT_EQ(Settings().GetMap(), "World.rkm");
  EXPECT_EQ(Settings().GetStartX(), 0);

  // Off the map, or on a cell the player cannot stand on: a notice, no change.
  Hover(5, 5);
  engine->HandleMenuCommand(RkEngine::CommandSetStartHere);
  PrepareTilePainting(RkMapEditor::ChoiceImpassable);
  PressCanvas(32 + 5, 5);
  ReleaseButton();
  Hover(1, 0);
  engine->HandleMenuCommand(RkEngine::CommandSetStartHere);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].text, "Point at a cell of the map to set the player's start there.");
  EXPECT_EQ(notices[1].text, "The player can only start on an Open cell.");
  EXPECT_EQ(Settings().GetMap(), "World.rkm");
}

TEST_F(RkPlaytestTest, GameSettingsPanelSavesItsDraftKeepingTheFilesOtherLines) {
  WriteSettings("# mine\ntitle = Old\n");
  engine->HandleMenuCommand(RkEngine::CommandGameSettings);
  RkGameSettingsPanel& panel = engine->GetGameSettingsPanel();
  ASSERT_TRUE(panel.IsOpen());
  EXPECT_EQ(panel.GetDraft().title, "Old");
  panel.GetDraft().title = "  Moss Road ";
  panel.GetDraft().startX = 4;
  panel.GetDraft().startY = 7;
  ChooseNext("hero.png");
  panel.ClickChooseImage();
  panel.ClickSave();
  panel.Poll();
  EXPECT_EQ(ReadText("Game.ini"), "# mine\ntitle = Moss Road\nstart = 4, 7\nplayer = hero.png\n");
  EXPECT_FALSE(engine->GetGameSettings().IsUnsaved());
  panel.GetDraft().title = "Draft only";
  panel.ClickRevert();
  panel.Poll();
  EXPECT_EQ(panel.GetDraft().title, "Moss Road");
}

TEST_F(RkPlaytestTest, F5StartsTheGameOnACopyOfTheUnsavedMapAtTheHoveredCellAndShowsItsReport) {
  LoadOpenMap("World.rkm", 3, 3);
  const std::string saved = ReadText("World.rkm");
  PrepareTilePainting(RkMapEditor::ChoiceImpassable);
  PressCanvas(5, 5);  // an unsaved edit
  ReleaseButton();
  FakeGame("printf 'starting\\n--RkEngine Description--\\nBoom\\n\\nFILE: x\\n' >&2\nexit 1");
  Hover(2, 1);
  engine->HandleMenuCommand(RkEngine::CommandPlaytest);
  const std::string copy = engine->GetPlaytests().GetPlaytest().GetMapCopy();
  EXPECT_EQ(copy.substr(0, 20), ".World.rkm.playtest-");
  WaitForTheGameToEnd();

  EXPECT_EQ(ReadText("args.txt"), "--map " + copy + " --start 2,1 RK_PLAYTEST=1\n");
  engine->GetWorld().Save("expected.rkm");
  EXPECT_EQ(ReadText("copy.rkm"), ReadText("expected.rkm"));  // the unsaved edit included
  EXPECT_EQ(ReadText("World.rkm"), saved);
  EXPECT_FALSE(std::filesystem::exists(copy));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text, "The game ended with this report:\n\n--RkEngine Description--\nBoom\n\nFILE: x");

  // Off the map the player starts on the settings' start, on the first map.
  int32_t x = -1;
  int32_t y = -1;
  engine->GetPlaytests().ChooseStart(false, 0, 0, x, y);
  EXPECT_EQ(x, 0);
  WriteSettings("map = world.rkm\nstart = 1, 2\n");
  engine->GetPlaytests().ChooseStart(false, 0, 0, x, y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
}

TEST_F(RkPlaytestTest, SecondF5EndsTheRunningGameAndStartsANewOneWithoutANotice) {
  LoadOpenMap("World.rkm", 2, 2);
  FakeGame("exec sleep 30");
  RkPlaytest& playtest = engine->GetPlaytests().GetPlaytest();
  engine->HandleMenuCommand(RkEngine::CommandPlaytest);
  ASSERT_TRUE(playtest.IsRunning());
  const pid_t first = playtest.GetProcessId();
  const std::string firstCopy = playtest.GetMapCopy();
  // The copy is locked while its game runs, so no other editor's sweep takes it.
  const int probe = ::open(firstCopy.c_str(), O_RDONLY);
  EXPECT_NE(::flock(probe, LOCK_EX | LOCK_NB), 0);
  ::close(probe);
  engine->HandleMenuCommand(RkEngine::CommandPlaytest);
  ASSERT_TRUE(playtest.IsRunning());
  EXPECT_NE(playtest.GetProcessId(), first);
  EXPECT_EQ(::kill(first, 0), -1);  // the first game has ended and been reaped
  EXPECT_FALSE(std::filesystem::exists(firstCopy));
  const std::string secondCopy = playtest.GetMapCopy();
  playtest.Stop();
  EXPECT_FALSE(std::filesystem::exists(secondCopy));
  EXPECT_TRUE(notices.empty());
}

}  // namespace
