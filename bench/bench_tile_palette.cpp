// The tile palette over a working folder of many small images (the argument:
// how many, spread over a few folders): opening it through View > Tile Palette
// (the listing of the tree), the editor frame right after (the thumbnails in
// view decoded into the texture cache, none cached before), and a frame with
// the palette open once they are. Offscreen, on the software renderer.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "BenchEditorFolder.h"
#include "RkTextureCache.h"

namespace {

constexpr const char* kImageFolders[] = {"tiles/grass", "tiles/stone", "tiles/water", "objects", "characters"};
constexpr int kImageSide = 32;

// A 32 by 32 image with a pattern of its own, so that it compresses and
// decodes like a drawn tile rather than a flat one.
void SaveDistinctImage(const std::string& path, int index) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, kImageSide, kImageSide, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < kImageSide; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < kImageSide; ++x) {
      const Uint8 shade = static_cast<Uint8>((x * 7 + y * 13 + index * 31) ^ (x * y + index));
      row[x] = SDL_MapRGB(surface->format, shade, static_cast<Uint8>(index * 5), static_cast<Uint8>(255 - shade));
    }
  }
  IMG_SavePNG(surface, path.c_str());
  SDL_FreeSurface(surface);
}

// The common editor start (its folder holds grass.png) with count more images
// dealt out over kImageFolders.
class PaletteBench : public BenchEditorFolder {
 public:
  explicit PaletteBench(int count) : BenchEditorFolder("/tmp/rk_bench_palette_XXXXXX") {
    for (const char* name : kImageFolders) std::filesystem::create_directories(name);
    constexpr int kFolderCount = static_cast<int>(std::size(kImageFolders));
    for (int i = 0; i < count; ++i) {
      SaveDistinctImage(std::string(kImageFolders[i % kFolderCount]) + "/tile" + std::to_string(i) + ".png", i);
    }
    // The panel reads its preview on its first frame: done here, so that no
    // figure below holds it.
    engine->DrawFrame();
  }

  RkTilePalette& Palette() { return engine->GetTilePalette(); }

  // View > Tile Palette, from closed.
  void OpenPalette() {
    if (Palette().IsOpen()) std::abort();
    engine->HandleMenuCommand(RkEngine::CommandViewTilePalette);
  }

  // Closed, and its thumbnails gone from the cache too, so that the next open
  // decodes them as the first open of a session does.
  void ClosePaletteCold() {
    Palette().Close();
    RkTextureCache::Instance().Trim();
  }

  size_t ListedImages() {
    size_t count = 0;
    for (const RkTilePalette::Folder& folder : Palette().GetFolders()) count += folder.images.size();
    return count;
  }
};

void BM_OpenTilePalette(benchmark::State& state) {
  PaletteBench bench(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    bench.ClosePaletteCold();
    state.ResumeTiming();
    bench.OpenPalette();
  }
  state.counters["images"] = static_cast<double>(bench.ListedImages());
}
BENCHMARK(BM_OpenTilePalette)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

// decoded: thumbnails read per first frame, those in the window's view.
void BM_FirstFrameAfterOpening(benchmark::State& state) {
  PaletteBench bench(static_cast<int>(state.range(0)));
  const RkTextureCache& cache = RkTextureCache::Instance();
  size_t decoded = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.ClosePaletteCold();
    bench.OpenPalette();
    const size_t decodesBefore = cache.DecodeCount();
    state.ResumeTiming();
    bench.engine->DrawFrame();
    state.PauseTiming();
    decoded += cache.DecodeCount() - decodesBefore;
    state.ResumeTiming();
  }
  if (decoded == 0) std::abort();  // the frame would measure no thumbnails at all
  state.counters["decoded"] = static_cast<double>(decoded) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FirstFrameAfterOpening)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_FrameWithPaletteOpen(benchmark::State& state) {
  PaletteBench bench(static_cast<int>(state.range(0)));
  bench.OpenPalette();
  bench.engine->DrawFrame();
  for (auto _ : state) {
    bench.engine->DrawFrame();
  }
}
BENCHMARK(BM_FrameWithPaletteOpen)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same editor frame without the palette, to set the figures above against.
void BM_FrameWithPaletteClosed(benchmark::State& state) {
  PaletteBench bench(static_cast<int>(state.range(0)));
  bench.engine->DrawFrame();
  for (auto _ : state) {
    bench.engine->DrawFrame();
  }
}
BENCHMARK(BM_FrameWithPaletteClosed)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
