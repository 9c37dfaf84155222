// The game on big maps, offscreen: registering the scene of a map of up to 1024
// by 1024 cells, and one simulation step with 2,000 wandering NPCs on maps of
// 128, 512 and 1024 cells a side. The NPCs stand in the same places on every
// size (the top-left 128 by 128 cells), so a step should cost the same on all
// three: the step's cost must not grow with the number of tiles.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BenchSteppedClock.h"
#include "EmberHollow.h"

namespace {

constexpr int kNpcCount = 2000;
constexpr int kNpcArea = 128;
using SteppedClock = BenchSteppedClock;

// The demo's images and a one-cell "World.rkm" to start the game with; the big
// worlds are made in memory and handed to it, since their files would be a gigabyte.
class BenchFolder {
 public:
  BenchFolder()
      : folder((std::filesystem::temp_directory_path() / ("ember_hollow_scale_" + std::to_string(getpid())))
                   .string()) {
    std::filesystem::create_directories(folder);
    std::filesystem::copy(std::string(RK_SOURCE_DIR) + "/demo/images", folder + "/images",
                          std::filesystem::copy_options::recursive);
    RkWorld start;
    start.Grow(0, 0);
    start.Save((folder + "/" + EmberHollow::kWorldFile).c_str());
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  const std::string folder;
};

// Open ground of four images, a tree now and then, and the NPCs spread over
// the top-left cells, several of them sharing a cell.
RkWorld MakeWorld(int side) {
  static const char* const kGround[] = {"images/tiles/grass.png", "images/tiles/flowers.png",
                                        "images/tiles/path.png", "images/tiles/grass.png"};
  static const char* const kPeople[] = {"images/characters/villager.png", "images/characters/child.png",
                                        "images/characters/elder.png", "images/characters/guard.png"};
  RkWorld world;
  world.Grow(side - 1, side - 1);
  for (int x = 0; x < side; ++x) {
    for (int y = 0; y < side; ++y) {
      const bool tree = (x * 7 + y * 13) % 31 == 0;
      world.SetTileType(x, y, tree ? TileImpassable : TileOpen);
      world.SetTileImageFile(x, y, tree ? "images/tiles/tree.png" : kGround[(x / 3 + y / 5) % 4]);
    }
  }
  for (int i = 0; i < kNpcCount; ++i) {
    world.SetNPC("Walker", side + i, 0, kPeople[i % 4], NPCNormal);
    world.GetNPC(static_cast<unsigned>(i)).SetPosition((i * 37) % kNpcArea, (i * 59 + i / kNpcArea) % kNpcArea);
  }
  return world;
}

const RkWorld& WorldOfSide(int side) {
  static std::map<int, RkWorld> worlds;
  auto found = worlds.find(side);
  if (found == worlds.end()) found = worlds.emplace(side, MakeWorld(side)).first;
  return found->second;
}

// The game started offscreen in the folder, then given a world of that side.
class GameOnWorld {
 public:
  explicit GameOnWorld(int side) : previous(std::filesystem::current_path()) {
    static BenchFolder folder;
    std::filesystem::current_path(folder.folder);
    game = std::make_unique<EmberHollow>();
    game->Start(clock, GameTarget::Offscreen);
    game->GetWorld() = WorldOfSide(side);
    game->GetRenderer().ClearSprites();
    game->BuildScene();
  }
  ~GameOnWorld() {
    game.reset();
    std::filesystem::current_path(previous);
  }
  EmberHollow& Get() { return *game; }

 private:
  std::filesystem::path previous;
  SteppedClock clock;
  std::unique_ptr<EmberHollow> game;
};

void BM_BuildScene(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  GameOnWorld game(side);
  for (auto _ : state) {
    game.Get().GetRenderer().ClearSprites();
    game.Get().BuildScene();
  }
  state.counters["cells"] = static_cast<double>(side) * side;
}
BENCHMARK(BM_BuildScene)->Arg(128)->Arg(1024)->Unit(benchmark::kMillisecond);

// Steps 1/60 s apart, as the loop runs them: every 180th step each NPC's wander
// interval is over and about 1,600 of them take a step.
void BM_StepWith2000Npcs(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  GameOnWorld game(side);
  std::srand(1);
  double now = 200.0;
  for (int warmUp = 0; warmUp < 400; ++warmUp) game.Get().Update(now += EmberHollow::kStepLength);
  for (auto _ : state) game.Get().Update(now += EmberHollow::kStepLength);
  state.counters["cells"] = static_cast<double>(side) * side;
  state.counters["sprites_in_list"] = static_cast<double>(game.Get().GetRenderer().GetSprites().size());
}
BENCHMARK(BM_StepWith2000Npcs)->Arg(128)->Arg(512)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
