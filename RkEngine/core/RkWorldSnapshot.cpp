// Taking a world's snapshot and writing it as a world file.
#include "RkWorldSnapshot.h"

#include <cstring>
#include <unordered_map>

#include "RkBinaryWriter.h"
#include "RkTile.h"
#include "RkWorld.h"

namespace {

constexpr const char* kSource = "RkWorldSnapshot";
constexpr const char* kCreateFailed = "Failed to create the world file.";
constexpr const char* kWriteFailed = "Failed to write world data to file.";
constexpr const char* kCloseFailed = "Failed to close the world file.";
constexpr const char* kCancelledCause = "The save was cancelled.\n";
// How many cells are written between two looks at keepGoing.
constexpr std::size_t kCellsPerLook = 4096;

RkFailure StepFailure(const RkBinaryWriter& writer, const char* message, int line) {
  return RkFailure::FromError(message, writer.GetError(), kSource, line);
}

RkFailure Cancelled() { return RkFailure(kWriteFailed, kCancelledCause, kSource, __LINE__); }

// Gives each distinct text one number. Neighbouring cells mostly hold the same
// texts, so the last text of each field is compared first, before any hashing.
class TextTable {
 public:
  explicit TextTable(std::vector<std::string>& texts) : texts(texts) { Number(""); }

  uint32_t Number(const char* text, uint32_t lastNumber) {
    if (std::strcmp(texts[lastNumber].c_str(), text) == 0) return lastNumber;
    return Number(text);
  }

 private:
  uint32_t Number(const char* text) {
    const auto found = numbers.find(text);
    if (found != numbers.end()) return found->second;
    const auto number = static_cast<uint32_t>(texts.size());
    texts.emplace_back(text);
    numbers.emplace(texts.back(), number);
    return number;
  }

  std::vector<std::string>& texts;
  std::unordered_map<std::string, uint32_t> numbers;
};

}  // namespace

RkWorldSnapshot::RkWorldSnapshot(const RkWorld& world) : width_(world.GetWidth()), height_(world.GetHeight()) {
  cells_.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  TextTable table(texts_);
  Cell last{TileNull, 0, 0, 0, 0};
  for (int32_t x = 0; x < width_; ++x) {
    for (int32_t y = 0; y < height_; ++y) {
      const RkTile& tile = world.GetTile(x, y);
      last = Cell{tile.GetType(), table.Number(tile.GetImageFile(), last.imageFile),
                  table.Number(tile.GetNewAreaName(), last.newAreaName), tile.GetNewAreaStartX(),
                  tile.GetNewAreaStartY()};
      cells_.push_back(last);
    }
  }
  npcs_.reserve(world.GetNPCCount());
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) npcs_.push_back(world.GetNPC(i));
}

// The steps and failures of RkWorld::TrySave, so the file is a world file like any other.
std::optional<RkFailure> RkWorldSnapshot::Save(const char* fileName, const KeepGoing& keepGoing) const {
  RkBinaryWriter writer;
  if (!writer.Open(fileName)) return StepFailure(writer, kCreateFailed, __LINE__);
  if (auto failure = WriteRecords(writer, keepGoing)) return failure;
  if (!writer.Flush()) return StepFailure(writer, kWriteFailed, __LINE__);
  if (!writer.Close()) return StepFailure(writer, kCloseFailed, __LINE__);
  if (keepGoing && !keepGoing()) return Cancelled();
  if (!writer.Commit()) return StepFailure(writer, kCreateFailed, __LINE__);
  return std::nullopt;
}

std::optional<RkFailure> RkWorldSnapshot::WriteRecords(RkBinaryWriter& writer, const KeepGoing& keepGoing) const {
  if (!writer.WriteInt32(width_) || !writer.WriteInt32(height_)) {
    return StepFailure(writer, kWriteFailed, __LINE__);
  }
  if (auto failure = WriteCells(writer, keepGoing)) return failure;
  if (!writer.WriteUInt32(static_cast<uint32_t>(npcs_.size()))) return StepFailure(writer, kWriteFailed, __LINE__);
  for (const RkNPC& npc : npcs_) {
    if (auto failure = npc.Write(writer)) return failure;
  }
  return std::nullopt;
}

// Each cell becomes a tile again and writes its own record, so the layout of a
// record stays in RkTile alone.
std::optional<RkFailure> RkWorldSnapshot::WriteCells(RkBinaryWriter& writer, const KeepGoing& keepGoing) const {
  RkTile tile;
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    if (i % kCellsPerLook == 0 && keepGoing && !keepGoing()) return Cancelled();
    const Cell& cell = cells_[i];
    tile.SetType(cell.type);
    tile.SetImageFile(texts_[cell.imageFile].c_str());
    tile.SetNewAreaName(texts_[cell.newAreaName].c_str());
    tile.SetNewAreaStart(cell.newAreaStartX, cell.newAreaStartY);
    if (auto failure = tile.Write(writer)) return failure;
  }
  return std::nullopt;
}
