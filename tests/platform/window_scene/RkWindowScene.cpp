// Draws a small game scene through a real window (RkWindow + RkDirect3D on the
// display's own renderer) for a few seconds, so that a screenshot can be taken.
// Before the first present it reads the back buffer and checks the colour key,
// the fixed player, the view translation and the text; the exit code says
// whether they held (0) or not (1).
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "RkDirect3D.h"
#include "RkWindow.h"

namespace {

constexpr Uint32 kWhite = 0xFFFFFFFFu;
constexpr Uint32 kRed = 0xFF800000u;
constexpr Uint32 kGreen = 0xFF00A000u;
constexpr Uint32 kBlue = 0xFF2040E0u;
constexpr Uint32 kYellow = 0xFFFFFF00u;

template <typename ColorAt>
std::string SaveImage(const std::string& folder, const char* name, ColorAt colorAt) {
  SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < 32; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(image->pixels) + y * image->pitch);
    for (int x = 0; x < 32; ++x) row[x] = colorAt(x, y);
  }
  const std::string path = folder + "/" + name;
  IMG_SavePNG(image, path.c_str());
  SDL_FreeSurface(image);
  return path;
}

Uint32 ReadBack(SDL_Renderer* device, int x, int y) {
  Uint32 pixel = 0;
  const SDL_Rect one{x, y, 1, 1};
  SDL_RenderReadPixels(device, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  return pixel | 0xFF000000u;
}

bool Expect(const char* what, Uint32 actual, Uint32 expected) {
  if (actual == expected) return true;
  std::fprintf(stderr, "%s: 0x%08X, expected 0x%08X\n", what, actual, expected);
  return false;
}

bool HasTextPixel(SDL_Renderer* device) {
  for (int y = 400; y < 416; ++y) {
    for (int x = 10; x < 200; ++x) {
      if (ReadBack(device, x, y) == kYellow) return true;
    }
  }
  std::fprintf(stderr, "no yellow text pixel in {10, 400, 200, 416}\n");
  return false;
}

// Focus (10, 7) in a 640 by 480 view: world sprites move by (0, 16).
bool CheckBackBuffer(SDL_Renderer* device) {
  bool passed = Expect("tile, white half kept", ReadBack(device, 4, 20), kWhite);
  passed = Expect("tile, red half", ReadBack(device, 20, 20), kRed) && passed;
  passed = Expect("npc, white keyed away", ReadBack(device, 64 + 20, 80 + 4), kRed) && passed;
  passed = Expect("npc, green half", ReadBack(device, 64 + 20, 80 + 28), kGreen) && passed;
  passed = Expect("player, centre", ReadBack(device, 336, 256), kBlue) && passed;
  passed = Expect("player, white keyed away", ReadBack(device, 350, 241), kRed) && passed;
  return HasTextPixel(device) && passed;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
  const std::string tile = SaveImage(folder, "tile.png", [](int x, int) { return x < 16 ? kWhite : kRed; });
  const std::string npc = SaveImage(folder, "npc.png", [](int, int y) { return y < 16 ? kWhite : kGreen; });
  const std::string player = SaveImage(folder, "player.png", [](int x, int y) {
    return (x - 16) * (x - 16) + (y - 16) * (y - 16) < 100 ? kBlue : kWhite;
  });

  RkWindow window;
  window.Create(640, 480);
  RkDirect3D renderer(RkProgram::Game);
  renderer.Initialize(window);
  for (int x = 0; x < 20; ++x) {
    for (int y = 0; y < 15; ++y) renderer.AddSprite(tile.c_str(), 32.0f * x, 32.0f * y, 0, 0);
  }
  renderer.AddSprite(npc.c_str(), 64.0f, 64.0f, 0, 1);
  renderer.AddSprite(player.c_str(), 320.0f, 240.0f, 1, 0);
  renderer.AddText("Ember Hollow window check", 10, 400, 20, 404, kYellow);

  bool checked = false;
  bool passed = false;
  renderer.SetOverlay([&] {
    if (checked) return;
    passed = CheckBackBuffer(renderer.GetDevice());
    checked = true;
  });
  const Uint32 end = SDL_GetTicks() + static_cast<Uint32>(seconds) * 1000;
  while (!SDL_TICKS_PASSED(SDL_GetTicks(), end) && !window.CloseRequested()) {
    window.PumpMessages();
    renderer.RenderFrame(nullptr, 640, 480, 10, 7);
    SDL_Delay(15);
  }
  std::fprintf(stderr, "back buffer checks %s\n", passed ? "passed" : "failed");
  return passed ? 0 : 1;
}
