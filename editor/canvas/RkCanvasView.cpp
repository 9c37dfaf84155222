// Zoom steps, the zoom about the cursor and the canvas-pixel-to-cell mapping.
#include "RkCanvasView.h"

#include <algorithm>
#include <cmath>

namespace {

// Steps at which a cell is a whole number of pixels (8 to 128), so the grid and
// the images line up exactly.
constexpr float kZoomSteps[] = {0.25f, 0.5f, 0.75f, 1.0f, 1.5f, 2.0f, 3.0f, 4.0f};
constexpr int kStepCount = sizeof kZoomSteps / sizeof kZoomSteps[0];

int NearestStep(float zoom) {
  int best = 0;
  for (int step = 1; step < kStepCount; ++step) {
    if (std::fabs(kZoomSteps[step] - zoom) < std::fabs(kZoomSteps[best] - zoom)) best = step;
  }
  return best;
}

}  // namespace

void RkCanvasView::CellAt(int canvasX, int canvasY, int& viewCellX, int& viewCellY) const {
  const double viewX = GetLeft() + canvasX / double{zoom};
  const double viewY = GetTop() + canvasY / double{zoom};
  viewCellX = static_cast<int>(std::floor(viewX / RkGridMath::kCellSize));
  viewCellY = static_cast<int>(std::floor(viewY / RkGridMath::kCellSize));
}

void RkCanvasView::ZoomAbout(int notches, int canvasX, int canvasY) {
  const int step = std::clamp(NearestStep(zoom) + notches, 0, kStepCount - 1);
  SetZoomAbout(kZoomSteps[step], canvasX, canvasY);
}

void RkCanvasView::SetZoomAbout(float newZoom, int canvasX, int canvasY) {
  newZoom = std::clamp(newZoom, kMinZoom, kMaxZoom);
  const double pointX = GetLeft() + canvasX / double{zoom};
  const double pointY = GetTop() + canvasY / double{zoom};
  zoom = newZoom;
  panX = static_cast<float>(pointX - canvasX / double{zoom} - double{RkGridMath::kCellSize} * camera.GetX());
  panY = static_cast<float>(pointY - canvasY / double{zoom} - double{RkGridMath::kCellSize} * camera.GetY());
}

void RkCanvasView::PanBy(int dx, int dy) {
  panX -= dx / zoom;
  panY -= dy / zoom;
}

void RkCanvasView::Reset(int cameraX, int cameraY) {
  camera.SetPosition(cameraX, cameraY);
  zoom = 1.0f;
  panX = 0.0f;
  panY = 0.0f;
}

void RkCanvasView::ShowAt(double left, double top) {
  const int cameraX = static_cast<int>(std::floor(left / RkGridMath::kCellSize));
  const int cameraY = static_cast<int>(std::floor(top / RkGridMath::kCellSize));
  camera.SetPosition(cameraX, cameraY);
  panX = static_cast<float>(left - double{RkGridMath::kCellSize} * cameraX);
  panY = static_cast<float>(top - double{RkGridMath::kCellSize} * cameraY);
}
