// Image decoding for sprites: SDL2_image reads the file, the colour key is applied
// on the image as read (so a scaled edge never turns a keyed pixel grey), and a
// bilinear stretch brings it to the requested size.
#include "RkImageLoader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <string>

#include "RkPathResolver.h"

namespace {

SDL_Surface* ConvertToArgb(SDL_Surface* decoded) {
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(decoded);
  return converted;
}

SDL_Surface* StretchTo(SDL_Surface* source, int width, int height) {
  if (source->w == width && source->h == height) return source;
  SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (scaled != nullptr && SDL_SoftStretchLinear(source, nullptr, scaled, nullptr) != 0) {
    SDL_FreeSurface(scaled);
    scaled = nullptr;
  }
  SDL_FreeSurface(source);
  return scaled;
}

}  // namespace

SDL_Surface* RkImageLoader::Load(const char* file, int width, int height, bool colorKey) {
  if (file == nullptr || *file == '\0' || width <= 0 || height <= 0) return nullptr;
  // Maps made on Windows name their images as Windows finds them (any case, '\').
  SDL_Surface* decoded = IMG_Load(RkPathResolver::Instance().Resolve(file).c_str());
  if (decoded == nullptr) return nullptr;
  SDL_Surface* image = ConvertToArgb(decoded);
  if (image == nullptr) return nullptr;
  if (colorKey) ApplyColorKey(image);
  return StretchTo(image, width, height);
}

void RkImageLoader::ApplyColorKey(SDL_Surface* surface) {
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
      if (row[x] == 0xFFFFFFFFu) row[x] = 0x00000000u;
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}
