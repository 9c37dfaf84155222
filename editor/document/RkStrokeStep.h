// One stroke on the map canvas (left button down to up) as one step of the
// history: the cells it changed with their old and new fields, the NPCs of each
// cell it placed, changed or removed NPCs on, the blocks of cells a tool set at
// once, and every growth of the grid with
// the size and NPC cells from before it, in the order they happened. Undo takes
// them back in reverse order, so every edit is undone in the coordinates it was
// made in, and gives the view its old camera and origin; Redo makes them again.
// Afterwards the state tells its views of every view cell the stroke touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "RkCellBatch.h"
#include "RkEditStep.h"
#include "RkNPCSubset.h"
#include "RkTile.h"

class RkMapState;

class RkStrokeStep : public RkEditStep {
 public:
  // A cell of the grid, by its map cell then and its view cell (which growing
  // does not move).
  struct CellEdit {
    int32_t x;
    int32_t y;
    int32_t viewX;
    int32_t viewY;
    RkTile before;
    RkTile after;
  };
  // The NPCs standing on one cell, with their places among the world's NPCs.
  struct NPCEdit {
    int32_t x;
    int32_t y;
    int32_t viewX;
    int32_t viewY;
    RkNPCSubset before;
    RkNPCSubset after;
  };
  // Grow(x, y) on a grid of oldWidth by oldHeight; the NPCs' cells before it,
  // in the world's order.
  struct GrowthEdit {
    int32_t x;
    int32_t y;
    int32_t oldWidth;
    int32_t oldHeight;
    std::vector<std::pair<int32_t, int32_t>> npcCellsBefore;
    // The map's file then: New Area cells leading into it had their start points moved.
    std::string fileName;
  };
  // Many cells set at once by a tool (a fill, a rectangle, a paste): their tiles
  // before and after, with the origin then (cell + origin is the view cell).
  struct CellsEdit {
    RkCellBatch before;
    RkCellBatch after;
    int32_t originX;
    int32_t originY;
  };
  using Edit = std::variant<CellEdit, NPCEdit, GrowthEdit, CellsEdit>;

  // Above this many cells the views are told of the whole map once instead of
  // each cell: redrawing everything is then the quicker way.
  static constexpr std::size_t kWholeMapNoticeCells = 4096;

  // Where the canvas looked: camera and origin.
  struct View {
    int32_t cameraX;
    int32_t cameraY;
    int32_t originX;
    int32_t originY;
  };

  RkStrokeStep(std::string label, std::vector<Edit> edits, View before, View after, RkMapState& state);

  void Undo() override;
  void Redo() override;
  std::size_t GetByteSize() const override;

  const std::vector<Edit>& GetEdits() const { return edits; }

 private:
  void UndoEdit(const Edit& edit);
  void RedoEdit(const Edit& edit);
  void SetCells(const RkCellBatch& batch);
  void ShowView(const View& view);
  void NotifyTouchedCells();
  bool Grows() const;

  std::vector<Edit> edits;
  View before;
  View after;
  RkMapState& state;
};
