// Shared set-up of the game's suites: a scratch folder made the working
// directory (the game opens "World.rkm" and its images relative to it), the
// demo's pixel art written into it, small maps drawn from character rows, and
// the real EmberHollow started on the offscreen renderer with a scripted clock
// and a key table that the test sets.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "DemoWorldBuilder.h"
#include "EmberHollow.h"
#include "RkNPCList.h"
#include "PixelArt.h"
#include "ScriptedClock.h"

class GameFixture : public ::testing::Test {
 protected:
  static constexpr const char* kTileImage = PixelArt::kGrass;
  static constexpr const char* kWallImage = PixelArt::kWall;
  static constexpr const char* kNpcImage = PixelArt::kVillager;

  void SetUp() override {
    originalFolder = std::filesystem::current_path();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = std::filesystem::temp_directory_path() /
              ("ember_hollow_" + std::to_string(getpid()) + "_" + test->test_suite_name() + "_" + test->name());
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    std::filesystem::current_path(scratch);
    ASSERT_TRUE(DemoWorldBuilder::WriteImages("."));
  }

  void TearDown() override {
    game.reset();
    std::filesystem::current_path(originalFolder);
    std::filesystem::remove_all(scratch);
  }

  // A world from rows of cells, one character a cell: '.' Open ground, '#' an
  // Impassable wall, 'x' a Null cell without image, 'A' a New Area cell
  // (target set with SetTileNewArea afterwards).
  static RkWorld MakeWorld(const std::vector<std::string>& rows) {
    RkWorld world;
    if (rows.empty() || rows.front().empty()) return world;
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows.front().size());
    world.Grow(width - 1, height - 1);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) PaintCell(world, x, y, rows[y][x]);
    }
    return world;
  }

  static void PaintCell(RkWorld& world, int x, int y, char symbol) {
    switch (symbol) {
      case '.':
        world.SetTileType(x, y, TileOpen);
        world.SetTileImageFile(x, y, kTileImage);
        break;
      case '#':
        world.SetTileType(x, y, TileImpassable);
        world.SetTileImageFile(x, y, kWallImage);
        break;
      case 'A':
        world.SetTileType(x, y, TileNewArea);
        world.SetTileImageFile(x, y, PixelArt::kDoor);
        break;
      default:
        break;  // a Null cell
    }
  }

  static void AddNpc(RkWorld& world, int x, int y, int type, const char* name = "Npc") {
    world.SetNPC(name, x, y, kNpcImage, type);
  }

  // Starts the game on "World.rkm" of the scratch folder, offscreen, and fixes
  // the random walk's seed so a run repeats.
  void StartGame(unsigned seed = 1) {
    game = std::make_unique<EmberHollow>();
    game->Start(clock, GameTarget::Offscreen);
    std::srand(seed);
  }

  void Hold(std::initializer_list<uint8_t> keys) {
    uint8_t table[RK_KEY_TABLE_SIZE] = {};
    for (uint8_t key : keys) table[key] = RK_KEY_DOWN;
    game->GetInput().SetKeyboardState(table);
  }
  void ReleaseAll() { Hold({}); }

  // One pass of the real loop after exactly one step's time: one step, one frame.
  int StepAndDraw() {
    clock.AdvanceCounts(ScriptedClock::kCountsPerStep);
    return game->RunPass(clock);
  }
  // With every key up, one-step passes until the walk animation has ended;
  // returns the passes run.
  int FinishWalk() {
    ReleaseAll();
    int passes = 0;
    while (game->GetRenderer().IsWalking() && passes < 100) {
      StepAndDraw();
      ++passes;
    }
    return passes;
  }

  int PlayerX() { return game->GetPlayer().GetX(); }
  int PlayerY() { return game->GetPlayer().GetY(); }

  // The sprites in the renderer's list, in drawing order, the map's tiles included.
  std::vector<RkSprite> Sprites() { return game->GetRenderer().CopySpriteList(); }
  int CountNpcSpritesAt(float x, float y) {
    int count = 0;
    for (const RkSprite& sprite : game->GetRenderer().GetSprites()) {
      if (sprite.GetIsNpc() == 1 && sprite.GetPosition().x == x && sprite.GetPosition().y == y) ++count;
    }
    return count;
  }

  std::filesystem::path originalFolder;
  std::filesystem::path scratch;
  ScriptedClock clock;
  std::unique_ptr<EmberHollow> game;
};
