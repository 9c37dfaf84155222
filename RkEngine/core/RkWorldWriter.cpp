// Writing the world file, step by step, with the failure of each step.
#include "RkWorldWriter.h"

#include <utility>

#include "RkBinaryWriter.h"

namespace {

constexpr const char* kSource = "RkWorld";
constexpr const char* kWriteFailed = "Failed to write world data to file.";
constexpr const char* kCloseFailed = "Failed to close the world file.";
constexpr const char* kCreateFailed = "Failed to create the world file.";
constexpr const char* kCancelledCause = "The save was cancelled.\n";
// How many cells are written between two looks at keepGoing.
constexpr std::size_t kCellsPerLook = 4096;

RkFailure StepFailure(const RkBinaryWriter& writer, const char* message, int line) {
  return RkFailure::FromError(message, writer.GetError(), kSource, line);
}

RkFailure Cancelled() { return RkFailure(kWriteFailed, kCancelledCause, kSource, 317); }

}  // namespace

std::optional<RkFailure> RkWorldWriter::Write(const char* fileName, const KeepGoing& keepGoing) const {
  RkBinaryWriter writer;
  if (!writer.Open(fileName)) return StepFailure(writer, kCreateFailed, 291);
  if (auto failure = WriteRecords(writer, keepGoing)) return failure;
  // The last buffered data reaches the file (and the disk) here: a failure is
  // the world's last write failing.
  if (!writer.Flush()) return StepFailure(writer, kWriteFailed, 317);
  if (!writer.Close()) return StepFailure(writer, kCloseFailed, 328);
  if (keepGoing && !keepGoing()) return Cancelled();
  // Putting the finished file in place of the old one completes its creation.
  if (!writer.Commit()) return StepFailure(writer, kCreateFailed, 291);
  return std::nullopt;
}

std::optional<RkFailure> RkWorldWriter::WriteRecords(RkBinaryWriter& writer, const KeepGoing& keepGoing) const {
  if (!writer.WriteInt32(width)) return StepFailure(writer, kWriteFailed, 297);
  if (!writer.WriteInt32(height)) return StepFailure(writer, kWriteFailed, 301);
  if (auto failure = WriteTiles(writer, keepGoing)) return failure;
  if (!writer.WriteUInt32(static_cast<uint32_t>(npcs.size()))) return StepFailure(writer, kWriteFailed, 317);
  for (const RkNPC& npc : npcs) {
    if (auto failure = npc.Write(writer)) return failure;
  }
  return std::nullopt;
}

std::optional<RkFailure> RkWorldWriter::WriteTiles(RkBinaryWriter& writer, const KeepGoing& keepGoing) const {
  const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  RkTile scratch;
  for (std::size_t i = 0; i < cells; ++i) {
    if (i % kCellsPerLook == 0 && keepGoing && !keepGoing()) return Cancelled();
    if (auto failure = tileAt(i, scratch).Write(writer)) return failure;
  }
  return std::nullopt;
}
