// The game's loop pass (one fixed step and one frame) on the offscreen
// renderer: on the bundled demo world, on a 256 by 256 world with 500 Normal
// NPCs and on a 20 by 15 world with the same 500 NPCs (the big world's pass
// should cost at most twice the small one's), and the memory in use over
// 100,000 steps, which must stay flat.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSteppedClock.h"
#include "EmberHollow.h"

namespace {

constexpr int kNpcCount = 500;
// Images of the bundled demo, copied next to each world made here.
constexpr const char* kGrassImage = "images/tiles/grass.png";
constexpr const char* kFlowersImage = "images/tiles/flowers.png";
constexpr const char* kVillagerImage = "images/characters/villager.png";
constexpr const char* kChildImage = "images/characters/child.png";
constexpr int64_t kCountsPerStep = BenchSteppedClock::kCountsPerStep;
using SteppedClock = BenchSteppedClock;

// A folder holding the demo's images and one "World.rkm": width by height open
// ground with 500 Normal NPCs spread over the top-left 20 by 15 cells (so the
// same NPCs stand in the same places, and in view, on every world size).
// Removes the folders made by MakeWorldFolder when the program ends.
struct MadeFolders {
  ~MadeFolders() {
    std::error_code ignored;
    for (const std::string& folder : folders) std::filesystem::remove_all(folder, ignored);
  }
  std::vector<std::string> folders;
} madeFolders;

std::string MakeWorldFolder(int width, int height) {
  const std::string folder = (std::filesystem::temp_directory_path() /
                              ("ember_hollow_bench_" + std::to_string(getpid()) + "_" + std::to_string(width)))
                                 .string();
  std::filesystem::create_directories(folder);
  madeFolders.folders.push_back(folder);
  std::filesystem::copy(std::string(RK_SOURCE_DIR) + "/demo/images", folder + "/images",
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  RkWorld world;
  world.Grow(width - 1, height - 1);
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      world.SetTileType(x, y, TileOpen);
      world.SetTileImageFile(x, y, (x + y) % 7 == 0 ? kFlowersImage : kGrassImage);
    }
  }
  for (int i = 0; i < kNpcCount; ++i) {
    // Appended on a free cell first, then moved onto its place: several NPCs
    // share a cell, as a world file may have them.
    world.SetNPC("Walker", 1000 + i, 0, i % 2 == 0 ? kVillagerImage : kChildImage, NPCNormal);
    world.GetNPC(static_cast<unsigned>(i)).SetPosition(1 + (i * 7) % 19, 1 + (i * 3) % 14);
  }
  world.Save((folder + "/" + EmberHollow::kWorldFile).c_str());
  return folder;
}

// Runs the game offscreen in a folder, which stays the working directory while
// it lives (NPC images are opened again, relative to it, as the step re-adds them).
class GameInFolder {
 public:
  explicit GameInFolder(const std::string& folder)
      : previous(std::filesystem::current_path()), game(std::make_unique<EmberHollow>()) {
    std::filesystem::current_path(folder);
    game->Start(clock, GameTarget::Offscreen);
  }
  ~GameInFolder() {
    game.reset();
    std::filesystem::current_path(previous);
  }
  // One pass with exactly one step's time: one step, one frame.
  void Pass() {
    clock.Advance(kCountsPerStep);
    game->RunPass(clock);
  }
  // One pass with 15 steps' time: 15 steps, one frame.
  void LongPass() {
    clock.Advance(15 * kCountsPerStep);
    game->RunPass(clock);
  }
  EmberHollow& Get() { return *game; }

 private:
  std::filesystem::path previous;
  SteppedClock clock;
  std::unique_ptr<EmberHollow> game;
};

void RunPasses(benchmark::State& state, const std::string& folder) {
  GameInFolder game(folder);
  for (int warmUp = 0; warmUp < 200; ++warmUp) game.Pass();
  for (auto _ : state) game.Pass();
  state.counters["sprites"] = static_cast<double>(game.Get().GetRenderer().GetSprites().size());
  state.counters["cells"] = static_cast<double>(game.Get().GetWorld().GetWidth()) * game.Get().GetWorld().GetHeight();
}

void BM_PassOnDemoWorld(benchmark::State& state) {
  RunPasses(state, std::string(RK_SOURCE_DIR) + "/demo");
}
BENCHMARK(BM_PassOnDemoWorld)->Unit(benchmark::kMicrosecond);

void BM_PassOnSmallWorldWith500Npcs(benchmark::State& state) {
  static const std::string folder = MakeWorldFolder(20, 15);
  RunPasses(state, folder);
}
BENCHMARK(BM_PassOnSmallWorldWith500Npcs)->Unit(benchmark::kMicrosecond);

void BM_PassOnBigWorldWith500Npcs(benchmark::State& state) {
  static const std::string folder = MakeWorldFolder(256, 256);
  RunPasses(state, folder);
}
BENCHMARK(BM_PassOnBigWorldWith500Npcs)->Unit(benchmark::kMicrosecond);

long ResidentKilobytes() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// 100,000 steps (passes of 15 steps and one frame) on the small world with 500
// wandering NPCs: every step erases and re-adds 500 NPC sprites.
void BM_MemoryOver100000Steps(benchmark::State& state) {
  static const std::string folder = MakeWorldFolder(20, 15);
  for (auto _ : state) {
    GameInFolder game(folder);
    for (int pass = 0; pass < 100; ++pass) game.LongPass();  // settle allocations
    const long before = ResidentKilobytes();
    const size_t spritesBefore = game.Get().GetRenderer().GetSprites().size();
    constexpr int kPasses = 100000 / 15;
    for (int pass = 0; pass < kPasses; ++pass) game.LongPass();
    const long after = ResidentKilobytes();
    state.counters["rss_before_kB"] = static_cast<double>(before);
    state.counters["rss_after_kB"] = static_cast<double>(after);
    state.counters["rss_growth_kB"] = static_cast<double>(after - before);
    state.counters["sprites_before"] = static_cast<double>(spritesBefore);
    state.counters["sprites_after"] = static_cast<double>(game.Get().GetRenderer().GetSprites().size());
  }
}
BENCHMARK(BM_MemoryOver100000Steps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
