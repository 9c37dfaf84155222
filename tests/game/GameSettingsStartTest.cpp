// The game started from its settings file and from its command line: the first
// map, the start cell and the hero seen on pixels, the window's title, the
// command line winning over Game.ini, and the reports of wrong settings.
#include <SDL.h>

#include <fstream>

#include "GameCommandLine.h"
#include "GameFixture.h"
#include "RkGameSettings.h"

namespace {

RkColor ImagePixel(const char* image, int x, int y) {
  const PixelArt::Pixels pixels = PixelArt::Draw(image);
  const unsigned char* p = &pixels[(y * PixelArt::kSize + x) * 4];
  return 0xFF000000u | (RkColor(p[0]) << 16) | (RkColor(p[1]) << 8) | RkColor(p[2]);
}

void WriteGameIni(const std::string& text) { std::ofstream("Game.ini", std::ios::binary) << text; }

GameCommandLine CommandLine(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "EmberHollow");
  return GameCommandLine::Parse(static_cast<int>(arguments.size()), arguments.data());
}

class GameSettingsStart : public GameFixture {
 protected:
  // A 4 by 3 map of grass with water on (1, 1) and a wall on (3, 2), saved
  // under maps/ in lower case; "World.rkm" is a 1 by 1 map beside it.
  void SetUp() override {
    GameFixture::SetUp();
    RkWorld start = MakeWorld({"....", "....", "...#"});
    start.SetTileImageFile(1, 1, PixelArt::kWater);
    std::filesystem::create_directory("maps");
    start.Save("maps/start.rkm");
    MakeWorld({"."}).Save("World.rkm");
  }

  void StartWith(const GameCommandLine& commandLine) {
    game = std::make_unique<EmberHollow>();
    game->SetCommandLine(commandLine);
    game->Start(clock, GameTarget::Offscreen);
  }
};

TEST_F(GameSettingsStart, SettingsChooseTheFirstMapTheStartCellAndTheHero) {
  ASSERT_NE(ImagePixel(PixelArt::kGuard, 16, 20), ImagePixel(PixelArt::kPlayer, 16, 20));
  WriteGameIni("# found like New Area maps\nmap = Maps\\Start.RKM\nstart = 2, 1\nplayer = images/characters/guard.png\n");
  StartGame();
  EXPECT_EQ(game->GetWorld().GetWidth(), 4);
  EXPECT_EQ(PlayerX(), 2);
  EXPECT_EQ(PlayerY(), 1);
  StepAndDraw();
  RkDirect3D& renderer = game->GetRenderer();
  // The hero at the window's centre, on the start cell: the water of (1, 1)
  // lies one cell to its left, grass above it.
  EXPECT_EQ(renderer.ReadPixel(320 + 16, 240 + 20), ImagePixel(PixelArt::kGuard, 16, 20));
  EXPECT_EQ(renderer.ReadPixel(288 + 5, 240 + 5), ImagePixel(PixelArt::kWater, 5, 5));
  EXPECT_EQ(renderer.ReadPixel(320 + 5, 208 + 5), ImagePixel(PixelArt::kGrass, 5, 5));

  // Settings without a start line start on (0, 0) of their map, unchecked.
  game.reset();
  WriteGameIni("title = Moss Road\n");
  StartGame();
  EXPECT_EQ(game->GetWorld().GetWidth(), 1);
  EXPECT_EQ(PlayerX(), 0);
  EXPECT_EQ(game->GetPlayerImage(), PixelArt::kPlayer);
}

// The hero may be one cell of a sheet: Game.ini names it as a tile is named.
TEST_F(GameSettingsStart, TheHeroMayBeACellOfASheet) {
  WriteGameIni("player = Images\\Tiles\\Garden.PNG#2,0\n");
  StartGame();
  StepAndDraw();
  EXPECT_EQ(game->GetRenderer().ReadPixel(320 + 16, 240 + 16), ImagePixel(PixelArt::kBush, 16, 16));
}

TEST_F(GameSettingsStart, CommandLineWinsOverTheSettings) {
  WriteGameIni("map = maps/start.rkm\nstart = 2, 1\n");
  StartWith(CommandLine({"--map", "world.rkm"}));
  EXPECT_EQ(game->GetWorld().GetWidth(), 1);  // found like a New Area map
  EXPECT_EQ(PlayerX(), 0);                    // Game.ini's start is its own map's
  EXPECT_EQ(PlayerY(), 0);

  // A start cell of the command line need not be Open (a playtest may start
  // anywhere on the map), and goes with the settings' map.
  game.reset();
  StartWith(CommandLine({"--start=3,2"}));
  EXPECT_EQ(game->GetWorld().GetWidth(), 4);
  EXPECT_EQ(PlayerX(), 3);
  EXPECT_EQ(PlayerY(), 2);
}

