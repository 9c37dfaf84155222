// The editor zoomed out shows thousands of small tile images at once, and drawing
// them one by one is most of its frame. This keeps what the tile pass drew in a
// texture of the target's size and copies that back on the next frames, until
// something the picture depends on changes: the tile sprites, the pixels of any
// image, the view's placement or scale, the target's size.
#pragma once

#include <cstdint>
#include <functional>

struct SDL_Renderer;
struct SDL_Texture;

class RkTileLayer {
 public:
  // Everything a drawn layer depends on; two equal views draw the same pixels.
  struct View {
    float translateX = 0.0f;
    float translateY = 0.0f;
    float scale = 1.0f;
    int width = 0;
    int height = 0;
    uint64_t tileChanges = 0;
    uint64_t imageChanges = 0;
    bool operator==(const View& other) const;
  };

  RkTileLayer() = default;
  ~RkTileLayer();
  RkTileLayer(const RkTileLayer&) = delete;
  RkTileLayer& operator=(const RkTileLayer&) = delete;

  // Puts the tiles of this view on the current target, which was just cleared to
  // black: drawTiles runs into the layer only when the view differs from the one
  // drawn last. False when the renderer cannot draw into a texture; the caller
  // then draws the tiles itself.
  bool Show(SDL_Renderer* device, const View& view, const std::function<void()>& drawTiles);
  // The next Show draws anew (the layer's pixels may have been lost).
  void Forget() { drawnValid = false; }
  // Frees the texture; called before the renderer goes.
  void Release();

 private:
  bool FitTexture(SDL_Renderer* device, int width, int height);
  bool Redraw(SDL_Renderer* device, const std::function<void()>& drawTiles);

  SDL_Texture* texture = nullptr;
  int textureWidth = 0;
  int textureHeight = 0;
  View drawn;
  bool drawnValid = false;
};
