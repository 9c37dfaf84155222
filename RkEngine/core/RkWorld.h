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
// fresh tiles and a missing NPC count reads as 0. A negative size, a grid of
// more than kMaxCells cells, or one with more than kMaxFreshCells cells beyond
// those the file holds is refused with the loader's read report, before the
// grid is allocated: loading never takes memory far beyond the file's size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RkEntity.h"
#include "RkFailure.h"
#include "RkNPC.h"
#include "RkTile.h"

class RkBinaryReader;
class RkBinaryWriter;
class RkWorldWriter;

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
  // Fresh cells for a grid that the file does not hold: at most 64 MiB of cells
  // of 80 bytes, as a tile took when the bound was set. The bound stays put when
  // a tile's size in memory changes, so a damaged file meets the same answer.
  static constexpr int64_t kMaxFreshCells = (int64_t{64} << 20) / 80;

  RkWorld() = default;

  // Frees the grid and the NPCs: the world is empty again.
  void Clear();

  // Reads a world file in place of what the world holds. The file name may use
  // '\' between folders. On a failure the world is left as it was and the
  // failure comes back: its message, cause, source and line are those of the
  // fatal report that Load gives ("Failed to open the world file.", "Failed to
  // read from the world file.", a record's read message, ...). Notices such as
  // "still bad" are shown while reading, as in Load.
  [[nodiscard]] std::optional<RkFailure> TryLoad(const char* fileName);
  // TryLoad, with a failure reported fatally.
  void Load(const char* fileName);
  // TryLoad's reading, from a reader already open (on a file or on memory);
  // fileName is what GetFileName gives afterwards.
  [[nodiscard]] std::optional<RkFailure> TryRead(RkBinaryReader& reader, const char* fileName);
  // Writes the world file through a temporary file beside it, so a failed save
  // leaves the previous file whole; a failure comes back with the texts of the
  // fatal report that Save gives ("Failed to create the world file." for a
  // target that cannot be created or replaced, "Failed to write world data to
  // file." or a record's write message, "Failed to close the world file.").
  [[nodiscard]] std::optional<RkFailure> TrySave(const char* fileName) const;
  // TrySave, with a failure reported fatally.
  void Save(const char* fileName) const;
  // TrySave's records, into a writer already open; the caller flushes and closes.
  [[nodiscard]] std::optional<RkFailure> TryWrite(RkBinaryWriter& writer) const;

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
  // for a world not tied to a file. Loading sets it to the loaded file's name,
  // Clear forgets it; the editor sets it when it saves under a new name. Grow
  // needs it to know which New Area cells lead back into this very map.
  void SetFileName(const char* fileName) { fileName_ = fileName != nullptr ? fileName : ""; }
  const std::string& GetFileName() const { return fileName_; }

  // Enlarges the grid so that (x, y), a cell outside it, becomes part of it;
  // afterwards that cell is (max(x, 0), max(y, 0)). Old cells and the NPCs move
  // together, so every NPC keeps standing on the ground it stood on, and the
  // start points of New Area cells that lead into this map (its file name) move
  // with the cells they name.
  RkGrowResult Grow(int32_t x, int32_t y);
  // How far growing (and undoing growths) has moved the cells right and down
  // since the world was loaded, cleared or marked saved: the shift that the start
  // points of the other maps' links into this map's file need when it is saved.
  int32_t GetShiftSinceSaveX() const { return shiftSinceSaveX_; }
  int32_t GetShiftSinceSaveY() const { return shiftSinceSaveY_; }
  void MarkSaved() { shiftSinceSaveX_ = shiftSinceSaveY_ = 0; }
  // Keeps only the width by height cells from (left, top) on, which become the
  // new (0, 0): what undoing a growth does. NPCs are left where they stand; the
  // caller puts them back. The rectangle must lie in the grid.
  void Crop(int32_t left, int32_t top, int32_t width, int32_t height);

  // A whole cell, for taking an edit back; outside the grid a fresh tile is
  // read and nothing is written.
  const RkTile& GetTile(int32_t x, int32_t y) const;
  void SetTile(int32_t x, int32_t y, const RkTile& tile);
  // Moves by (dx, dy) the start point of every New Area cell whose target is the
  // map mapFile (RkMapPath::LeadsInto); returns how many cells changed.
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
  // Puts an NPC at that place of the sequence (at most GetNPCCount()), or takes
  // the one there out: the others keep their order. For taking edits back.
  void InsertNPC(unsigned index, const RkNPC& npc);
  void EraseNPC(unsigned index);

  // The kind of the cell one step from (x, y) (the cell itself for
  // DirectionNone); TileNull outside the grid or for another direction value.
  int32_t GetTileTypeToward(int32_t x, int32_t y, RkDirection direction) const;
  // Whether an NPC stands one step from (x, y); false for directions other than 1 to 4.
  bool IsNPCToward(int32_t x, int32_t y, RkDirection direction) const;

 private:
  // The one writer of the world file's layout, over this world's cells.
  RkWorldWriter Writer() const;
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
  static std::optional<RkFailure> ReadSize(RkBinaryReader& reader, int32_t& width, int32_t& height);
  std::optional<RkFailure> ReadTiles(RkBinaryReader& reader, int32_t width, int32_t height);
  std::optional<RkFailure> ReadNPCs(RkBinaryReader& reader);

  using TileGrid = std::vector<RkTile>;

  // Column after column, like the file: cell (x, y) is tiles_[x * height_ + y].
  TileGrid tiles_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<RkNPC> npcs_;
  std::string fileName_;
  int32_t shiftSinceSaveX_ = 0;
  int32_t shiftSinceSaveY_ = 0;
};
