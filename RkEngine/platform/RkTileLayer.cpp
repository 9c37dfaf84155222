// The cached tile pass: one render-target texture, redrawn only when its view changes.
#include "RkTileLayer.h"

#include <SDL.h>

bool RkTileLayer::View::operator==(const View& other) const {
  return translateX == other.translateX && translateY == other.translateY && scale == other.scale &&
         width == other.width && height == other.height && tileChanges == other.tileChanges &&
         imageChanges == other.imageChanges;
}

RkTileLayer::~RkTileLayer() { Release(); }

void RkTileLayer::Release() {
  if (texture != nullptr) SDL_DestroyTexture(texture);
  texture = nullptr;
  textureWidth = 0;
  textureHeight = 0;
  drawnValid = false;
}

bool RkTileLayer::FitTexture(SDL_Renderer* device, int width, int height) {
  if (texture != nullptr && textureWidth == width && textureHeight == height) return true;
  Release();
  if (width <= 0 || height <= 0 || !SDL_RenderTargetSupported(device)) return false;
  texture = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (texture == nullptr) return false;
  // Copied over the cleared frame as it is: the layer is opaque black where no tile lies.
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  textureWidth = width;
  textureHeight = height;
  return true;
}

// The layer starts from the same black the frame does, so the tiles blend into
// it exactly as they would have into the frame.
bool RkTileLayer::Redraw(SDL_Renderer* device, const std::function<void()>& drawTiles) {
  SDL_Texture* previous = SDL_GetRenderTarget(device);
  if (SDL_SetRenderTarget(device, texture) != 0) return false;
  const bool cleared = SDL_SetRenderDrawColor(device, 0, 0, 0, 255) == 0 && SDL_RenderClear(device) == 0;
  if (cleared) drawTiles();
  SDL_SetRenderTarget(device, previous);
  return cleared;
}

bool RkTileLayer::Show(SDL_Renderer* device, const View& view, const std::function<void()>& drawTiles) {
  if (!FitTexture(device, view.width, view.height)) return false;
  if (!drawnValid || !(drawn == view)) {
    drawnValid = false;
    if (!Redraw(device, drawTiles)) return false;
    drawn = view;
    drawnValid = true;
  }
  const SDL_Rect whole{0, 0, textureWidth, textureHeight};
  return SDL_RenderCopy(device, texture, &whole, &whole) == 0;
}
