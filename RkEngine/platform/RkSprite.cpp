// Sprites: loading through the shared texture cache, copying, drawing.
#include "RkSprite.h"

#include <SDL.h>

#include "RkError.h"
#include "RkSdlError.h"
#include "RkTextureCache.h"

namespace {

// SDL_image's text says why: a file it could not open, a format it does not
// read, an image too large.
void ReportLoadFailure(const char* file, bool isCharacter) {
  const int line = isCharacter ? RkProgramLine(45, 42) : RkProgramLine(51, 48);
  ReportDirectXError(file, RK_D3DXERR_INVALIDDATA, RkSdlError::Text().c_str(), "RkSprite", line);
}

}  // namespace

RkSprite::RkSprite(SDL_Renderer* device, const char* file, int width, int height, const RkVector3& center,
                   const RkVector3& position, RkColor color, int isPlayer, int isNpc)
    : sourceRect{0, 0, width, height},
      center(center),
      position(position),
      color(color),
      isPlayer(isPlayer),
      isNpc(isNpc) {
  const bool isCharacter = isPlayer == 1 || isNpc == 1;
  SDL_ClearError();
  if (device == nullptr) SDL_SetError("No renderer was given to load the image with.");
  if (device != nullptr && file != nullptr) {
    texture = RkTextureCache::Instance().Acquire(device, file, width, height, isCharacter);
  }
  if (texture == nullptr) ReportLoadFailure(file != nullptr ? file : "", isCharacter);
}

RkSprite::RkSprite(SDL_Renderer* device, const char* file, const RkVector3& center, const RkVector3& position,
                   int isPlayer, int isNpc)
    : RkSprite(device, file, kGameSize, kGameSize, center, position, RK_COLOR_WHITE, isPlayer, isNpc) {}

RkSprite::~RkSprite() = default;

SDL_Texture* RkSprite::GetTexture() const { return texture != nullptr ? texture->Get() : nullptr; }

void RkSprite::Draw(SDL_Renderer* device, float translateX, float translateY) const {
  SDL_Texture* image = GetTexture();
  if (image == nullptr) return;
  const SDL_Rect source{sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                        sourceRect.bottom - sourceRect.top};
  const SDL_FRect target{position.x - center.x + translateX, position.y - center.y + translateY,
                         static_cast<float>(source.w), static_cast<float>(source.h)};
  SDL_SetTextureColorMod(image, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
  SDL_SetTextureAlphaMod(image, (color >> 24) & 0xFF);
  if (SDL_RenderCopyF(device, image, &source, &target) != 0) {
    ReportDirectXError("Failed to draw the sprite.", RK_D3DERR_INVALIDCALL, RkSdlError::Text().c_str(),
                               "RkSprite", RkProgramLine(94, 87));
  }
}
