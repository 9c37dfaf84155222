// Saving and loading a 512 x 512 world (about 265 MB) with 1,000 NPCs of two
// dialogues each, against a raw write and a raw (cached) read of the same file
// in the same run. The counters load_vs_raw_read and save_vs_raw_write are the
// throughput ratios over all runs; the _best ones compare the best run of each
// (by wall clock, and by this thread's CPU time), which on a shared machine
// shows the work done rather than the neighbours. Targets: 0.25 and 0.5.
// The files live in $TMPDIR (or /tmp) and are removed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "RkWorld.h"

namespace {

constexpr int kSide = 512;
constexpr int kNPCs = 1000;
constexpr std::size_t kBlock = 1 << 20;

std::string BenchPath(const char* name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/rk-bench-" +
         std::to_string(getpid()) + "-" + name;
}

RkWorld BuildWorld() {
  RkWorld world;
  world.Grow(kSide - 1, kSide - 1);
  for (int x = 0; x < kSide; ++x) {
    for (int y = 0; y < kSide; ++y) {
      world.SetTileType(x, y, (x + y) % 7 == 0 ? TileImpassable : TileOpen);
      world.SetTileImageFile(x, y, (x + y) % 7 == 0 ? "images/tiles/rock.png" : "images/tiles/grass.png");
    }
  }
  world.SetTileType(3, 3, TileNewArea);
  world.SetTileNewArea(3, 3, "maps/cave.rkm", 1, 1);
  for (int i = 0; i < kNPCs; ++i) {
    world.SetNPC(("Villager " + std::to_string(i)).c_str(), i % kSide, i / kSide * 7, "images/characters/villager.png",
                 i % 2 == 0 ? NPCNormal : NPCStatic);
    RkNPC& npc = world.GetNPC(static_cast<unsigned>(i));
    npc.AddDialogue(1, "Good morning, traveller.");
    npc.AddDialogue(2, "The road east is closed.");
    npc.AddResponse(1, "Why?", 2);
  }
  return world;
}

// The world, its saved file, and the file's bytes, made once per run.
struct BenchData {
  BenchData() : world(BuildWorld()), path(BenchPath("world.rkm")) {
    world.Save(path.c_str());
    FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    size = static_cast<std::size_t>(std::ftell(file));
    std::fseek(file, 0, SEEK_SET);
    bytes.reset(new char[size]);
    if (std::fread(bytes.get(), 1, size, file) != size) std::abort();
    std::fclose(file);
  }
  ~BenchData() { std::remove(path.c_str()); }
  RkWorld world;
  std::string path;
  std::size_t size = 0;
  std::unique_ptr<char[]> bytes;
};

BenchData& Data() {
  static BenchData data;
  return data;
}

// Wall-clock and CPU seconds (user and system, this thread) of one action. On a
// shared machine the CPU figures show the work done, the wall figures also the
// waiting for other processes and for the disk.
struct Seconds {
  double wall = 0;
  double cpu = 0;
};

// Per-iteration times of one action: totals, and the best run, which is what
// remains of the action once the other processes' noise is taken away.
struct Timings {
  Seconds total;
  Seconds best{1e30, 1e30};
  void Add(const Seconds& run) {
    total.wall += run.wall;
    total.cpu += run.cpu;
    best.wall = std::min(best.wall, run.wall);
    best.cpu = std::min(best.cpu, run.cpu);
  }
};

double ThreadCpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

template <typename Action>
Seconds SecondsOf(Action action) {
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = ThreadCpuSeconds();
  action();
  Seconds seconds;
  seconds.cpu = ThreadCpuSeconds() - cpuStart;
  seconds.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  return seconds;
}

void RawRead(const std::string& path, char* block) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  while (::read(fd, block, kBlock) > 0) {
  }
  ::close(fd);
}

void RawWrite(const std::string& path, const char* bytes, std::size_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  for (std::size_t done = 0; done < size;) {
    const std::size_t part = size - done < kBlock ? size - done : kBlock;
    done += static_cast<std::size_t>(::write(fd, bytes + done, part));
  }
  ::close(fd);
}

// Throughputs of all runs, and the ratios of own to raw throughput: over all
// runs (wall clock), and of the best runs (wall clock and CPU time).
void ReportRatio(benchmark::State& state, const std::string& raw, const Timings& rawTimes,
                 const std::string& own, const Timings& ownTimes) {
  const double megabytes = static_cast<double>(Data().size) * static_cast<double>(state.iterations()) / 1e6;
  state.counters[raw + "_MBps"] = megabytes / rawTimes.total.wall;
  state.counters[own + "_MBps"] = megabytes / ownTimes.total.wall;
  const std::string ratio = own + "_vs_" + raw;
  state.counters[ratio] = rawTimes.total.wall / ownTimes.total.wall;
  state.counters[ratio + "_best"] = rawTimes.best.wall / ownTimes.best.wall;
  state.counters[ratio + "_best_cpu"] = rawTimes.best.cpu / ownTimes.best.cpu;
  state.SetBytesProcessed(static_cast<int64_t>(Data().size) * state.iterations());
}

void BM_WorldLoad(benchmark::State& state) {
  BenchData& data = Data();
  std::unique_ptr<char[]> block(new char[kBlock]);
  RawRead(data.path, block.get());  // into the page cache
  Timings rawTimes;
  Timings loadTimes;
  for (auto _ : state) {
    rawTimes.Add(SecondsOf([&] { RawRead(data.path, block.get()); }));
    RkWorld world;
    const Seconds seconds = SecondsOf([&] { world.Load(data.path.c_str()); });
    loadTimes.Add(seconds);
    state.SetIterationTime(seconds.wall);
    if (world.GetNPCCount() != kNPCs) state.SkipWithError("the world did not load whole");
  }
  ReportRatio(state, "raw_read", rawTimes, "load", loadTimes);
}

void BM_WorldSave(benchmark::State& state) {
  BenchData& data = Data();
  const std::string rawPath = BenchPath("raw.rkm");
  const std::string savePath = BenchPath("saved.rkm");
  Timings rawTimes;
  Timings saveTimes;
  for (auto _ : state) {
    // Each write starts with no dirty pages, so neither pays for the other's writeback.
    ::sync();
    rawTimes.Add(SecondsOf([&] { RawWrite(rawPath, data.bytes.get(), data.size); }));
    ::sync();
    const Seconds seconds = SecondsOf([&] { data.world.Save(savePath.c_str()); });
    saveTimes.Add(seconds);
    state.SetIterationTime(seconds.wall);
  }
  std::remove(rawPath.c_str());
  std::remove(savePath.c_str());
  ReportRatio(state, "raw_write", rawTimes, "save", saveTimes);
}

BENCHMARK(BM_WorldLoad)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorldSave)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