TEST(GameCommandLineParse, OptionsAndEachBadArgument) {
  const GameCommandLine both = CommandLine({"--start", "-1, 7", "--map=Maps/A b.rkm"});
  EXPECT_EQ(both.GetError(), "");
  EXPECT_EQ(both.GetMap(), "Maps/A b.rkm");
  EXPECT_EQ(both.GetStartX(), -1);
  EXPECT_EQ(both.GetStartY(), 7);
  EXPECT_FALSE(CommandLine({}).HasMap());
  EXPECT_FALSE(CommandLine({}).HasStart());
  EXPECT_TRUE(CommandLine({"--help"}).WantsHelp());

  const std::pair<std::vector<const char*>, std::string> bad[] = {
      {{"--map"}, "EmberHollow: --map needs a map file, such as --map World.rkm"},
      {{"--map="}, "EmberHollow: --map needs a map file, such as --map World.rkm"},
      {{"--start", "4"}, "EmberHollow: --start needs two whole numbers, such as --start 4,7"},
      {{"--start"}, "EmberHollow: --start needs two whole numbers, such as --start 4,7"},
      {{"--map", "a", "--map", "b"}, "EmberHollow: --map is given twice"},
      {{"--start", "1,1", "--start=2,2"}, "EmberHollow: --start is given twice"},
      {{"--fast"}, "EmberHollow: unknown option \"--fast\""},
      {{"World.rkm"}, "EmberHollow: unexpected argument \"World.rkm\""},
  };
  for (const auto& [arguments, error] : bad) EXPECT_EQ(CommandLine(arguments).GetError(), error);
}

using GameSettingsStartDeathTest = GameSettingsStart;

const EmberHollow* startingGame = nullptr;
void SayWhetherTheWindowExists(const char*, const char*) {
  std::fprintf(stderr, "window %s\n", startingGame->GetWindow().GetHandle() ? "open" : "missing");
}

TEST_F(GameSettingsStartDeathTest, WrongSettingsEndTheGameWithAReportNamingTheLine) {
  // A wrong line is reported before any window opens.
  WriteGameIni("title = Moss Road\nstart = 4\n");
  EXPECT_EXIT(
      {
        EmberHollow windowed;
        startingGame = &windowed;
        SetFatalBoxHandler(&SayWhetherTheWindowExists);
        windowed.Start(clock, GameTarget::Window);
      },
      ::testing::ExitedWithCode(1),
      "^--RkEngine Description--\nGame.ini line 2: \"start\" needs two whole numbers, such as 4, 7\n\n"
      "(.|\n)*FILE: RkGameSettings\n(.|\n)*window missing\n");

  WriteGameIni("map = maps/start.rkm\n\nstart = 3, 2\n");
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "Game.ini line 3: the start cell \\(3, 2\\) is an Impassable cell of maps/start.rkm, not an Open "
              "one\n\n--Microsoft.+ Description--\nThe player must start on an Open cell of the first map.\n");
  WriteGameIni("map = maps/start.rkm\nstart = 4, 0\n");
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "Game.ini line 2: the start cell \\(4, 0\\) is outside the map maps/start.rkm of 4 by 3 cells\n");
  WriteGameIni("map = maps/cellar.rkm\n");
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "Game.ini line 1: the map maps/cellar.rkm does not exist\n\n--Microsoft.+ Description--\nNo such file");
  WriteGameIni("player = images/hero.png\n");
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1), "Game.ini line 1: the image images/hero.png does not exist\n");
  EXPECT_EXIT(StartWith(CommandLine({"--start", "1,1"})), ::testing::ExitedWithCode(1),
              "The start cell \\(1, 1\\) given by --start is outside the map World.rkm of 1 by 1 cells.\n");
}

TEST_F(GameSettingsStartDeathTest, TitleOfTheSettingsIsTheWindowsTitle) {
  WriteGameIni("title = Moss Road \xE2\x80\x94 Chapter 1\n");
  EXPECT_EXIT(
      {
        EmberHollow windowed;
        windowed.Start(clock, GameTarget::Window);
        std::fprintf(stderr, "title [%s]\n", SDL_GetWindowTitle(windowed.GetWindow().GetHandle()));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "title \\[Moss Road \xE2\x80\x94 Chapter 1\\]");
}

}  // namespace
