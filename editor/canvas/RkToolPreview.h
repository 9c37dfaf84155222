// What the tools show on the canvas before and while they act: the cell under
// the mouse, the rectangle being dragged, the fill's region, the selection and
// the block of a paste under the mouse. Drawn into ImGui's background list over
// the map and its overlay; only cells in view are visited. A paste shows the
// block's own images, faded, under the mouse.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "RkCanvasView.h"
#include "RkEntity.h"
#include "RkMapTools.h"

class RkSprite;
struct SDL_Renderer;

class RkToolPreview {
 public:
  RkToolPreview(const RkMapTools& tools, const RkCanvasView& view, const RkEntity& origin)
      : tools(tools), view(view), origin(origin) {}
  ~RkToolPreview();
  RkToolPreview(const RkToolPreview&) = delete;
  RkToolPreview& operator=(const RkToolPreview&) = delete;

  // Over a canvas of width by height pixels whose top-left corner is window
  // pixel (0, canvasTop); the device loads the images of a paste. Between
  // ImGui's NewFrame and Render.
  void Draw(int canvasTop, int width, int height, SDL_Renderer* device);

 private:
  struct Frame;

  void DrawRect(const Frame& frame, const RkCellRect& viewRect, unsigned fill, unsigned outline) const;
  void DrawFillRegion(const Frame& frame) const;
  void DrawPaste(const Frame& frame);
  // The image of a tile file as ImGui draws it; null when it does not load.
  const RkSprite* ImageOf(const char* file);

  const RkMapTools& tools;
  const RkCanvasView& view;
  const RkEntity& origin;
  SDL_Renderer* device = nullptr;
  // One sprite per image a paste has shown (null for one that does not load).
  std::map<std::string, std::unique_ptr<RkSprite>> images;
};
