// The process's texture cache: one texture per renderer, file, size and colour
// key, handed to every sprite that asks for the same.
#include "RkTextureCache.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "RkImageLoader.h"

// Never destroyed: at exit (a fatal report's included) nothing is torn down,
// and no texture is freed behind a renderer's back.
RkTextureCache& RkTextureCache::Instance() {
  static RkTextureCache* cache = new RkTextureCache;
  return *cache;
}

std::string RkTextureCache::MakeKey(SDL_Renderer* renderer, const char* file, int width, int height,
                                    bool colorKey) {
  char settings[64];
  std::snprintf(settings, sizeof settings, "%p|%d|%d|%d|", static_cast<void*>(renderer), width, height,
                colorKey ? 1 : 0);
  return std::string(settings) + file;
}

std::shared_ptr<RkTexture> RkTextureCache::Acquire(SDL_Renderer* renderer, const char* file, int width,
                                                   int height, bool colorKey) {
  std::string key = MakeKey(renderer, file, width, height, colorKey);
  auto found = entries.find(key);
  if (found != entries.end()) return found->second;

  SDL_Surface* image = RkImageLoader::Load(file, width, height, colorKey);
  ++decodes;
  if (image == nullptr) return nullptr;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, image);
  SDL_FreeSurface(image);
  if (texture == nullptr) return nullptr;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);

  auto shared = std::make_shared<RkTexture>(renderer, texture);
  entries.emplace(std::move(key), shared);
  SweepWhenLarge();
  return shared;
}

void RkTextureCache::AdoptPlaceholder(SDL_Renderer* renderer, const char* file, int width, int height,
                                      bool colorKey) {
  constexpr int kSquare = 8;
  SDL_Surface* checker = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (checker == nullptr) return;
  const Uint32 magenta = SDL_MapRGB(checker->format, 255, 0, 255);
  const Uint32 black = SDL_MapRGB(checker->format, 0, 0, 0);
  for (int y = 0; y < height; y += kSquare) {
    for (int x = 0; x < width; x += kSquare) {
      const SDL_Rect square{x, y, kSquare, kSquare};
      SDL_FillRect(checker, &square, ((x + y) / kSquare) % 2 == 0 ? magenta : black);
    }
  }
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, checker);
  SDL_FreeSurface(checker);
  if (texture == nullptr) return;
  entries[MakeKey(renderer, file, width, height, colorKey)] = std::make_shared<RkTexture>(renderer, texture);
}

size_t RkTextureCache::IdleCount() const {
  return static_cast<size_t>(std::count_if(entries.begin(), entries.end(),
                                           [](const auto& entry) { return entry.second.use_count() == 1; }));
}

// Runs only after a decode, so the steady state (every re-add a hit) never pays for it.
void RkTextureCache::SweepWhenLarge() {
  if (entries.size() <= sweepThreshold) return;
  if (IdleCount() > kIdleLimit) Trim();
  sweepThreshold = std::max(kIdleLimit, entries.size() * 2);
}

void RkTextureCache::Trim() {
  for (auto entry = entries.begin(); entry != entries.end();) {
    if (entry->second.use_count() == 1) {
      entry = entries.erase(entry);
    } else {
      ++entry;
    }
  }
}

void RkTextureCache::ForgetRenderer(SDL_Renderer* renderer) {
  for (auto entry = entries.begin(); entry != entries.end();) {
    if (entry->second->GetOwner() == renderer) {
      entry->second->Detach();
      entry = entries.erase(entry);
    } else {
      ++entry;
    }
  }
}
