// The map canvas's editing: what a left click at a canvas pixel does to the map.
// The painting choice, the previews and the New Area destination come from the
// map editor panel; every change goes through the map document (which records
// it in the stroke and tells the canvas's sprites), and the click's place goes
// to the status texts. RkEngine::HandleMapCanvas decides (through
// RkCanvasPointer) whether a press counts as a click on the canvas and hands it here.
#pragma once

#include <functional>
#include <string>

#include "RkCanvasView.h"
#include "RkDirect3D.h"
#include "RkMapDocument.h"
#include "RkMapEditor.h"

class RkMapCanvas {
 public:
  // Shows a modal notice; the application object takes the keyboard back after it.
  using NoticeShower = std::function<void(const char* text)>;

  // The painting notices and hints, which the other tools share.
  static constexpr const char* kNoNewArea =
      "This tile will not be set as a new area as there is no new area location provided.\n"
      "Please click on the Load New Area button and select a map first.";
  static constexpr const char* kNoTileImage =
      "Nothing painted: choose a tile image first (Load Sprite, or a tile of View > Tile Palette).";

  RkMapCanvas(RkMapEditor& panel, RkMapDocument& document, const RkCanvasView& view, RkDirect3D& renderer,
              NoticeShower showNotice);
  RkMapCanvas(const RkMapCanvas&) = delete;
  RkMapCanvas& operator=(const RkMapCanvas&) = delete;

  // A left click at canvas pixel (canvasX, canvasY), in the canvas: the view's
  // mapping names the cell under it (at every zoom and pan). Shows where it
  // lands, grows the world to reach the cell if the choice paints, and applies the
  // panel's painting choice to that cell.
  void Click(int canvasX, int canvasY);

  // A start point edit's text as the cell's start coordinate (at most 9
  // characters read; text that is not a number gives 0).
  static int ReadStartCoordinate(const char* text);

  // Why the last click changed nothing, for the status bar, as long as the
  // reason holds (a tile image chosen since ends it); empty otherwise.
  std::string GetHint() const;

 private:
  enum class Hint { None, NoTileImage, NoNPC };

  void ShowStatusTexts(int cellX, int cellY);
  bool WillPaint(int choice) const;
  void EraseCell(int cellX, int cellY);
  void PaintCell(int choice, int cellX, int cellY);
  void PaintBlock(int choice, int cellX, int cellY);
  void PaintCellWith(int choice, int cellX, int cellY, const char* image);
  void RemoveNPCs(int cellX, int cellY);
  void PlaceNPC(int choice, int cellX, int cellY);

  RkMapEditor& panel;
  RkMapDocument& document;
  const RkCanvasView& view;
  RkDirect3D& renderer;
  NoticeShower showNotice;
  Hint hint = Hint::None;
};
