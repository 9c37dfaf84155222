// A shared texture: freed with the last sprite that holds it, unless its
// renderer went first and freed it already.
#include "RkTexture.h"

#include <SDL.h>

#include <utility>

namespace {
long liveTextures = 0;
uint64_t pixelChanges = 0;
}

RkTexture::RkTexture(SDL_Renderer* owner, SDL_Texture* texture) : RkTexture(owner, texture, Source{}) {}

RkTexture::RkTexture(SDL_Renderer* owner, SDL_Texture* texture, Source source)
    : owner(owner), texture(texture), source(std::move(source)) {
  if (texture != nullptr) ++liveTextures;
}

RkTexture::~RkTexture() {
  if (texture == nullptr) return;
  SDL_DestroyTexture(texture);
  --liveTextures;
}

void RkTexture::Detach() {
  ++pixelChanges;
  variant.reset();
  variantWidth = 0;
  variantHeight = 0;
  if (texture == nullptr) return;
  texture = nullptr;
  owner = nullptr;
  --liveTextures;
}

void RkTexture::Replace(SDL_Texture* fresh) {
  if (owner == nullptr) {
    // Detached: the renderer is gone and the new image with it.
    if (fresh != nullptr) SDL_DestroyTexture(fresh);
    return;
  }
  ++pixelChanges;
  if (texture != nullptr) {
    SDL_DestroyTexture(texture);
    --liveTextures;
  }
  texture = fresh;
  if (texture != nullptr) ++liveTextures;
  if (texture != nullptr && source.asIs) SDL_QueryTexture(texture, nullptr, nullptr, &source.width, &source.height);
  // A smaller copy of the old pixels (or the lack of one) no longer holds.
  variant.reset();
  variantWidth = 0;
  variantHeight = 0;
}

void RkTexture::SetVariant(int width, int height, std::shared_ptr<RkTexture> smaller) {
  variant = std::move(smaller);
  variantWidth = width;
  variantHeight = height;
}

long RkTexture::LiveCount() { return liveTextures; }

uint64_t RkTexture::ChangeCount() { return pixelChanges; }
