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

void ReportTooLong(int line) { ReportWin32Error(kSetFailed, RkTextField::kTooLongCause, kSource, line); }

RkFailure WriteFailure(const RkBinaryWriter& writer, int line) {
  return RkFailure::FromError(kWriteFailed, writer.GetError(), kSource, line);
}

RkFailure ReadFailure(const RkBinaryReader& reader, int line) {
  return RkFailure::FromError(kReadFailed, reader.GetError(), kSource, line);
}

}  // namespace

void RkText::SetAsDialogueText(int32_t id, const char* text) {
  id_ = id;
  if (!text_.Assign(text)) ReportTooLong(45);
  nextId_ = -1;
}

void RkText::SetAsResponse(const char* text, int32_t nextId) {
  id_ = -1;
  if (!text_.Assign(text)) ReportTooLong(64);
  nextId_ = nextId;
}

void RkText::SetText(const char* text) {
  if (!text_.Assign(text)) ReportTooLong(154);
}

std::optional<RkFailure> RkText::Write(RkBinaryWriter& writer) const {
  if (!writer.WriteInt32(id_)) return WriteFailure(writer, 85);
  if (!text_.Write(writer)) return WriteFailure(writer, 91);
  if (!writer.WriteInt32(nextId_)) return WriteFailure(writer, 97);
  return std::nullopt;
}

std::optional<RkFailure> RkText::Read(RkBinaryReader& reader) {
  if (!reader.ReadInt32(id_)) return ReadFailure(reader, 117);
  if (!text_.Read(reader)) return ReadFailure(reader, 123);
  if (!reader.ReadInt32(nextId_)) return ReadFailure(reader, 129);
  return std::nullopt;
}
