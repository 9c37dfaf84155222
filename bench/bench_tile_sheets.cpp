// Tile sheets against whole images, in the game, offscreen: a 256 by 256 map
// that draws 10,000 distinct cells of 20 sheets, and the same map drawn with the
// 20 sheet files used as 20 whole images. Each iteration is a game start to its
// first picture (the world handed to a fresh game, its scene built, one frame
// drawn), every image decoded afresh; and one frame of the running game. Counters: the cache's texture bytes, and
// the sheets' decoded size (what one texture per sheet should come to).
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchSteppedClock.h"
#include "EmberHollow.h"
#include "RkSheetCell.h"
#include "RkTextureCache.h"

namespace {

constexpr int kSide = 256;
constexpr int kSheets = 20;
constexpr int kDistinctCells = 10000;
constexpr int kColumns = 23;  // 23 by 22 cells of 32: 506 cells a sheet
constexpr int kRows = 22;
constexpr int kCell = 32;

std::string SheetName(int sheet) { return "sheets/sheet" + std::to_string(sheet) + ".png"; }

// Cells with patterns of their own, so the files compress and decode like art.
void SaveSheet(const std::string& path, int seed) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, kColumns * kCell, kRows * kCell, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < surface->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
      const int cell = (x / kCell) * 31 + (y / kCell) * 17 + seed * 7;
      const Uint8 shade = static_cast<Uint8>((x * 5 + y * 3 + cell) ^ (x * y));
      row[x] = SDL_MapRGB(surface->format, shade, static_cast<Uint8>(cell * 9), static_cast<Uint8>(255 - shade));
    }
  }
  IMG_SavePNG(surface, path.c_str());
  SDL_FreeSurface(surface);
}

class SheetFolder {
 public:
  SheetFolder()
      : folder((std::filesystem::temp_directory_path() / ("ember_hollow_sheets_" + std::to_string(getpid())))
                   .string()) {
    std::filesystem::create_directories(folder + "/sheets");
    std::filesystem::copy(std::string(RK_SOURCE_DIR) + "/demo/images", folder + "/images",
                          std::filesystem::copy_options::recursive);
    for (int sheet = 0; sheet < kSheets; ++sheet) SaveSheet(folder + "/" + SheetName(sheet), sheet);
    RkWorld start;
    start.Grow(0, 0);
    start.Save((folder + "/" + EmberHollow::kWorldFile).c_str());
  }
  ~SheetFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  const std::string folder;
};

// Cell (x, y) shows distinct cell (x * 256 + y) mod 10,000: of sheet (index mod
// 20), or that sheet as a whole image.
RkWorld MakeWorld(bool cells) {
  RkWorld world;
  world.Grow(kSide - 1, kSide - 1);
  for (int x = 0; x < kSide; ++x) {
    for (int y = 0; y < kSide; ++y) {
      const int index = (x * kSide + y) % kDistinctCells;
      const int sheet = index % kSheets;
      const int cell = index / kSheets;
      world.SetTileType(x, y, TileOpen);
      const std::string image =
          cells ? RkSheetCell::Compose(SheetName(sheet), cell % kColumns, cell / kColumns, kCell) : SheetName(sheet);
      world.SetTileImageFile(x, y, image.c_str());
    }
  }
  return world;
}

void StartToFirstPicture(benchmark::State& state, bool cells) {
  static SheetFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.folder);
  const RkWorld world = MakeWorld(cells);
  size_t textureBytes = 0;
  for (auto _ : state) {
    BenchSteppedClock clock;
    auto game = std::make_unique<EmberHollow>();
    game->Start(clock, GameTarget::Offscreen);
    game->GetWorld() = world;
    game->GetRenderer().ClearSprites();
    game->BuildScene();
    game->RunPass(clock);
    textureBytes = RkTextureCache::Instance().TextureBytes();
    state.PauseTiming();
    game.reset();  // the renderer takes its textures: the next start decodes afresh
    state.ResumeTiming();
  }
  state.counters["texture_MB"] = textureBytes / 1e6;
  state.counters["sheets_decoded_MB"] = kSheets * kColumns * kCell * kRows * kCell * 4 / 1e6;
  std::filesystem::current_path(previous);
}

// One frame of the started game: 20 by 15 cells in view, each a cell of a
// sheet drawn from the sheet's texture, or a whole 32 by 32 texture.
void FrameOnMap(benchmark::State& state, bool cells) {
  static SheetFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.folder);
  BenchSteppedClock clock;
  auto game = std::make_unique<EmberHollow>();
  game->Start(clock, GameTarget::Offscreen);
  game->GetWorld() = MakeWorld(cells);
  game->GetRenderer().ClearSprites();
  game->BuildScene();
  for (auto _ : state) game->RunPass(clock);
  game.reset();
  std::filesystem::current_path(previous);
}

void BM_FrameWithSheetCells(benchmark::State& state) { FrameOnMap(state, true); }
void BM_FrameWithWholeImages(benchmark::State& state) { FrameOnMap(state, false); }
BENCHMARK(BM_FrameWithSheetCells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameWithWholeImages)->Unit(benchmark::kMicrosecond);

void BM_StartWithSheetCells(benchmark::State& state) { StartToFirstPicture(state, true); }
void BM_StartWithWholeImages(benchmark::State& state) { StartToFirstPicture(state, false); }
BENCHMARK(BM_StartWithSheetCells)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_StartWithWholeImages)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
