// Editor costs per pass: painting a stroke of cells that grows the map at every
// new column, repainting one cell of a large map, and one frame of the editor
// (map, menu bar and the map editor panel through ImGui) on the offscreen
// software renderer. The editor draws one frame per pass of its loop.
#include <benchmark/benchmark.h>

#include "BenchEditorFolder.h"

namespace {

// The common editor start, with a click and a painted block of its own.
class BenchEditor : public BenchEditorFolder {
 public:
  BenchEditor() : BenchEditorFolder("/tmp/rk_bench_editor_XXXXXX") {}

  void Press(int canvasX, int canvasY) {
    RkMouseState mouse{};
    mouse.rgbButtons[0] = RK_KEY_DOWN;
    engine->GetInput().SetMouseState(mouse);
    engine->PlaceCursor(canvasX, canvasY + engine->GetCanvasTop());
    engine->HandleMapCanvas();
  }

  // Paints a width by height block with the camera moved along, so that every
  // click lands at the same canvas spot.
  void PaintBlock(int width, int height) {
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        engine->GetCamera().SetPosition(x, y);
        Press(600, 100);
      }
    }
    engine->GetCamera().SetPosition(0, 0);
  }
};

// A stroke of 32 cells to the right on a map of 32 rows: each cell adds a column.
void BM_PaintStrokeGrowingTheMap(benchmark::State& state) {
  int width = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BenchEditor editor;
    editor.PaintBlock(1, 32);
    state.ResumeTiming();
    for (int x = 1; x <= 32; ++x) {
      editor.engine->GetCamera().SetPosition(x, 0);
      editor.Press(600, 100);
    }
    state.PauseTiming();
    width = editor.engine->GetWorld().GetWidth();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 32);
  state.counters["width"] = width;
}
BENCHMARK(BM_PaintStrokeGrowingTheMap)->Unit(benchmark::kMillisecond);

// Repainting one cell of a 128 by 128 map (16,384 tile sprites): the cell's old
// sprite is found by its view position and replaced.
void BM_RepaintOneCellOfALargeMap(benchmark::State& state) {
  BenchEditor editor;
  editor.PaintBlock(128, 128);
  for (auto _ : state) {
    editor.Press(600, 100);
  }
  state.counters["sprites"] = static_cast<double>(editor.engine->GetRenderer().CopySpriteList().size());
}
BENCHMARK(BM_RepaintOneCellOfALargeMap)->Unit(benchmark::kMicrosecond);

// One editor frame: a full canvas of painted cells (28 by 21), the menu bar and
// the map editor panel with its previews.
void BM_EditorFrameWithPanel(benchmark::State& state) {
  BenchEditor editor;
  editor.PaintBlock(28, 21);
  for (auto _ : state) {
    editor.engine->DrawFrame();
  }
}
BENCHMARK(BM_EditorFrameWithPanel)->Unit(benchmark::kMillisecond);

// A map of width by height cells of grass: mostly Open, with Impassable and New
// Area cells and a few NPCs, so that every overlay layer has something to draw.
void FillMapForOverlays(BenchEditor& editor, int width, int height) {
  editor.FillMap(width, height, [](int x, int y) {
    const int kind = (x * 7 + y) % 13 == 0 ? TileNewArea : ((x + y) % 7 == 0 ? TileImpassable : TileOpen);
    return BenchEditor::Cell{kind, "grass.png"};
  });
  RkWorld& world = editor.engine->GetWorld();
  for (int i = 0; i < 20; ++i) world.SetNPC("Bob", (i * 37) % width, (i * 11) % height, "grass.png", 1 + i % 2);
}

// The frames below: the map of the benchmark's first two arguments, zoomed to
// its third (in percent) about the canvas's corner, the cursor on the canvas.
void PrepareFrame(BenchEditor& editor, const benchmark::State& state) {
  FillMapForOverlays(editor, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  editor.engine->GetView().SetZoomAbout(static_cast<float>(state.range(2)) / 100.0f, 0, 0);
  editor.engine->PlaceCursor(600, 300);
}

// One editor frame with every overlay on, the panel open and the cursor on the
// canvas: arguments are the map's side lengths and the zoom in percent.
void BM_EditorFrameWithOverlays(benchmark::State& state) {
  BenchEditor editor;
  PrepareFrame(editor, state);
  for (auto _ : state) {
    editor.engine->DrawFrame();
  }
}
BENCHMARK(BM_EditorFrameWithOverlays)
    ->Args({20, 15, 100})
    ->Args({512, 512, 100})
    ->Args({512, 512, 25})
    ->Unit(benchmark::kMillisecond);

// The same frame with Grid, Cell Kinds and Links and NPCs turned off: what the
// overlays add to it.
void BM_EditorFrameWithoutOverlays(benchmark::State& state) {
  BenchEditor editor;
  PrepareFrame(editor, state);
  for (const int command : {RkEngine::CommandViewGrid, RkEngine::CommandViewCellKinds, RkEngine::CommandViewLinks}) {
    editor.engine->HandleMenuCommand(command);
  }
  for (auto _ : state) {
    editor.engine->DrawFrame();
  }
}
BENCHMARK(BM_EditorFrameWithoutOverlays)->Args({512, 512, 100})->Args({512, 512, 25})->Unit(benchmark::kMillisecond);

// The frame with every overlay on while the view moves a pixel each frame (a
// drag): nothing drawn before can be reused, so every visible tile is drawn again.
void BM_EditorFrameWhilePanning(benchmark::State& state) {
  BenchEditor editor;
  PrepareFrame(editor, state);
  int step = 1;
  for (auto _ : state) {
    editor.engine->GetView().PanBy(step, 0);
    step = -step;
    editor.engine->DrawFrame();
  }
}
BENCHMARK(BM_EditorFrameWhilePanning)->Args({512, 512, 100})->Args({512, 512, 25})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
