// Sprites: loading through the shared texture cache, copying, drawing.
#include "RkSprite.h"

#include <SDL.h>

#include <cmath>

#include "RkError.h"
#include "RkSdlError.h"
#include "RkSheetCell.h"
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
      width(width),
      height(height),
      center(center),
      position(position),
      color(color),
      isPlayer(isPlayer),
      isNpc(isNpc) {
  const bool isCharacter = isPlayer == 1 || isNpc == 1;
  SDL_ClearError();
  if (device == nullptr) SDL_SetError("No renderer was given to load the image with.");
  if (device != nullptr && file != nullptr) {
    RkTextureCache::Image image = RkTextureCache::Instance().AcquireImage(device, file, width, height, isCharacter);
    texture = std::move(image.texture);
    sourceRect = image.source;
  }
  if (texture == nullptr) ReportLoadFailure(file != nullptr ? file : "", isCharacter);
}

std::string RkSprite::TryLoadImage(SDL_Renderer* device, const char* file, int width, int height,
                                   bool isCharacter) {
  if (device == nullptr || file == nullptr) return "No renderer was given to load the image with.";
  SDL_ClearError();
  if (RkTextureCache::Instance().AcquireImage(device, file, width, height, isCharacter).texture != nullptr) return "";
  const std::string cause = SDL_GetError();
  return cause.empty() ? "The image could not be read." : cause;
}

void RkSprite::UsePlaceholder(SDL_Renderer* device, const char* file, int width, int height, bool isCharacter) {
  if (device == nullptr || file == nullptr) return;
  RkTextureCache::Instance().AdoptPlaceholder(device, file, width, height, isCharacter);
}

RkSprite::RkSprite(SDL_Renderer* device, const char* file, const RkVector3& center, const RkVector3& position,
                   int isPlayer, int isNpc)
    : RkSprite(device, file, kGameSize, kGameSize, center, position, RK_COLOR_WHITE, isPlayer, isNpc) {}

RkSprite::RkSprite(const RkSprite& other, const RkVector3& position) : RkSprite(other) {
  this->position = position;
}

RkSprite::~RkSprite() = default;

bool RkSprite::ShowsImage(const char* file, int width, int height, bool colorKey) const {
  if (texture == nullptr || file == nullptr) return false;
  const RkTexture::Source& source = texture->GetSource();
  if (source.asIs) return ShowsCell(file, width, height, colorKey);
  return source.width == width && source.height == height && source.colorKey == colorKey && source.file == file &&
         sourceRect.left == 0 && sourceRect.top == 0 && sourceRect.right == width && sourceRect.bottom == height;
}

// A sprite drawn from a sheet shows the field's cell when the field names a
// cell of that sheet at this rectangle (a file with the field's exact name
// would have been loaded whole, never from a sheet).
bool RkSprite::ShowsCell(const char* file, int width, int height, bool colorKey) const {
  const RkTexture::Source& source = texture->GetSource();
  const RkSheetCell cell = RkSheetCell::Parse(file);
  return cell.IsCell() && source.colorKey == colorKey && this->width == width && this->height == height &&
         cell.GetSheet() == source.file && sourceRect.left == cell.GetLeft() && sourceRect.top == cell.GetTop() &&
         sourceRect.right == cell.GetLeft() + cell.GetSize() && sourceRect.bottom == cell.GetTop() + cell.GetSize();
}

SDL_Texture* RkSprite::GetTexture() const { return texture != nullptr ? texture->Get() : nullptr; }

void RkSprite::GetTextureCorners(float& u0, float& v0, float& u1, float& v1) const {
  int width = 0;
  int height = 0;
  SDL_Texture* image = GetTexture();
  if (image == nullptr || SDL_QueryTexture(image, nullptr, nullptr, &width, &height) != 0 || width <= 0 ||
      height <= 0) {
    u0 = v0 = 0.0f;
    u1 = v1 = 1.0f;
    return;
  }
  u0 = static_cast<float>(sourceRect.left) / width;
  v0 = static_cast<float>(sourceRect.top) / height;
  u1 = static_cast<float>(sourceRect.right) / width;
  v1 = static_cast<float>(sourceRect.bottom) / height;
}

void RkSprite::Draw(SDL_Renderer* device, float translateX, float translateY) const {
  SDL_Texture* image = GetTexture();
  if (image == nullptr) return;
  const SDL_Rect source{sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                        sourceRect.bottom - sourceRect.top};
  const SDL_FRect target{position.x - center.x + translateX, position.y - center.y + translateY,
                         static_cast<float>(width), static_cast<float>(height)};
  SDL_SetTextureColorMod(image, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
  SDL_SetTextureAlphaMod(image, (color >> 24) & 0xFF);
  if (SDL_RenderCopyF(device, image, &source, &target) != 0) {
    ReportDirectXError("Failed to draw the sprite.", RK_D3DERR_INVALIDCALL, RkSdlError::Text().c_str(),
                               "RkSprite", RkProgramLine(94, 87));
  }
}

// Only a sprite that shows its whole image can use a smaller copy of it.
SDL_Texture* RkSprite::ShrunkImage(SDL_Renderer* device, int width, int height) const {
  if (texture == nullptr || texture->Get() == nullptr) return nullptr;
  const RkTexture::Source& source = texture->GetSource();
  const bool wholeImage = sourceRect.left == 0 && sourceRect.top == 0 && sourceRect.right == source.width &&
                          sourceRect.bottom == source.height;
  if (!wholeImage || source.file.empty() || width <= 0 || height <= 0) return nullptr;
  if (!texture->HasVariant(width, height)) {
    texture->SetVariant(width, height, RkTextureCache::Instance().Acquire(device, source.file.c_str(), width,
                                                                          height, source.colorKey));
  }
  const std::shared_ptr<RkTexture>& variant = texture->GetVariant();
  return variant != nullptr ? variant->Get() : nullptr;
}

// Both edges are rounded, so that neighbouring cells meet without a gap or overlap.
void RkSprite::DrawShrunk(SDL_Renderer* device, float translateX, float translateY, float scale) const {
  SDL_Texture* image = GetTexture();
  if (image == nullptr) return;
  const float left = (position.x - center.x + translateX) * scale;
  const float top = (position.y - center.y + translateY) * scale;
  const int x0 = static_cast<int>(std::lround(left));
  const int y0 = static_cast<int>(std::lround(top));
  const SDL_Rect target{x0, y0, static_cast<int>(std::lround(left + width * scale)) - x0,
                        static_cast<int>(std::lround(top + height * scale)) - y0};
  SDL_Rect source{sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                  sourceRect.bottom - sourceRect.top};
  if (SDL_Texture* smaller = ShrunkImage(device, target.w, target.h)) {
    image = smaller;
    source = SDL_Rect{0, 0, target.w, target.h};
  }
  SDL_SetTextureColorMod(image, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
  SDL_SetTextureAlphaMod(image, (color >> 24) & 0xFF);
  if (SDL_RenderCopy(device, image, &source, &target) != 0) {
    ReportDirectXError("Failed to draw the sprite.", RK_D3DERR_INVALIDCALL, RkSdlError::Text().c_str(),
                       "RkSprite", RkProgramLine(94, 87));
  }
}
