// One cell of the world grid: its kind of ground, its image, and for a cell that
// leads to another map, that map's file and the player's starting cell there.
//
// Tile record (1012 bytes, little-endian, no padding), also the file order:
//   0     4    type, signed 32-bit (RkTileType; any value is kept)
//   4     500  imageFile, text field
//   504   500  newAreaName, text field
//   1004  4    newAreaStartX, signed 32-bit
//   1008  4    newAreaStartY, signed 32-bit
#pragma once

#include <cstdint>
#include <optional>

#include "RkFailure.h"
#include "RkTextField.h"

class RkBinaryReader;
class RkBinaryWriter;
class RkTextPool;

enum RkTileType : int32_t {
  TileNull = 0,
  TileOpen = 1,
  TileImpassable = 2,
  TileNewArea = 3,
};

class RkTile {
 public:
  static constexpr int kRecordSize = 1012;

  int32_t GetType() const { return type_; }
  void SetType(int32_t type) { type_ = type; }
  const char* GetImageFile() const { return imageFile_.Get(); }
  // Fatal for a text of 500 characters or more.
  void SetImageFile(const char* imageFile);
  const char* GetNewAreaName() const { return newAreaName_.Get(); }
  // Fatal for a text of 500 characters or more.
  void SetNewAreaName(const char* newAreaName);
  int32_t GetNewAreaStartX() const { return newAreaStartX_; }
  int32_t GetNewAreaStartY() const { return newAreaStartY_; }
  void SetNewAreaStart(int32_t x, int32_t y);
  // The same record, field for field.
  bool operator==(const RkTile& other) const {
    return type_ == other.type_ && imageFile_ == other.imageFile_ && newAreaName_ == other.newAreaName_ &&
           newAreaStartX_ == other.newAreaStartX_ && newAreaStartY_ == other.newAreaStartY_;
  }

  // Appends the record; a failed write comes back as the failure of its fatal
  // report ("Failed to write tile data to file.").
  [[nodiscard]] std::optional<RkFailure> Write(RkBinaryWriter& writer) const;
  // Fills the tile from the record at the reader's position. A file that ends
  // early leaves the fields it no longer holds as they were; a failed read comes
  // back as the failure of its fatal report ("Failed to read the tile data.").
  [[nodiscard]] std::optional<RkFailure> Read(RkBinaryReader& reader);
  // The same, the texts kept once in the pool for all the tiles that name them
  // (a world's grid).
  [[nodiscard]] std::optional<RkFailure> Read(RkBinaryReader& reader, RkTextPool& pool);

 private:
  // A whole record in memory, the common case of a world file's grid.
  void ReadWhole(const unsigned char* record, RkTextPool& pool);
  std::optional<RkFailure> ReadFieldByField(RkBinaryReader& reader);

  int32_t type_ = TileNull;
  RkTextField imageFile_;
  RkTextField newAreaName_;
  int32_t newAreaStartX_ = 0;
  int32_t newAreaStartY_ = 0;
};
