// The map canvas's editing: what a left click at a canvas pixel does to the world,
// to the origin that places the world under the camera's view, and to the
// renderer's sprites and status texts. The painting choice, the previews and the
// New Area destination come from the map editor panel. RkEngine::HandleMapCanvas
// decides whether a press counts as a click on the canvas and hands it here.
#pragma once

#include <functional>

#include "RkCanvasView.h"
#include "RkDirect3D.h"
#include "RkEntity.h"
#include "RkMapEditor.h"
#include "RkStrokeRecorder.h"
#include "RkWorld.h"

class RkMapCanvas {
 public:
  // One map cell is this many pixels wide and high on the canvas.
  static constexpr int kCellSize = 32;

  // Shows a modal notice; the application object takes the keyboard back after it.
  using NoticeShower = std::function<void(const char* text)>;

  RkMapCanvas(RkMapEditor& panel, RkWorld& world, const RkCanvasView& view, RkEntity& origin,
              RkDirect3D& renderer, NoticeShower showNotice);
  RkMapCanvas(const RkMapCanvas&) = delete;
  RkMapCanvas& operator=(const RkMapCanvas&) = delete;

  // A left click at canvas pixel (canvasX, canvasY), in the canvas: the view's
  // mapping names the cell under it (at every zoom and pan). Shows where it
  // lands, grows the world to reach the cell if the choice paints, and applies the
  // panel's painting choice to that cell.
  void Click(int canvasX, int canvasY);
  // Told right before every change to the world, so that strokes can be undone.
  void SetRecorder(RkStrokeRecorder* strokeRecorder) { recorder = strokeRecorder; }

 private:
  void ShowStatusTexts(int cellX, int cellY);
  bool WillPaint(int choice) const;
  bool GrowToReach(int& cellX, int& cellY);
  void EraseCell(int cellX, int cellY, float viewX, float viewY);
  void PaintCell(int choice, int cellX, int cellY, float viewX, float viewY);
  void RemoveNPCs(int cellX, int cellY, float viewX, float viewY);
  void PlaceNPC(int choice, int cellX, int cellY, float viewX, float viewY);
  static int ReadStartCoordinate(const char* text);

  RkMapEditor& panel;
  RkWorld& world;
  const RkCanvasView& view;
  RkEntity& origin;
  RkDirect3D& renderer;
  NoticeShower showNotice;
  RkStrokeRecorder* recorder = nullptr;
};
