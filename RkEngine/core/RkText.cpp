// Numbered texts: setters and their 508-byte record.
#include "RkText.h"

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"

namespace {

constexpr const char* kSource = "RkText";
constexpr const char* kSetFailed = "Failed to set the name of the Dialogue text.";
constexpr const char* kWriteFailed = "Failed to write dialogue data to file.";
constexpr const char* kReadFailed = "Failed to read dialogue data.";

}  // namespace

void RkText::SetAsDialogueText(int32_t id, const char* text) {
  id_ = id;
  if (!text_.Assign(text)) ReportWin32Error(kSetFailed, kSource, 45);
  nextId_ = -1;
}

void RkText::SetAsResponse(const char* text, int32_t nextId) {
  id_ = -1;
  if (!text_.Assign(text)) ReportWin32Error(kSetFailed, kSource, 64);
  nextId_ = nextId;
}

void RkText::SetText(const char* text) {
  if (!text_.Assign(text)) ReportWin32Error(kSetFailed, kSource, 154);
}

void RkText::Write(RkBinaryWriter& writer) const {
  if (!writer.WriteInt32(id_)) ReportWin32Error(kWriteFailed, kSource, 85);
  if (!text_.Write(writer)) ReportWin32Error(kWriteFailed, kSource, 91);
  if (!writer.WriteInt32(nextId_)) ReportWin32Error(kWriteFailed, kSource, 97);
}

void RkText::Read(RkBinaryReader& reader) {
  if (!reader.ReadInt32(id_)) ReportWin32Error(kReadFailed, kSource, 117);
  if (!text_.Read(reader)) ReportWin32Error(kReadFailed, kSource, 123);
  if (!reader.ReadInt32(nextId_)) ReportWin32Error(kReadFailed, kSource, 129);
}
