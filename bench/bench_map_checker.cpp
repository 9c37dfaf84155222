// The map checker's speed. Targets: RkCheckMaps on a folder of 20 maps of 256 by
// 256 cells in under 2 s, and the walk flood linear in the cells.
//   BM_WalkFlood/side      the flood over a side x side map (up to 512 x 512);
//                          its complexity fit should read O(N) in the cells
//   BM_CheckOneLargeMap    the whole check of a folder holding one 512 x 512 map
//   BM_CheckTwentyMaps     the whole check of 20 maps of 256 x 256, in-process
// The folder for timing the command itself is written by
//   bench_map_checker --make-folder=PATH
// and then timed with: time build/tools/RkCheckMaps/RkCheckMaps PATH
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RkMapChecker.h"
#include "RkWalkFlood.h"
#include "RkWorld.h"

namespace fs = std::filesystem;

namespace {

// Walls across the map with one gap each, alternating ends: the flood must wind
// through every row, and every cell is Open or Impassable.
bool IsWall(int x, int y, int side) {
  if (y % 4 != 2) return false;
  const bool gapRight = (y / 4) % 2 == 0;
  return gapRight ? x != side - 1 : x != 0;
}

std::vector<uint8_t> WindingKinds(int side) {
  std::vector<uint8_t> kinds(static_cast<std::size_t>(side) * side);
  for (int x = 0; x < side; ++x)
    for (int y = 0; y < side; ++y) kinds[static_cast<std::size_t>(x) * side + y] = IsWall(x, y, side) ? TileImpassable : TileOpen;
  return kinds;
}

void BM_WalkFlood(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const std::vector<uint8_t> kinds = WindingKinds(side);
  for (auto _ : state) {
    std::vector<uint8_t> reached = RkWalkFlood::Reach(kinds, side, side, {{0, 0}});
    benchmark::DoNotOptimize(reached.data());
  }
  state.SetComplexityN(static_cast<int64_t>(side) * side);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(side) * side);
}
BENCHMARK(BM_WalkFlood)->RangeMultiplier(2)->Range(64, 512)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A map of side x side cells with the winding walls, every cell showing ok.png, a
// New Area cell at (1, 0) to each target and three NPCs with a short conversation.
void WriteMap(const fs::path& file, int side, const std::vector<std::string>& targets) {
  RkWorld world;
  world.Grow(side - 1, side - 1);
  for (int x = 0; x < side; ++x) {
    for (int y = 0; y < side; ++y) {
      world.SetTileType(x, y, IsWall(x, y, side) ? TileImpassable : TileOpen);
      world.SetTileImageFile(x, y, x % 2 == 0 ? "images/grass.png" : "images/path.png");
    }
  }
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const int x = 1 + static_cast<int>(i);
    world.SetTileType(x, 0, TileNewArea);
    world.SetTileNewArea(x, 0, targets[i].c_str(), 0, 1);
  }
  for (int i = 0; i < 3; ++i) {
    world.SetNPC(("Villager " + std::to_string(i)).c_str(), 5 + i, 5, "images/villager.png", NPCNormal);
    RkNPC& npc = world.GetNPC(static_cast<unsigned>(i));
    npc.AddDialogue(0, "Hello.");
    npc.AddDialogue(1, "Goodbye.");
    npc.AddResponse(0, "Bye.", 1);
  }
  world.Save(file.string().c_str());
}

void WriteImages(const fs::path& folder) {
  fs::create_directories(folder / "images");
  for (const char* name : {"grass.png", "path.png", "villager.png"}) std::ofstream(folder / "images" / name) << "x";
}

void MakeTwentyMapFolder(const fs::path& folder) {
  fs::create_directories(folder);
  WriteImages(folder);
  std::vector<std::string> others;
  for (int i = 1; i < 20; ++i) others.push_back("Map" + std::to_string(i) + ".rkm");
  WriteMap(folder / "World.rkm", 256, others);
  for (const std::string& name : others) WriteMap(folder / name, 256, {"World.rkm"});
}

fs::path ScratchFolder(const char* name) {
  const char* tmp = std::getenv("TMPDIR");
  return fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") /
         ("rk-bench-" + std::to_string(getpid()) + "-" + name);
}

void RunChecker(benchmark::State& state, const fs::path& folder) {
  std::size_t findings = 0;
  for (auto _ : state) findings = RkMapChecker(folder.string()).Check().size();
  state.counters["findings"] = static_cast<double>(findings);
}

void BM_CheckOneLargeMap(benchmark::State& state) {
  const fs::path folder = ScratchFolder("one-large");
  fs::create_directories(folder);
  WriteImages(folder);
  WriteMap(folder / "World.rkm", 512, {});
  RunChecker(state, folder);
  fs::remove_all(folder);
}
BENCHMARK(BM_CheckOneLargeMap)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckTwentyMaps(benchmark::State& state) {
  const fs::path folder = ScratchFolder("twenty");
  MakeTwentyMapFolder(folder);
  RunChecker(state, folder);
  fs::remove_all(folder);
}
BENCHMARK(BM_CheckTwentyMaps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  const char* option = "--make-folder=";
  if (argc == 2 && std::strncmp(argv[1], option, std::strlen(option)) == 0) {
    MakeTwentyMapFolder(argv[1] + std::strlen(option));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
