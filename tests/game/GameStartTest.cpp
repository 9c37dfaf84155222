// Start-up and the scene: where the player starts and is drawn, what the scene
// registers and in which order, and a missing "World.rkm".
#include <cstdio>
#include <fstream>
#include <thread>

#include "RkNotice.h"

#include "GameFixture.h"

namespace {

using GameStart = GameFixture;

RkColor PlayerImagePixel(int x, int y) {
  const PixelArt::Pixels pixels = PixelArt::Draw(PixelArt::kPlayer);
  const unsigned char* p = &pixels[(y * PixelArt::kSize + x) * 4];
  return 0xFF000000u | (RkColor(p[0]) << 16) | (RkColor(p[1]) << 8) | RkColor(p[2]);
}

TEST_F(GameStart, PlayerStartsOnTheFirstCellAndIsDrawnAtTheWindowCentre) {
  // (0, 0) is a wall: the player starts there all the same.
  RkWorld world = MakeWorld({"#..", "...", "..."});
  world.Save("World.rkm");
  StartGame();
  EXPECT_EQ(PlayerX(), 0);
  EXPECT_EQ(PlayerY(), 0);

  const std::vector<RkSprite> sprites = Sprites();
  ASSERT_FALSE(sprites.empty());
  EXPECT_EQ(sprites.back().GetIsPlayer(), 1);
  EXPECT_EQ(sprites.back().GetPosition().x, 320.0f);
  EXPECT_EQ(sprites.back().GetPosition().y, 240.0f);

  StepAndDraw();
  RkDirect3D& renderer = game->GetRenderer();
  // The shirt of the player's image at (16, 20) lands on screen pixel (336, 260).
  EXPECT_EQ(renderer.ReadPixel(320 + 16, 240 + 20), PlayerImagePixel(16, 20));
  // Left of the first column lies nothing: black.
  EXPECT_EQ(renderer.ReadPixel(300, 250), RK_COLOR_BLACK);
}

TEST_F(GameStart, SceneRegistersTilesColumnByColumnThenNpcsThenThePlayer) {
  // 'x' cells have no image and get no sprite.
  RkWorld world = MakeWorld({".x", "#."});
  AddNpc(world, 1, 1, NPCStatic, "Second");
  AddNpc(world, 0, 0, NPCNormal, "First");
  world.Save("World.rkm");
  StartGame();

  struct Expected {
    float x, y;
    int isPlayer, isNpc;
  };
  const Expected order[] = {
      {0, 0, 0, 0}, {0, 32, 0, 0}, {32, 32, 0, 0},  // column 0 top to bottom, then column 1
      {32, 32, 0, 1}, {0, 0, 0, 1},                 // NPCs in the world's order
      {320, 240, 1, 0},                             // the player last
  };
  const std::vector<RkSprite> sprites = Sprites();
  ASSERT_EQ(sprites.size(), std::size(order));
  for (size_t i = 0; i < sprites.size(); ++i) {
    EXPECT_EQ(sprites[i].GetPosition().x, order[i].x) << "sprite " << i;
    EXPECT_EQ(sprites[i].GetPosition().y, order[i].y) << "sprite " << i;
    EXPECT_EQ(sprites[i].GetIsPlayer(), order[i].isPlayer) << "sprite " << i;
    EXPECT_EQ(sprites[i].GetIsNpc(), order[i].isNpc) << "sprite " << i;
  }
}

TEST_F(GameStart, WorldWithoutColumnsOrRowsRegistersNoTilesButNpcsAndThePlayer) {
  RkWorld empty;
  AddNpc(empty, 2, 2, NPCStatic);
  empty.Save("World.rkm");
  StartGame();
  std::vector<RkSprite> sprites = Sprites();
  ASSERT_EQ(sprites.size(), 2u);
  EXPECT_EQ(sprites[0].GetIsNpc(), 1);
  EXPECT_EQ(sprites[1].GetIsPlayer(), 1);

  // Three columns of no rows: width 3, height 0, no NPCs.
  game.reset();
  {
    std::ofstream file("World.rkm", std::ios::binary | std::ios::trunc);
    const unsigned char bytes[12] = {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
  }
  StartGame();
  sprites = Sprites();
  ASSERT_EQ(sprites.size(), 1u);
  EXPECT_EQ(sprites[0].GetIsPlayer(), 1);
  EXPECT_EQ(game->GetWorld().GetWidth(), 3);
}

// The first map is read while the devices open; what the reading shows waits
// for them and for the thread that runs the game.
TEST_F(GameStart, NoticesOfTheFirstMapComeOnTheGamesThreadOnceTheRendererIsReady) {
  RkWorld world = MakeWorld({"..", ".."});
  AddNpc(world, 0, 0, 7, "Odd");
  AddNpc(world, 1, 1, 9, "Odder");
  world.Save("World.rkm");
  struct Seen {
    std::string text;
    std::thread::id thread;
    bool rendererReady;
  };
  std::vector<Seen> seen;
  game = std::make_unique<EmberHollow>();
  SetNoticeHandler([&](const std::string& text, const char*) {
    seen.push_back(Seen{text, std::this_thread::get_id(), game->GetRenderer().IsInitialized()});
  });
  game->Start(clock, GameTarget::Offscreen);
  SetNoticeHandler(nullptr);
  ASSERT_EQ(seen.size(), 2u);
  for (const Seen& notice : seen) {
    EXPECT_EQ(notice.text, "still bad");
    EXPECT_EQ(notice.thread, std::this_thread::get_id());
    EXPECT_TRUE(notice.rendererReady);
  }
  EXPECT_EQ(game->GetWorld().GetNPCCount(), 2u);
}

using GameStartDeathTest = GameStart;

// Told by the fatal report's box, which shows only once the report is made.
const EmberHollow* startingGame = nullptr;
void SayWhatExists(const char*, const char*) {
  std::fprintf(stderr, "window %s, renderer %s\n", startingGame->GetWindow().GetHandle() ? "open" : "missing",
               startingGame->GetRenderer().IsInitialized() ? "ready" : "missing");
}

TEST_F(GameStartDeathTest, MissingWorldFileIsReportedOnceTheWindowAndTheRendererExist) {
  EXPECT_EXIT(
      {
        EmberHollow windowed;
        startingGame = &windowed;
        SetFatalBoxHandler(&SayWhatExists);
        windowed.Start(clock, GameTarget::Window);
      },
      ::testing::ExitedWithCode(1), "Failed to open the world file\\.(.|\n)*window open, renderer ready\n");
}

TEST_F(GameStartDeathTest, MissingWorldFileEndsStartUpWithTheWorldFilesReport) {
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "--RkEngine Description--\nFailed to open the world file\\.\n(.|\n)*FILE: RkWorld\nLINE: 405\n");
}

}  // namespace
