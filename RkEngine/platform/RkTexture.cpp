// A shared texture: freed with the last sprite that holds it, unless its
// renderer went first and freed it already.
#include "RkTexture.h"

#include <SDL.h>

namespace {
long liveTextures = 0;
}

RkTexture::RkTexture(SDL_Renderer* owner, SDL_Texture* texture) : owner(owner), texture(texture) {
  if (texture != nullptr) ++liveTextures;
}

RkTexture::~RkTexture() {
  if (texture == nullptr) return;
  SDL_DestroyTexture(texture);
  --liveTextures;
}

void RkTexture::Detach() {
  if (texture == nullptr) return;
  texture = nullptr;
  owner = nullptr;
  --liveTextures;
}

long RkTexture::LiveCount() { return liveTextures; }
