// One image the renderer draws: a texture shared by every copy of the sprite, the
// part of it to draw, a position in pixels, a tint and two flags. Tile sprites
// (both flags 0) and NPC sprites are placed in world pixels and shifted by the
// view; the player sprite is placed in back-buffer pixels. Character sprites
// (player or NPC) show exact white as transparent; tile sprites keep it.
// A sprite of a sheet's cell ("sheet.png#2,1,16") draws the cell's rectangle of
// the sheet's shared texture, scaled to its width and height.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "RkColor.h"
#include "RkRect.h"
#include "RkTexture.h"
#include "RkVector3.h"

struct SDL_Renderer;
struct SDL_Texture;

class RkSprite {
 public:
  static constexpr int kGameSize = 32;

  // Loads the image scaled to width by height (the game always 32 by 32); an
  // image that cannot be loaded ends the program with its file name as the message.
  RkSprite(SDL_Renderer* device, const char* file, int width, int height, const RkVector3& center,
           const RkVector3& position, RkColor color, int isPlayer, int isNpc);
  // The editor's non-fatal check before it makes a sprite of a file the user
  // chose: empty when the image loads (it stays cached for the sprite), else
  // the cause. isCharacter selects the colour key, as isPlayer/isNpc do.
  static std::string TryLoadImage(SDL_Renderer* device, const char* file, int width, int height,
                                  bool isCharacter);
  // Makes the file draw as a magenta and black checker at this size, so that a
  // map naming a missing image still opens and shows where the image belongs.
  static void UsePlaceholder(SDL_Renderer* device, const char* file, int width, int height, bool isCharacter);
  // The game's form: 32 by 32, no tint.
  RkSprite(SDL_Renderer* device, const char* file, const RkVector3& center, const RkVector3& position,
           int isPlayer, int isNpc);
  // Copies share the texture; the texture goes when its last sprite goes. A
  // sprite's place never changes once made (the renderer indexes its sprites by
  // place), so there is no assignment.
  RkSprite(const RkSprite& other) = default;
  // A copy standing at another place, sharing the texture: a tile of the
  // renderer's tile grid as a sprite of its own.
  RkSprite(const RkSprite& other, const RkVector3& position);
  RkSprite& operator=(const RkSprite& other) = delete;
  virtual ~RkSprite();

  // Draws the image with its top-left corner at position - center + (translateX,
  // translateY); the renderer calls it only for sprites inside its view.
  void Draw(SDL_Renderer* device, float translateX = 0.0f, float translateY = 0.0f) const;
  // The editor's zoom out: draws with the top-left corner at (position - center +
  // translate) * scale, scale below 1, from a copy of the image decoded at the
  // smaller size when the file gives one (crisper, and far cheaper to draw than
  // a scaled copy of the full image).
  void DrawShrunk(SDL_Renderer* device, float translateX, float translateY, float scale) const;

  RkVector3 GetPosition() const { return position; }
  RkVector3 GetCenter() const { return center; }
  RkRect GetSourceRect() const { return sourceRect; }
  // The size it is drawn at, whatever part of the texture it shows.
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  RkColor GetColor() const { return color; }
  int GetIsPlayer() const { return isPlayer; }
  int GetIsNpc() const { return isNpc; }
  // Whether the texture is the one the cache hands out for this file, size and
  // colour key, drawn whole: what a sprite loaded from them would show.
  bool ShowsImage(const char* file, int width, int height, bool colorKey) const;
  // For ImGui::Image previews in the editor: null once the renderer is gone.
  SDL_Texture* GetTexture() const;
  // The source rectangle as fractions of the texture (ImGui's uv): (0, 0, 1, 1)
  // for a whole image, one cell's corners for a cell of a sheet.
  void GetTextureCorners(float& u0, float& v0, float& u1, float& v1) const;

 private:
  SDL_Texture* ShrunkImage(SDL_Renderer* device, int width, int height) const;
  bool ShowsCell(const char* file, int width, int height, bool colorKey) const;

  std::shared_ptr<RkTexture> texture;
  RkRect sourceRect;
  int width;
  int height;
  RkVector3 center;
  RkVector3 position;
  RkColor color;
  int isPlayer;
  int isNpc;
};
