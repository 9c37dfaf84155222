// The canvas's zoom and pan. The camera entity names the view cell at the
// canvas's top-left corner, as it always did; the pan adds a shift in view
// pixels on top of it (a drag or a zoom about the cursor leaves the view between
// cells), and the zoom scales view pixels to canvas pixels. CellAt is the one
// mapping from a canvas pixel to the view cell under it: painting, the status bar
// and the overlays all go through it. At 100 % with no pan it is the plain
// 32-pixel mapping of the unzoomed canvas.
#pragma once

#include "RkEntity.h"
#include "RkGridMath.h"

class RkCanvasView {
 public:
  static constexpr float kMinZoom = 0.25f;
  static constexpr float kMaxZoom = 4.0f;

  explicit RkCanvasView(RkEntity& camera) : camera(camera) {}
  RkCanvasView(const RkCanvasView&) = delete;
  RkCanvasView& operator=(const RkCanvasView&) = delete;

  float GetZoom() const { return zoom; }
  float GetPanX() const { return panX; }
  float GetPanY() const { return panY; }

  // The view pixel at the canvas's top-left corner.
  double GetLeft() const { return double{RkGridMath::kCellSize} * camera.GetX() + panX; }
  double GetTop() const { return double{RkGridMath::kCellSize} * camera.GetY() + panY; }

  // The view cell under canvas pixel (canvasX, canvasY).
  void CellAt(int canvasX, int canvasY, int& viewCellX, int& viewCellY) const;
  // Where view pixel (viewX, viewY) lies on the canvas.
  float ToCanvasX(double viewX) const { return static_cast<float>((viewX - GetLeft()) * zoom); }
  float ToCanvasY(double viewY) const { return static_cast<float>((viewY - GetTop()) * zoom); }

  // One wheel notch is one zoom step (positive zooms in); the view pixel under the
  // cursor stays under it.
  void ZoomAbout(int notches, int canvasX, int canvasY);
  // Sets the zoom (clamped to 25 % .. 400 %) keeping the canvas pixel's view pixel.
  void SetZoomAbout(float newZoom, int canvasX, int canvasY);
  // The map follows the pointer: a drag of (dx, dy) canvas pixels.
  void PanBy(int dx, int dy);
  // Keeps the zoom and puts view pixel (left, top) at the canvas's top-left
  // corner: the camera on the cell there, the pan within it.
  void ShowAt(double left, double top);
  // 100 %, no pan, the camera on the given view cell.
  void Reset(int cameraX, int cameraY);

 private:
  RkEntity& camera;
  float zoom = 1.0f;
  float panX = 0.0f;
  float panY = 0.0f;
};
