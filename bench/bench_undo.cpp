// Undo and redo on a 512 by 512 map whose every cell has an image: 1,000
// strokes of 10 cells each undone and redone (the memory the process grows by
// meanwhile), one undo and redo of a 10-cell stroke, and the undo of a growth to
// the left (the whole grid moves one column back).
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "RkEngine.h"
#include "RkMapDocument.h"
#include "RkNotice.h"

namespace {

constexpr int kMapSize = 512;

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  std::size_t resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void SaveImage(const char* name, Uint8 green) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 40, green, 40));
  IMG_SavePNG(surface, name);
  SDL_FreeSurface(surface);
}

// An editor offscreen in a scratch folder, its map 512 by 512 cells of grass
// with their sprites, the map editor panel open and "Open" checked.
class UndoBench {
 public:
  UndoBench() {
    char pattern[] = "/tmp/rk_bench_undo_XXXXXX";
    folder = mkdtemp(pattern);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    SaveImage("images_grass_tile.png", 160);
    SaveImage("images_moss_tile.png", 90);
    SetNoticeHandler([](const std::string&, const char*) {});
    engine = std::make_unique<RkEngine>();
    engine->InitializeOffscreen();
    engine->SetFileChooser([](const RkFileDialog::FilterList&, std::string& path) {
      path = "images_grass_tile.png";
      return true;
    });
    engine->HandleMenuCommand(RkEngine::CommandMapEditor);
    engine->GetMapEditor().Click(RkMapEditor::Button::LoadSprite);
    engine->PollMapEditor();
    engine->GetMapEditor().SetPaintingChoice(RkMapEditor::ChoiceOpen);
    RkWorld& world = engine->GetWorld();
    world.Grow(kMapSize - 1, kMapSize - 1);
    for (int x = 0; x < kMapSize; ++x) {
      for (int y = 0; y < kMapSize; ++y) {
        world.SetTileType(x, y, TileOpen);
        world.SetTileImageFile(x, y, "images_grass_tile.png");
      }
    }
    engine->GetMapDocument().Notify({RkMapDocument::Change::Kind::WholeMap, 0, 0});
    Release();
  }
  ~UndoBench() {
    engine.reset();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
  }

  void SetMouse(bool down, int canvasX, int canvasY) {
    RkMouseState mouse{};
    mouse.rgbButtons[0] = down ? RK_KEY_DOWN : 0;
    engine->GetInput().SetMouseState(mouse);
    engine->PlaceCursor(canvasX, canvasY + engine->GetCanvasTop());
    engine->HandleMapCanvas();
  }
  void Release() { SetMouse(false, 0, 0); }

  // Ten cells of one row in one stroke, in moss or grass so that each changes.
  void Stroke(int index) {
    const int row = index % 20;
    engine->GetMapEditor().SetTileImageFile((index / 20) % 2 == 0 ? "images_moss_tile.png" : "images_grass_tile.png");
    for (int x = 0; x < 10; ++x) SetMouse(true, x * 32 + 5, row * 32 + 5);
    Release();
  }

  RkEditHistory& History() { return engine->GetMapHistory(); }

  std::unique_ptr<RkEngine> engine;

 private:
  std::string folder;
  std::filesystem::path previous;
};

void BM_ThousandStrokesUndoneAndRedone(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    UndoBench bench;
    const std::size_t before = ResidentBytes();
    state.ResumeTiming();
    for (int i = 0; i < 1000; ++i) bench.Stroke(i);
    while (bench.History().Undo()) {
    }
    while (bench.History().Redo()) {
    }
    state.PauseTiming();
    state.counters["steps"] = static_cast<double>(bench.History().GetUndoCount());
    state.counters["history_MB"] = static_cast<double>(bench.History().GetByteSize()) / (1 << 20);
    state.counters["memory_growth_MB"] = (static_cast<double>(ResidentBytes()) - before) / (1 << 20);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ThousandStrokesUndoneAndRedone)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UndoAndRedoOfATenCellStroke(benchmark::State& state) {
  UndoBench bench;
  bench.Stroke(0);
  for (auto _ : state) {
    bench.History().Undo();
    bench.History().Redo();
  }
}
BENCHMARK(BM_UndoAndRedoOfATenCellStroke)->Unit(benchmark::kMicrosecond);

void BM_UndoOfAGrowthToTheLeft(benchmark::State& state) {
  UndoBench bench;
  for (auto _ : state) {
    state.PauseTiming();
    bench.engine->GetCamera().SetPosition(-1, 0);
    bench.SetMouse(true, 5, 5);
    bench.Release();
    state.ResumeTiming();
    bench.History().Undo();
  }
  state.counters["width"] = bench.engine->GetWorld().GetWidth();
}
BENCHMARK(BM_UndoOfAGrowthToTheLeft)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
