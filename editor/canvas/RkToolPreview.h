// What the tools show on the canvas before and while they act: the cell under
// the mouse, the rectangle being dragged, the fill's region, the selection and
// the block of a paste under the mouse. Drawn into ImGui's background list over
// the map and its overlay; only cells in view are visited.
#pragma once

#include "RkCanvasView.h"
#include "RkEntity.h"
#include "RkMapTools.h"

class RkToolPreview {
 public:
  RkToolPreview(const RkMapTools& tools, const RkCanvasView& view, const RkEntity& origin)
      : tools(tools), view(view), origin(origin) {}
  RkToolPreview(const RkToolPreview&) = delete;
  RkToolPreview& operator=(const RkToolPreview&) = delete;

  // Over a canvas of width by height pixels whose top-left corner is window
  // pixel (0, canvasTop). Between ImGui's NewFrame and Render.
  void Draw(int canvasTop, int width, int height) const;

 private:
  struct Frame;

  void DrawRect(const Frame& frame, const RkCellRect& viewRect, unsigned fill, unsigned outline) const;
  void DrawFillRegion(const Frame& frame) const;
  void DrawPaste(const Frame& frame) const;

  const RkMapTools& tools;
  const RkCanvasView& view;
  const RkEntity& origin;
};
