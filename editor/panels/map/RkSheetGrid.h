// One tile sheet drawn as a grid of its cells in an ImGui window: every cell
// shown 32 by 32 (the size it paints at), hover naming it ("#2,1"), a click
// picking it, a drag over several cells picking the block. Used by the tile
// palette and by Load Sprite's cell step (RkFileDialog).
#pragma once

#include <string>

struct SDL_Texture;

class RkSheetGrid {
 public:
  static constexpr float kCellShown = 32.0f;
  // Taller grids scroll within this height.
  static constexpr float kMaxHeight = 256.0f;

  // A rectangle of cells: the top-left one and how many across and down.
  struct Block {
    int column = 0;
    int row = 0;
    int columns = 1;
    int rows = 1;
  };

  // The whole cells of a sheet of width by height pixels, size pixels each.
  static int ColumnsOf(int width, int size) { return size > 0 ? width / size : 0; }
  static int RowsOf(int height, int size) { return size > 0 ? height / size : 0; }
  // The block between two cells, whichever corner each is.
  static Block Spanning(int column1, int row1, int column2, int row2);

  // Draws the grid of sheet (its texture, width by height pixels, cells of
  // size) under id; current (or null) is framed. True once, when a press that
  // began on this grid is released, with the cells it spanned in picked.
  // canPick false greys it out and picks nothing.
  bool Draw(const std::string& id, SDL_Texture* texture, int width, int height, int size, const Block* current,
            bool canPick, Block& picked);

 private:
  std::string dragId;  // the grid a press began on, "" for none
  int anchorColumn = 0;
  int anchorRow = 0;
};
