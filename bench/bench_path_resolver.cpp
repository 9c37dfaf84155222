// The cost of finding the file that a path from a Windows-made map names, in a
// folder of 3 image folders with 200 files each: cold (nothing kept, so the
// folders are listed) and kept (a path resolved before). Both for an exact
// path, a path in other case with '\', and a drive-letter path found by tail.
// The folder lives in $TMPDIR (or /tmp) and is removed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "RkPathResolver.h"

namespace {

constexpr int kFilesPerFolder = 200;

class BenchFolder {
 public:
  BenchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    root = std::filesystem::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") /
           ("rk-bench-paths-" + std::to_string(getpid()));
    for (const char* folder : {"images/tiles", "images/characters", "images/items"}) {
      std::filesystem::create_directories(root / folder);
      for (int i = 0; i < kFilesPerFolder; ++i) {
        const std::string name = (root / folder / ("tile_" + std::to_string(i) + ".png")).string();
        const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0) ::close(fd);
      }
    }
    previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
  }
  ~BenchFolder() {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(root);
  }

 private:
  std::filesystem::path root;
  std::filesystem::path previous;
};

BenchFolder& Folder() {
  static BenchFolder folder;
  return folder;
}

const char* const kPaths[] = {
    "images/tiles/tile_150.png",
    "Images\\Tiles\\TILE_150.PNG",
    "C:\\Games\\Hollow\\Images\\Tiles\\Tile_150.png",
};

void Resolve(benchmark::State& state, bool cold) {
  Folder();
  const char* path = kPaths[state.range(0)];
  RkPathResolver resolver;
  const std::size_t listedBefore = resolver.GetListingCount();
  for (auto _ : state) {
    if (cold) resolver.Forget();
    benchmark::DoNotOptimize(resolver.Resolve(path));
  }
  state.counters["listings_per_resolve"] = benchmark::Counter(
      static_cast<double>(resolver.GetListingCount() - listedBefore) / static_cast<double>(state.iterations()));
  state.SetLabel(path);
}

void BM_ResolveCold(benchmark::State& state) { Resolve(state, true); }
void BM_ResolveKept(benchmark::State& state) { Resolve(state, false); }

BENCHMARK(BM_ResolveCold)->DenseRange(0, 2);
BENCHMARK(BM_ResolveKept)->DenseRange(0, 2);

}  // namespace

BENCHMARK_MAIN();
