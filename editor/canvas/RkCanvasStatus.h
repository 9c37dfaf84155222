// The status bar at the bottom of the main window and the canvas's hover
// tooltip: what lies under the cursor (cell, kind, image, New Area link with its
// start point, NPCs), the map's size and the zoom.
#pragma once

#include <string>

#include "RkCanvasView.h"
#include "RkEntity.h"
#include "RkWorld.h"

class RkCanvasStatus {
 public:
  RkCanvasStatus(const RkWorld& world, const RkCanvasView& view, const RkEntity& origin);
  RkCanvasStatus(const RkCanvasStatus&) = delete;
  RkCanvasStatus& operator=(const RkCanvasStatus&) = delete;

  // The map cell under a canvas pixel (it may lie outside the map).
  void MapCellAt(int canvasX, int canvasY, int& cellX, int& cellY) const;

  // The status line for the cursor at canvas pixel (canvasX, canvasY), or for no
  // cell when the cursor is off the canvas.
  std::string DescribeCell(int canvasX, int canvasY, bool onCanvas) const;
  // The tooltip's lines for the cell: its link and its NPCs; empty when it has none.
  std::string DescribeLinks(int canvasX, int canvasY) const;

  // The bar across the window's bottom: the tool (with its selection or paste)
  // first when one is given, then the cell, with the hint (why a click changed
  // nothing) after the cell when there is one, and the tooltip when the cursor is
  // on the canvas over a cell with a link or an NPC. Between ImGui's NewFrame and Render.
  void Draw(int windowWidth, int windowHeight, int canvasX, int canvasY, bool onCanvas,
            const std::string& hint = "", const std::string& tool = "") const;

 private:
  std::string DescribeMapAndZoom() const;

  const RkWorld& world;
  const RkCanvasView& view;
  const RkEntity& origin;
};
