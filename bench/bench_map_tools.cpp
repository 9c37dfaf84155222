// The canvas tools on large maps: a fill of all 1,048,576 cells of a 1024 by
// 1024 map and its undo, a 512 by 512 rectangle, a 256 by 256 paste, and one
// editor frame while a paste's preview follows the mouse at 100 %. The edits are
// timed on the map document (the canvas's sprites told through a listener that
// does nothing), and once more with the canvas's sprites redrawn, to show what
// a whole-map redraw costs on top. history_MB is the undo memory of the step.
#include <benchmark/benchmark.h>

#include "BenchEditorFolder.h"

namespace {

constexpr int kLargeMap = 1024;

class BenchTools : public BenchEditorFolder {
 public:
  // A map of walls (grass for open: cells the overlay leaves bare); withSprites:
  // the canvas's sprites follow the map (all of them registered).
  explicit BenchTools(int mapSize, bool withSprites = false, bool open = false)
      : BenchEditorFolder("/tmp/rk_bench_tools_XXXXXX") {
    SaveTileImage("wall.png", 160, 60, 60);
    if (!withSprites) engine->GetMapDocument().SetChangeListener([](const RkMapDocument::Change&) {});
    RkWorld& world = engine->GetWorld();
    world.Grow(mapSize - 1, mapSize - 1);
    for (int x = 0; x < mapSize; ++x) {
      for (int y = 0; y < mapSize; ++y) {
        world.SetTileType(x, y, open ? TileOpen : TileImpassable);
        world.SetTileImageFile(x, y, open ? "grass.png" : "wall.png");
      }
    }
    if (withSprites) engine->GetMapDocument().Notify({RkMapDocument::Change::Kind::WholeMap, 0, 0});
  }

  RkMapTools& Tools() { return engine->GetMapTools(); }
  RkMapDocument& Document() { return engine->GetMapDocument(); }

  // A press and release of the tools at canvas pixels, as one stroke.
  void Press(int fromX, int fromY, int toX, int toY) {
    Document().BeginStroke();
    Tools().Hold(fromX, fromY);
    Tools().Hold(toX, toY);
    Tools().Release();
    Document().EndStroke();
  }
  void Use(RkMapEditor::Tool tool) { engine->GetMapEditor().SetTool(tool); }
  double HistoryMB() { return static_cast<double>(engine->GetMapHistory().GetByteSize()) / (1 << 20); }
};

void BM_FillOfAMillionCells(benchmark::State& state) {
  BenchTools bench(kLargeMap);
  bench.Use(RkMapEditor::Tool::Fill);
  for (auto _ : state) {
    bench.Press(5, 5, 5, 5);
    state.PauseTiming();
    state.counters["history_MB"] = bench.HistoryMB();
    bench.engine->GetMapHistory().Undo();
    state.ResumeTiming();
  }
  state.counters["cells"] = kLargeMap * kLargeMap;
}
BENCHMARK(BM_FillOfAMillionCells)->Unit(benchmark::kMillisecond)->Iterations(5);

// Only the undo is timed; the fill before each is not.
void TimeUndosOfAFill(benchmark::State& state, bool withCanvas) {
  BenchTools bench(kLargeMap, withCanvas);
  bench.Use(RkMapEditor::Tool::Fill);
  for (auto _ : state) {
    state.PauseTiming();
    bench.Press(5, 5, 5, 5);
    state.ResumeTiming();
    bench.engine->GetMapHistory().Undo();
  }
}

void BM_UndoOfAFillOfAMillionCells(benchmark::State& state) { TimeUndosOfAFill(state, false); }
BENCHMARK(BM_UndoOfAFillOfAMillionCells)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same fill and undo with the canvas's sprites redrawn for the whole map.
void BM_FillOfAMillionCellsWithTheCanvas(benchmark::State& state) {
  BenchTools bench(kLargeMap, true);
  bench.Use(RkMapEditor::Tool::Fill);
  for (auto _ : state) {
    bench.Press(5, 5, 5, 5);
    state.PauseTiming();
    bench.engine->GetMapHistory().Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FillOfAMillionCellsWithTheCanvas)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_UndoOfAFillOfAMillionCellsWithTheCanvas(benchmark::State& state) { TimeUndosOfAFill(state, true); }
BENCHMARK(BM_UndoOfAFillOfAMillionCellsWithTheCanvas)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RectangleOf512By512(benchmark::State& state) {
  BenchTools bench(kLargeMap);
  bench.Use(RkMapEditor::Tool::Rectangle);
  for (auto _ : state) {
    bench.Press(5, 5, 511 * 32 + 5, 511 * 32 + 5);
    state.PauseTiming();
    state.counters["history_MB"] = bench.HistoryMB();
    bench.engine->GetMapHistory().Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RectangleOf512By512)->Unit(benchmark::kMillisecond)->Iterations(5);

// A 256 by 256 block of a patterned map pasted onto the wall.
void BM_PasteOf256By256(benchmark::State& state) {
  BenchTools bench(kLargeMap);
  RkWorld& world = bench.engine->GetWorld();
  for (int x = 0; x < 256; ++x) {
    for (int y = 0; y < 256; ++y) {
      world.SetTileType(x, y, (x + y) % 2 == 0 ? TileOpen : TileImpassable);
      world.SetTileImageFile(x, y, (x + y) % 2 == 0 ? "grass.png" : "wall.png");
    }
  }
  bench.Use(RkMapEditor::Tool::Select);
  bench.Press(5, 5, 255 * 32 + 5, 255 * 32 + 5);
  bench.Tools().Copy();
  for (auto _ : state) {
    bench.Tools().BeginPaste();
    bench.Press(300 * 32 + 5, 300 * 32 + 5, 300 * 32 + 5, 300 * 32 + 5);
    state.PauseTiming();
    state.counters["history_MB"] = bench.HistoryMB();
    bench.engine->GetMapHistory().Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PasteOf256By256)->Unit(benchmark::kMillisecond)->Iterations(5);

// One frame at 100 % on a 256 by 256 map of grass with its sprites while a paste
// follows the mouse one cell a frame: a block of 256 by 256 (its outline) and
// one of 16 by 16 (its images).
void BM_FrameWithAPastePreviewFollowingTheMouse(benchmark::State& state) {
  const int block = static_cast<int>(state.range(0));
  BenchTools bench(256, true, true);
  bench.Use(RkMapEditor::Tool::Select);
  bench.Press(5, 5, (block - 1) * 32 + 5, (block - 1) * 32 + 5);
  bench.Tools().Copy();
  bench.Tools().BeginPaste();
  int step = 0;
  for (auto _ : state) {
    bench.engine->PlaceCursor(400 + 32 * (step % 8), 200 + bench.engine->GetCanvasTop());
    bench.engine->HandleMapCanvas();
    bench.engine->DrawFrame();
    ++step;
  }
}
BENCHMARK(BM_FrameWithAPastePreviewFollowingTheMouse)->Arg(256)->Arg(16)->Unit(benchmark::kMillisecond);

// The same frame without a paste, for comparison.
void BM_FrameWithoutAPreview(benchmark::State& state) {
  BenchTools bench(256, true, true);
  int step = 0;
  for (auto _ : state) {
    bench.engine->PlaceCursor(400 + 32 * (step % 8), 200 + bench.engine->GetCanvasTop());
    bench.engine->HandleMapCanvas();
    bench.engine->DrawFrame();
    ++step;
  }
}
BENCHMARK(BM_FrameWithoutAPreview)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
