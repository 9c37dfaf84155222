// The canvas's tools beside the brush: Rectangle (drag, paint on release), Fill
// (the region of equal cells a click lands in), Select (drag a rectangle that
// stays marked) with Copy, Cut, Delete and Paste, and Pick on the right button
// with any tool. Every change goes through the map document inside one stroke,
// so each action is one step of the map's history; RkCanvasPointer hands the
// buttons here, RkToolKeys the keys, RkToolPreview draws what the tools show.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "RkCanvasView.h"
#include "RkCellBlock.h"
#include "RkCellRect.h"
#include "RkFloodFill.h"
#include "RkMapDocument.h"
#include "RkMapEditor.h"

class RkMapTools {
 public:
  using NoticeShower = std::function<void(const char* text)>;
  // Makes an image file the panel's tile image with its preview (a notice when
  // it does not load).
  using TileImageUser = std::function<void(const std::string& path)>;

  static constexpr const char* kTooLarge =
      "Nothing changed: the map would grow past 16,777,216 cells, the most a map can hold.";
  static constexpr const char* kNothingSelected = "Nothing selected: drag a rectangle with Select (R) first.";
  static constexpr const char* kSelectionOutside = "The selection holds no cell of the map.";
  static constexpr const char* kNothingCopied = "Nothing to paste: copy a selection first (Ctrl+C).";
  static constexpr const char* kPaintsCells =
      "Rectangle and Fill paint cells: choose Null, Open, Impassable or New Area.";

  RkMapTools(RkMapEditor& panel, RkMapDocument& document, const RkCanvasView& view, NoticeShower showNotice,
             TileImageUser useTileImage);
  RkMapTools(const RkMapTools&) = delete;
  RkMapTools& operator=(const RkMapTools&) = delete;

  // Whether the left button is the tools' this pass rather than the brush's:
  // another tool is chosen, or a paste is being placed.
  bool TakesLeftButton() const;
  // The left button is down at this canvas pixel; called on each pass it is
  // held, inside the stroke that the press opened.
  void Hold(int canvasX, int canvasY);
  // The button went up, before the stroke ends: a rectangle is painted, a
  // selection made.
  void Release();
  // A box took the button: a drag still open is dropped.
  void CancelDrag();
  // The cursor is at this canvas pixel, on the canvas or not.
  void Hover(int canvasX, int canvasY, bool onCanvas);
  // The right button went down: the panel takes the cell's kind, image and New
  // Area link, and the NPC list selects the NPC standing there.
  void Pick(int canvasX, int canvasY);

  void Copy();
  // Copy, then the selection's cells become Null and its NPCs go: one step.
  void Cut();
  // The selection's cells become Null and its NPCs go: one step.
  void Delete();
  // Shows the copied block under the mouse; the next click places it.
  void BeginPaste();
  // Drops the paste being placed, else the selection; false when there was neither.
  bool Escape();

  RkMapEditor::Tool GetTool() const { return panel.GetTool(); }
  // What the preview shows, in view cells.
  bool IsHovering() const { return hovering; }
  int32_t GetHoverX() const { return hoverX; }
  int32_t GetHoverY() const { return hoverY; }
  // The rectangle being dragged with Rectangle or Select.
  const std::optional<RkCellRect>& GetDrag() const { return drag; }
  const std::optional<RkCellRect>& GetSelection() const { return selection; }
  bool IsPasting() const { return pasting; }
  const RkCellBlock& GetClipboard() const { return clipboard; }
  // The fill region under the mouse (map cells), when the fill tool is chosen.
  const RkFloodFill& GetFillRegion() const { return fillRegion; }
  // The map changed: the fill region under the mouse is found again.
  void NoteMapChanged() { fillRegionValid = false; }

  // For the status bar: the tool, with the selection's or paste's size.
  std::string Describe() const;
  // Why the last action changed nothing, while that holds; empty otherwise.
  const std::string& GetHint() const { return hint; }

 private:
  // The tile a painting choice makes of a cell, or none (with a notice or hint).
  struct PaintRule;
  std::optional<PaintRule> ReadPaintRule(bool forFill);

  void ViewCellAt(int canvasX, int canvasY, int32_t& viewX, int32_t& viewY) const;
  RkCellRect ToMapCells(const RkCellRect& viewRect) const;
  // Grows the world so that the map rectangle lies in it, moving the rectangle
  // with the cells; false after the notice when the map would be too large.
  bool GrowToCover(RkCellRect& rect);
  // An empty map's cell (0, 0) goes to the rectangle's top-left view cell.
  RkCellRect PlaceOnMap(const RkCellRect& viewRect);
  void PaintRectangle(const RkCellRect& viewRect);
  void Fill(int32_t viewX, int32_t viewY);
  void PlacePaste(int32_t viewX, int32_t viewY);
  void EraseSelection();
  void RemoveNPCsIn(const RkCellRect& rect);
  void FindFillRegion(int32_t mapX, int32_t mapY);

  RkMapEditor& panel;
  RkMapDocument& document;
  const RkCanvasView& view;
  NoticeShower showNotice;
  TileImageUser useTileImage;

  bool pressed = false;
  int32_t anchorX = 0;
  int32_t anchorY = 0;
  std::optional<RkCellRect> drag;
  std::optional<RkCellRect> selection;
  bool pasting = false;
  RkCellBlock clipboard;
  bool hovering = false;
  int32_t hoverX = 0;
  int32_t hoverY = 0;
  RkFloodFill fillRegion;
  bool fillRegionValid = false;
  std::string hint;
};
