// What the canvas shows over the map's images, for the map maker only: the grid
// between cells with the outline of the map's bounds, a tint or pattern per cell
// kind (Null hatched, Impassable red, New Area blue, Open bare), and the links:
// an arrow with the target's file name on each New Area cell, a badge of each
// NPC's kind, and on the start map the cell where the game puts the player.
// Drawn into ImGui's background list, under the menus and panels; only the cells
// in view are visited, so a large map costs no more than a small one.
#pragma once

#include "RkCanvasView.h"
#include "RkEntity.h"
#include "RkWorld.h"

class RkMapOverlay {
 public:
  struct Layers {
    bool grid = true;
    bool kinds = true;
    bool links = true;
  };

  RkMapOverlay(const RkWorld& world, const RkCanvasView& view, const RkEntity& origin);
  RkMapOverlay(const RkMapOverlay&) = delete;
  RkMapOverlay& operator=(const RkMapOverlay&) = delete;

  Layers& GetLayers() { return layers; }
  const Layers& GetLayers() const { return layers; }

  // The game's start cell (from its settings), marked on the map it starts on.
  void SetStartCell(int32_t x, int32_t y) {
    startX = x;
    startY = y;
  }

  // Draws the switched-on layers over a canvas of width by height pixels whose
  // top-left corner is window pixel (0, canvasTop); isStartMap: the edited map
  // is the one the game starts on. Between ImGui's NewFrame and Render.
  void Draw(int canvasTop, int width, int height, bool isStartMap) const;

 private:
  struct Frame;

  bool VisibleCells(const Frame& frame, int& firstX, int& firstY, int& lastX, int& lastY) const;
  void DrawKinds(const Frame& frame, int firstX, int firstY, int lastX, int lastY) const;
  void DrawNullCell(const Frame& frame, int x, int y) const;
  void DrawGrid(const Frame& frame, int firstX, int firstY, int lastX, int lastY) const;
  void DrawLinks(const Frame& frame, int firstX, int firstY, int lastX, int lastY) const;
  void DrawNPCs(const Frame& frame) const;
  void DrawStartMark(const Frame& frame) const;

  const RkWorld& world;
  const RkCanvasView& view;
  const RkEntity& origin;
  Layers layers;
  int32_t startX = 0;
  int32_t startY = 0;
};
