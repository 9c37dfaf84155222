// Tiles: their setters and their 1012-byte record.
#include "RkTile.h"

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"
#include "RkTextPool.h"

namespace {

constexpr const char* kSource = "RkTile";
constexpr const char* kWriteFailed = "Failed to write tile data to file.";
constexpr const char* kReadFailed = "Failed to read the tile data.";

RkFailure WriteFailure(const RkBinaryWriter& writer, int line) {
  return RkFailure::FromError(kWriteFailed, writer.GetError(), kSource, line);
}

int32_t DecodeInt32(const unsigned char* bytes) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return static_cast<int32_t>(value);
}

RkFailure ReadFailure(const RkBinaryReader& reader, int line) {
  return RkFailure::FromError(kReadFailed, reader.GetError(), kSource, line);
}

}  // namespace

void RkTile::SetImageFile(const char* imageFile) {
  if (!imageFile_.Assign(imageFile)) ReportWin32Error("Failed to copy the image file location.", RkTextField::kTooLongCause, kSource, 151);
}

void RkTile::SetNewAreaName(const char* newAreaName) {
  if (!newAreaName_.Assign(newAreaName)) {
    ReportWin32Error("Failed to copy the new area name.", RkTextField::kTooLongCause, kSource, 161);
  }
}

void RkTile::SetNewAreaStart(int32_t x, int32_t y) {
  newAreaStartX_ = x;
  newAreaStartY_ = y;
}

std::optional<RkFailure> RkTile::Write(RkBinaryWriter& writer) const {
  if (!writer.WriteInt32(type_)) return WriteFailure(writer, 54);
  if (!imageFile_.Write(writer)) return WriteFailure(writer, 60);
  if (!newAreaName_.Write(writer)) return WriteFailure(writer, 66);
  if (!writer.WriteInt32(newAreaStartX_)) return WriteFailure(writer, 72);
  if (!writer.WriteInt32(newAreaStartY_)) return WriteFailure(writer, 78);
  return std::nullopt;
}

std::optional<RkFailure> RkTile::Read(RkBinaryReader& reader) {
  RkTextPool pool;
  return Read(reader, pool);
}

std::optional<RkFailure> RkTile::Read(RkBinaryReader& reader, RkTextPool& pool) {
  if (const unsigned char* record = reader.Take(kRecordSize)) {
    ReadWhole(record, pool);
    return std::nullopt;
  }
  return ReadFieldByField(reader);
}

// The offsets of the record's layout above.
void RkTile::ReadWhole(const unsigned char* record, RkTextPool& pool) {
  type_ = DecodeInt32(record);
  imageFile_.ReadWhole(record + 4, pool);
  newAreaName_.ReadWhole(record + 4 + RkTextField::kSize, pool);
  newAreaStartX_ = DecodeInt32(record + 4 + 2 * RkTextField::kSize);
  newAreaStartY_ = DecodeInt32(record + 8 + 2 * RkTextField::kSize);
}

// A record split between two blocks, or cut short by the end of the file.
std::optional<RkFailure> RkTile::ReadFieldByField(RkBinaryReader& reader) {
  if (!reader.ReadInt32(type_)) return ReadFailure(reader, 101);
  if (!imageFile_.Read(reader)) return ReadFailure(reader, 107);
  if (!newAreaName_.Read(reader)) return ReadFailure(reader, 113);
  if (!reader.ReadInt32(newAreaStartX_)) return ReadFailure(reader, 119);
  if (!reader.ReadInt32(newAreaStartY_)) return ReadFailure(reader, 125);
  return std::nullopt;
}
