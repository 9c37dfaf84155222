// One decoded image on one renderer, shared by every sprite made from the same
// file, size and colour key (RkTextureCache hands them out).
#pragma once

struct SDL_Renderer;
struct SDL_Texture;

class RkTexture {
 public:
  RkTexture(SDL_Renderer* owner, SDL_Texture* texture);
  ~RkTexture();
  RkTexture(const RkTexture&) = delete;
  RkTexture& operator=(const RkTexture&) = delete;

  SDL_Texture* Get() const { return texture; }
  SDL_Renderer* GetOwner() const { return owner; }
  // Called when the renderer is about to go: the renderer frees the texture
  // itself, so this object must no longer touch it.
  void Detach();

  // Textures alive in the process (not yet freed nor detached): tests watch it.
  static long LiveCount();

 private:
  SDL_Renderer* owner;
  SDL_Texture* texture;
};
