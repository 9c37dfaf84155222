// Taking a world's snapshot and writing it as a world file.
#include "RkWorldSnapshot.h"

#include <cstring>
#include <unordered_map>

#include "RkTile.h"
#include "RkWorld.h"
#include "RkWorldWriter.h"

namespace {

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

// Each cell becomes a tile again and writes itself through the world file's
// one writer, so the file is a world file like any other.
std::optional<RkFailure> RkWorldSnapshot::Save(const char* fileName, const KeepGoing& keepGoing) const {
  const RkWorldWriter writer(
      width_, height_,
      [this](std::size_t index, RkTile& tile) -> const RkTile& {
        const Cell& cell = cells_[index];
        tile.SetType(cell.type);
        tile.SetImageFile(texts_[cell.imageFile].c_str());
        tile.SetNewAreaName(texts_[cell.newAreaName].c_str());
        tile.SetNewAreaStart(cell.newAreaStartX, cell.newAreaStartY);
        return tile;
      },
      npcs_);
  return writer.Write(fileName, keepGoing);
}
