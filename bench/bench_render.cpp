// Renderer costs: one frame over a 256 by 256 map beside the same frame over a
// 20 by 15 map (both with 500 NPCs in view), and the game step's erase and
// re-add of one NPC sprite. Runs on the offscreen software renderer.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "RkDirect3D.h"
#include "RkTexture.h"
#include "RkTextureCache.h"

namespace {

constexpr int kNpcCount = 500;

// Four tile images and four character images, made once per run.
class BenchImages {
 public:
  BenchImages() {
    char pattern[] = "/tmp/rk_bench_XXXXXX";
    folder = mkdtemp(pattern);
    for (int index = 0; index < 4; ++index) {
      tiles.push_back(Save("tile" + std::to_string(index) + ".png", 0xFF204000u + 0x30 * index, false));
      characters.push_back(Save("npc" + std::to_string(index) + ".png", 0xFF800000u + 0x3000 * index, true));
    }
  }
  ~BenchImages() { std::system(("rm -rf '" + folder + "'").c_str()); }

  std::vector<std::string> tiles;
  std::vector<std::string> characters;

 private:
  std::string Save(const std::string& name, uint32_t color, bool whiteBorder) const {
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < 32; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(image->pixels) + y * image->pitch);
      for (int x = 0; x < 32; ++x) {
        const bool border = x < 4 || y < 4 || x >= 28 || y >= 28;
        row[x] = whiteBorder && border ? 0xFFFFFFFFu : color;
      }
    }
    const std::string path = folder + "/" + name;
    IMG_SavePNG(image, path.c_str());
    SDL_FreeSurface(image);
    return path;
  }
  std::string folder;
};

// Resident memory of the process in kilobytes (Linux).
long ResidentKilobytes() {
  long pages = 0;
  long resident = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
  std::fclose(statm);
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

BenchImages& Images() {
  static BenchImages images;
  return images;
}

// A map of width by height tiles and kNpcCount NPCs inside the 20 by 15 cells
// around the focus, so that both maps show the same NPCs.
std::unique_ptr<RkDirect3D> MakeScene(int width, int height) {
  auto renderer = std::make_unique<RkDirect3D>(RkProgram::Game);
  renderer->InitializeOffscreen(640, 480);
  const BenchImages& images = Images();
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      renderer->AddSprite(images.tiles[(x + y) % 4].c_str(), 32.0f * x, 32.0f * y, 0, 0);
    }
  }
  for (int npc = 0; npc < kNpcCount; ++npc) {
    renderer->AddSprite(images.characters[npc % 4].c_str(), 32.0f * (npc % 20), 32.0f * ((npc / 20) % 15), 0, 1);
  }
  renderer->AddSprite(images.characters[0].c_str(), 320.0f, 240.0f, 1, 0);
  return renderer;
}

void RenderFrameOnMap(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  auto renderer = MakeScene(width, height);
  for (auto _ : state) {
    renderer->RenderFrame(nullptr, 640, 480, 10, 7);
    benchmark::DoNotOptimize(renderer->ReadPixel(320, 240));
  }
  state.counters["sprites"] = static_cast<double>(renderer->GetSprites().size());
}
BENCHMARK(RenderFrameOnMap)->Args({20, 15})->Args({256, 256})->Unit(benchmark::kMillisecond);

// One NPC's share of a game step: erase its sprite, add it again one cell on.
void ReaddNpcSprite(benchmark::State& state) {
  auto renderer = MakeScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const BenchImages& images = Images();
  const size_t decodesBefore = RkTextureCache::Instance().DecodeCount();
  const long texturesBefore = RkTexture::LiveCount();
  std::vector<float> column(kNpcCount);
  long residentBefore = 0;
  for (int npc = 0; npc < kNpcCount; ++npc) column[npc] = 32.0f * (npc % 20);
  int npc = 0;
  int step = 0;
  for (auto _ : state) {
    const float row = 32.0f * ((npc / 20) % 15);
    const float nextColumn = (step % 2 == 0) ? column[npc] + 32.0f : column[npc] - 32.0f;
    renderer->RemoveNpcSprites(column[npc], row);
    renderer->AddSprite(images.characters[npc % 4].c_str(), nextColumn, row, 0, 1);
    column[npc] = nextColumn;
    if (++npc == kNpcCount) {
      npc = 0;
      // The first round fills the allocator's free lists; growth is measured after it.
      if (++step == 1) residentBefore = ResidentKilobytes();
    }
  }
  if (step > 1) state.counters["resident_growth_kb"] = static_cast<double>(ResidentKilobytes() - residentBefore);
  state.counters["new_decodes"] = static_cast<double>(RkTextureCache::Instance().DecodeCount() - decodesBefore);
  state.counters["texture_change"] = static_cast<double>(RkTexture::LiveCount() - texturesBefore);
}
BENCHMARK(ReaddNpcSprite)->Args({20, 15})->Args({256, 256})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
