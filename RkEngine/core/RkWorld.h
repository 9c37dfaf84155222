// One map: a rectangular grid of tiles and the NPCs that stand on it, with its
// binary world file (.rkm). The game loads worlds and asks about neighbouring
// cells; the editor paints, grows and saves them.
//
// World file (little-endian, no magic number, version or checksum):
//   0                 4           width W, signed 32-bit
//   4                 4           height H, signed 32-bit
//   8                 1012*W*H    tile records (RkTile), column after column:
//                                 cell (x, y) begins at 8 + 1012 * (x * H + y)
//   8 + 1012*W*H      4           NPC count N, unsigned 32-bit
//   then              ...         N NPC records (RkNPC) with their dialogues
//
// A file that ends early loads as far as it goes: cells it no longer holds stay
// fresh tiles and a missing NPC count reads as 0. A negative size, or a grid of
// more than kMaxCells cells, is refused with the loader's fatal read report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RkEntity.h"
#include "RkNPC.h"
#include "RkTile.h"

class RkBinaryReader;

// How Grow moved the old cells, so the editor can shift its view to match.
enum RkGrowResult : int32_t {
  GrowLeft = 1,         // right by -x columns
  GrowUp = 2,           // down by -y rows
  GrowLeftAndUp = 3,    // right by -x and down by -y
  GrowRightOrDown = 4,  // not at all
};

class RkWorld {
 public:
  static constexpr int64_t kMaxCells = 16777216;

  RkWorld() = default;

  // Frees the grid and the NPCs: the world is empty again.
  void Clear();
  // Reads a world file; a world that is not empty is cleared first. The file
  // name may use '\' between folders. Failures are fatal.
  void Load(const char* fileName);
  // Writes the world file through a temporary file beside it, so a failed save
  // leaves the previous file whole. Failures are fatal.
  void Save(const char* fileName) const;

  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  bool IsInBounds(int32_t x, int32_t y) const;

  // Fields of cell (x, y). Callers check the cell first; a cell outside the grid
  // answers like a fresh tile.
  int32_t GetTileType(int32_t x, int32_t y) const;
  const char* GetTileImageFile(int32_t x, int32_t y) const;
  const char* GetTileNewAreaName(int32_t x, int32_t y) const;
  int32_t GetTileNewAreaStartX(int32_t x, int32_t y) const;
  int32_t GetTileNewAreaStartY(int32_t x, int32_t y) const;

  // Editing of cells in the grid (cells outside it are left alone).
  void SetTileType(int32_t x, int32_t y, int32_t type);
  // Fatal for a text of 500 characters or more.
  void SetTileImageFile(int32_t x, int32_t y, const char* imageFile);
  void SetTileNewArea(int32_t x, int32_t y, const char* name, int32_t startX, int32_t startY);

  // The file this world is loaded from or saved to, as the caller names it; empty
  // for a world not tied to a file. Clear forgets it, and Load begins with Clear,
  // so name the file after loading it. Grow needs it to know which
  // New Area cells lead back into this very map.
  void SetFileName(const char* fileName) { fileName_ = fileName != nullptr ? fileName : ""; }
  const std::string& GetFileName() const { return fileName_; }

  // Enlarges the grid so that (x, y), a cell outside it, becomes part of it;
  // afterwards that cell is (max(x, 0), max(y, 0)). Old cells and the NPCs move
  // together, so every NPC keeps standing on the ground it stood on, and the
  // start points of New Area cells that lead into this map (its file name) move
  // with the cells they name.
  RkGrowResult Grow(int32_t x, int32_t y);
  // Moves by (dx, dy) the start point of every New Area cell whose target is the
  // map mapFile (RkMapLinks::LeadsInto); returns how many cells changed.
  int ShiftStartPointsInto(const char* mapFile, int32_t dx, int32_t dy);

  unsigned GetNPCCount() const { return static_cast<unsigned>(npcs_.size()); }
  // The NPC in place (the game moves it there); index below GetNPCCount().
  RkNPC& GetNPC(unsigned index) { return npcs_.at(index); }
  const RkNPC& GetNPC(unsigned index) const { return npcs_.at(index); }
  int32_t GetNPCX(unsigned index) const { return GetNPC(index).GetX(); }
  int32_t GetNPCY(unsigned index) const { return GetNPC(index).GetY(); }
  const char* GetNPCImageFile(unsigned index) const { return GetNPC(index).GetImageFile(); }
  // Updates the first NPC on (x, y) (its dialogues and walk stay) or appends one.
  void SetNPC(const char* name, int32_t x, int32_t y, const char* imageFile, int32_t type);
  // Removes every NPC on (x, y); the others keep their order.
  void RemoveNPCsAt(int32_t x, int32_t y);

  // The kind of the cell one step from (x, y) (the cell itself for
  // DirectionNone); TileNull outside the grid or for another direction value.
  int32_t GetTileTypeToward(int32_t x, int32_t y, RkDirection direction) const;
  // Whether an NPC stands one step from (x, y); false for directions other than 1 to 4.
  bool IsNPCToward(int32_t x, int32_t y, RkDirection direction) const;

 private:
  struct Growth {
    int32_t width;
    int32_t height;
    int32_t shiftX;
    int32_t shiftY;
    RkGrowResult result;
  };
  Growth PlanGrowth(int32_t x, int32_t y) const;
  static bool StepToward(int32_t& x, int32_t& y, RkDirection direction);
  const RkTile* FindTile(int32_t x, int32_t y) const;
  RkTile* FindTile(int32_t x, int32_t y);
  void ReadSize(RkBinaryReader& reader, int32_t& width, int32_t& height);
  void ReadTiles(RkBinaryReader& reader, int32_t width, int32_t height);
  void ReadNPCs(RkBinaryReader& reader);

  using TileGrid = std::vector<RkTile>;

  // Column after column, like the file: cell (x, y) is tiles_[x * height_ + y].
  TileGrid tiles_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<RkNPC> npcs_;
  std::string fileName_;
};
