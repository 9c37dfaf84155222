// Many cells that one tool action sets at once (a fill, a rectangle, a paste, the
// erasing of a selection): each cell by its map cell and the index of its tile in
// a short list of distinct tiles. A fill of a million cells with one kind thus
// holds one tile and twelve bytes a cell, so the undo of such an action grows
// with the cells it changed, never with what each cell holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "RkTile.h"

class RkCellBatch {
 public:
  struct Cell {
    int32_t x;
    int32_t y;
    uint32_t tile;
  };

  // Cell (x, y) is to hold this tile; a tile equal to one already listed is
  // kept once.
  void Add(int32_t x, int32_t y, const RkTile& tile);
  // The index that tile has (or gets) in the list of distinct tiles.
  uint32_t IndexOf(const RkTile& tile);
  void Reserve(std::size_t cellCount) { cells.reserve(cellCount); }

  const std::vector<Cell>& GetCells() const { return cells; }
  const std::vector<RkTile>& GetTiles() const { return tiles; }
  const RkTile& TileOf(const Cell& cell) const { return tiles[cell.tile]; }
  bool IsEmpty() const { return cells.empty(); }
  std::size_t GetByteSize() const;

 private:
  static std::size_t Hash(const RkTile& tile);

  std::vector<RkTile> tiles;
  std::vector<Cell> cells;
  // Tiles by their hash; most batches use one tile over and over, so the last
  // one used is tried first.
  std::unordered_multimap<std::size_t, uint32_t> tilesByHash;
  uint32_t lastTile = 0;
};
