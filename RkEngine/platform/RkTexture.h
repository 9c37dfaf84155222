// One decoded image on one renderer, shared by every sprite made from the same
// file, size and colour key (RkTextureCache hands them out). The cache may put a
// fresh image into it when the file changes on disk (the editor asks for that),
// so every sprite that holds it shows the new pixels at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Renderer;
struct SDL_Texture;

class RkTexture {
 public:
  // What the image was made from: the cache decodes it again from this.
  struct Source {
    std::string file;
    int width = 0;
    int height = 0;
    bool colorKey = false;
    // A tile sheet: decoded at the file's own size (width and height are that
    // size, as last read), its cells drawn from it by sprites' source rectangles.
    bool asIs = false;
  };

  RkTexture(SDL_Renderer* owner, SDL_Texture* texture);
  RkTexture(SDL_Renderer* owner, SDL_Texture* texture, Source source);
  ~RkTexture();
  RkTexture(const RkTexture&) = delete;
  RkTexture& operator=(const RkTexture&) = delete;

  SDL_Texture* Get() const { return texture; }
  SDL_Renderer* GetOwner() const { return owner; }
  const Source& GetSource() const { return source; }
  // Called when the renderer is about to go: the renderer frees the texture
  // itself, so this object must no longer touch it.
  void Detach();
  // Frees the image and keeps the new one in its place (the file changed); a
  // sheet takes the new image's size.
  void Replace(SDL_Texture* fresh);

  // A smaller copy decoded from the file for drawing at a zoom below 100 %
  // (scaling each draw costs several times an unscaled one). Remembered for one
  // size at a time; null with Has... true means the file gave none.
  bool HasVariant(int width, int height) const { return variantWidth == width && variantHeight == height; }
  const std::shared_ptr<RkTexture>& GetVariant() const { return variant; }
  void SetVariant(int width, int height, std::shared_ptr<RkTexture> smaller);

  // Textures alive in the process (not yet freed nor detached): tests watch it.
  static long LiveCount();
  // Grows each time any texture gets other pixels (Replace, Detach): what was
  // drawn from the old ones is out of date.
  static uint64_t ChangeCount();

 private:
  SDL_Renderer* owner;
  SDL_Texture* texture;
  Source source;
  std::shared_ptr<RkTexture> variant;
  int variantWidth = 0;
  int variantHeight = 0;
};
