// Tiles: their setters and their 1012-byte record.
#include "RkTile.h"

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"

namespace {

constexpr const char* kSource = "RkTile";
constexpr const char* kWriteFailed = "Failed to write tile data to file.";
constexpr const char* kReadFailed = "Failed to read the tile data.";

}  // namespace

void RkTile::SetImageFile(const char* imageFile) {
  if (!imageFile_.Assign(imageFile)) ReportWin32Error("Failed to copy the image file location.", kSource, 151);
}

void RkTile::SetNewAreaName(const char* newAreaName) {
  if (!newAreaName_.Assign(newAreaName)) ReportWin32Error("Failed to copy the new area name.", kSource, 161);
}

void RkTile::SetNewAreaStart(int32_t x, int32_t y) {
  newAreaStartX_ = x;
  newAreaStartY_ = y;
}

void RkTile::Write(RkBinaryWriter& writer) const {
  if (!writer.WriteInt32(type_)) ReportWin32Error(kWriteFailed, kSource, 54);
  if (!imageFile_.Write(writer)) ReportWin32Error(kWriteFailed, kSource, 60);
  if (!newAreaName_.Write(writer)) ReportWin32Error(kWriteFailed, kSource, 66);
  if (!writer.WriteInt32(newAreaStartX_)) ReportWin32Error(kWriteFailed, kSource, 72);
  if (!writer.WriteInt32(newAreaStartY_)) ReportWin32Error(kWriteFailed, kSource, 78);
}

void RkTile::Read(RkBinaryReader& reader) {
  if (!reader.ReadInt32(type_)) ReportWin32Error(kReadFailed, kSource, 101);
  if (!imageFile_.Read(reader)) ReportWin32Error(kReadFailed, kSource, 107);
  if (!newAreaName_.Read(reader)) ReportWin32Error(kReadFailed, kSource, 113);
  if (!reader.ReadInt32(newAreaStartX_)) ReportWin32Error(kReadFailed, kSource, 119);
  if (!reader.ReadInt32(newAreaStartY_)) ReportWin32Error(kReadFailed, kSource, 125);
}
