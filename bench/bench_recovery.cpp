// The recovery file of a 512 by 512 map (about 265 MB on disk) with 1,000 NPCs:
// the longest editor pass while a recovery write runs, beside the longest pass
// without one, and the snapshot that the loop takes for it. The pass is
// RunPass's parts (all but the window's events, which an offscreen editor has
// none of); the reported time of the pass benchmarks is the longest pass of the
// iteration (the mean over the iterations; longest_ms is the longest of all).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include "BenchEditorFolder.h"
#include "RkWorldSnapshot.h"

namespace {

constexpr int kSide = 512;
constexpr int kNPCs = 1000;
// Passes timed without a write: about as many as a write lasts.
constexpr int kPassesWithoutWrite = 120;

// An editor started offscreen in a scratch folder, the map panel open and a
// 512 by 512 map with 1,000 NPCs that holds two unsaved strokes, on a clock of
// the benchmark's own.
class BenchEditor : public BenchEditorFolder {
 public:
  // In /var/tmp: the recovery file is too large for a /tmp held in memory.
  BenchEditor() : BenchEditorFolder("/var/tmp/rk_bench_recovery_XXXXXX") {
    SaveTileImage("stone.png", 40, 160, 40);
    engine->SetClock([this] { return clock; });
    engine->GetMapEditor().SetMapName("World");
    FillMap(kSide, kSide, [](int x, int y) {
      return Cell{(x + y) % 7 == 0 ? TileImpassable : TileOpen, (x / 8 + y / 8) % 2 == 0 ? "grass.png" : "stone.png"};
    });
    AddNPCs();
    PaintOneCell(600, 300);
    PaintOneCell(632, 300);
    if (engine->GetMapHistory().IsAtSavedState()) std::abort();
  }

  // One pass, in milliseconds.
  double TimePass() {
    const auto start = std::chrono::steady_clock::now();
    engine->ReadInput();
    engine->PlaceCursor(600, 300);
    engine->PollMapEditor();
    engine->HandleMapCanvas();
    engine->HandleCanvasView();
    engine->HandleKeys();
    engine->DrawFrame();
    engine->KeepRecovery();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }

  double clock = 0.0;

 private:
  void AddNPCs() {
    RkWorld& world = engine->GetWorld();
    for (int i = 0; i < kNPCs; ++i) {
      world.SetNPC(("Villager " + std::to_string(i)).c_str(), i % kSide, i / kSide * 7,
                   "images/characters/villager.png", i % 2 == 0 ? NPCNormal : NPCStatic);
      world.GetNPC(static_cast<unsigned>(i)).AddDialogue(1, "Fine weather for the harvest, is it not?");
    }
  }

  // The button goes up after the dialog, then one click paints.
  void PaintOneCell(int x, int y) {
    engine->GetInput().SetMouseState(RkMouseState{});
    engine->PlaceCursor(0, 0);
    RkMouseState mouse{};
    mouse.rgbButtons[0] = RK_KEY_DOWN;
    engine->GetInput().SetMouseState(mouse);
    engine->PlaceCursor(x, y + engine->GetCanvasTop());
    engine->HandleMapCanvas();
    engine->GetInput().SetMouseState(RkMouseState{});
    engine->PlaceCursor(x, y + engine->GetCanvasTop());
    engine->HandleMapCanvas();
  }
};

// Each iteration: 30 s pass on the clock, the next pass starts the write, and
// the passes go on until it has finished.
void BM_LongestPassWhileRecoveryWrites(benchmark::State& state) {
  BenchEditor editor;
  editor.TimePass();
  int passes = 0;
  double longestOfAll = 0.0;
  for (auto _ : state) {
    editor.clock += RkRecoveryWriter::kInterval;
    // Each write must be of a new state of the map, or the writer skips it:
    // the second stroke is taken back and made again in turn.
    RkEditHistory& history = editor.engine->GetMapHistory();
    if (history.CanRedo()) {
      history.Redo();
    } else {
      history.Undo();
    }
    double longest = editor.TimePass();
    passes = 1;
    while (editor.engine->GetRecovery().IsWriting()) {
      longest = std::max(longest, editor.TimePass());
      ++passes;
    }
    longest = std::max(longest, editor.TimePass());
    state.SetIterationTime(longest / 1000.0);
    longestOfAll = std::max(longestOfAll, longest);
  }
  state.counters["longest_ms"] = longestOfAll;
  state.counters["passes"] = passes;
  state.counters["writes"] = editor.engine->GetRecovery().GetWriteCount();
}
BENCHMARK(BM_LongestPassWhileRecoveryWrites)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_LongestPassWithoutRecovery(benchmark::State& state) {
  BenchEditor editor;
  editor.TimePass();
  double longestOfAll = 0.0;
  for (auto _ : state) {
    double longest = 0.0;
    for (int pass = 0; pass < kPassesWithoutWrite; ++pass) longest = std::max(longest, editor.TimePass());
    state.SetIterationTime(longest / 1000.0);
    longestOfAll = std::max(longestOfAll, longest);
  }
  state.counters["longest_ms"] = longestOfAll;
}
BENCHMARK(BM_LongestPassWithoutRecovery)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// What the loop itself spends on a write: the snapshot of the world.
void BM_SnapshotOf512Map(benchmark::State& state) {
  BenchEditor editor;
  for (auto _ : state) {
    RkWorldSnapshot snapshot(editor.engine->GetWorld());
    benchmark::DoNotOptimize(snapshot);
  }
}
BENCHMARK(BM_SnapshotOf512Map)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
