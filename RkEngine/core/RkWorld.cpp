// The world: loading and saving the world file, the editor's grid and NPC
// editing, and the game's neighbour queries.
#include "RkWorld.h"

#include <algorithm>
#include <string>
#include <utility>

#include "RkBinaryReader.h"
#include "RkError.h"
#include "RkGridMath.h"
#include "RkMapPath.h"
#include "RkNotice.h"
#include "RkTextPool.h"
#include "RkWorldWriter.h"

namespace {

constexpr const char* kSource = "RkWorld";
constexpr const char* kReadFailed = "Failed to read from the world file.";
constexpr const char* kCloseFailed = "Failed to close the world file.";
// NPC kinds from here on can only come from a damaged or foreign file.
constexpr int32_t kFirstBadNPCType = 5;

RkFailure ReadFailure(const RkBinaryReader& reader, int line) {
  return RkFailure::FromError(kReadFailed, reader.GetError(), kSource, line);
}

std::string DeclaredGridText(int32_t width, int32_t height, const char* verdict) {
  return "The file declares a grid of " + std::to_string(width) + " by " + std::to_string(height) + " cells, " +
         verdict + "\n";
}

const RkTile& FreshTile() {
  static const RkTile fresh;
  return fresh;
}

}  // namespace

void RkWorld::Clear() {
  TileGrid().swap(tiles_);
  width_ = 0;
  height_ = 0;
  npcs_.clear();
  fileName_.clear();
  MarkSaved();
}

void RkWorld::Load(const char* fileName) {
  if (std::optional<RkFailure> failure = TryLoad(fileName)) failure->Report();
}

std::optional<RkFailure> RkWorld::TryLoad(const char* fileName) {
  RkBinaryReader reader;
  if (!reader.Open(fileName)) {
    return RkFailure::FromError("Failed to open the world file.", reader.GetError(), kSource,
                                RkProgramLine(350, 407));
  }
  RkWorld loaded;
  if (auto failure = loaded.TryRead(reader, fileName)) return failure;
  if (!reader.Close()) {
    return RkFailure::FromError(kCloseFailed, reader.GetError(), kSource, RkProgramLine(395, 452));
  }
  *this = std::move(loaded);
  return std::nullopt;
}

std::optional<RkFailure> RkWorld::TryRead(RkBinaryReader& reader, const char* fileName) {
  RkWorld loaded;
  int32_t width = 0;
  int32_t height = 0;
  if (auto failure = ReadSize(reader, width, height)) return failure;
  if (auto failure = loaded.ReadTiles(reader, width, height)) return failure;
  if (auto failure = loaded.ReadNPCs(reader)) return failure;
  loaded.fileName_ = fileName;
  *this = std::move(loaded);
  return std::nullopt;
}

// Refuses a size that only a damaged file holds, before anything is allocated:
// a negative one, a grid over kMaxCells, or one whose cells the file does not
// hold beyond kMaxFreshCells (a file cut inside its grid still loads).
std::optional<RkFailure> RkWorld::ReadSize(RkBinaryReader& reader, int32_t& width, int32_t& height) {
  if (!reader.ReadInt32(width)) return ReadFailure(reader, RkProgramLine(356, 413));
  if (!reader.ReadInt32(height)) return ReadFailure(reader, RkProgramLine(360, 417));
  const int refusedLine = RkProgramLine(360, 417);
  if (width < 0 || height < 0) {
    return RkFailure(kReadFailed, "The file declares a negative width or height.\n", kSource, refusedLine);
  }
  const int64_t cells = static_cast<int64_t>(width) * height;
  if (cells > kMaxCells) {
    return RkFailure(kReadFailed, DeclaredGridText(width, height, "more than a world file may hold."), kSource,
                     refusedLine);
  }
  const uint64_t heldCells = (reader.GetRemainingSize() + RkTile::kRecordSize - 1) / RkTile::kRecordSize;
  if (cells > static_cast<int64_t>(heldCells) + kMaxFreshCells) {
    return RkFailure(kReadFailed, DeclaredGridText(width, height, "far more than the file holds."), kSource,
                     refusedLine);
  }
  return std::nullopt;
}

// Each tile is read right after it is made, while its memory is still in the
// cache. The size is set only once the grid is whole.
std::optional<RkFailure> RkWorld::ReadTiles(RkBinaryReader& reader, int32_t width, int32_t height) {
  const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  tiles_.reserve(cells);
  RkTextPool texts;
  while (tiles_.size() < cells && reader.HasMore()) {
    tiles_.emplace_back();
    if (auto failure = tiles_.back().Read(reader, texts)) return failure;
  }
  // Cells past the end of a short file are fresh tiles.
  tiles_.resize(cells);
  width_ = width;
  height_ = height;
  return std::nullopt;
}

std::optional<RkFailure> RkWorld::ReadNPCs(RkBinaryReader& reader) {
  uint32_t count = 0;
  if (!reader.ReadUInt32(count)) return ReadFailure(reader, RkProgramLine(379, 436));
  // A damaged count is honoured only while the file still holds records.
  for (uint32_t i = 0; i < count && reader.HasMore(); ++i) {
    RkNPC npc;
    if (auto failure = npc.Read(reader)) return failure;
    if (npc.GetType() >= kFirstBadNPCType) ShowNotice("still bad");
    npcs_.push_back(std::move(npc));
  }
  return std::nullopt;
}

void RkWorld::Save(const char* fileName) const {
  if (std::optional<RkFailure> failure = TrySave(fileName)) failure->Report();
}

std::optional<RkFailure> RkWorld::TrySave(const char* fileName) const {
  return Writer().Write(fileName);
}

// The same layout on a writer that is already open (a memory stream, say).
std::optional<RkFailure> RkWorld::TryWrite(RkBinaryWriter& writer) const { return Writer().WriteRecords(writer); }

RkWorldWriter RkWorld::Writer() const {
  return RkWorldWriter(
      width_, height_, [this](std::size_t index, RkTile&) -> const RkTile& { return tiles_[index]; }, npcs_);
}

bool RkWorld::IsInBounds(int32_t x, int32_t y) const {
  return x >= 0 && x < width_ && y >= 0 && y < height_;
}

const RkTile* RkWorld::FindTile(int32_t x, int32_t y) const {
  if (!IsInBounds(x, y)) return nullptr;
  return &tiles_[static_cast<std::size_t>(x) * static_cast<std::size_t>(height_) + static_cast<std::size_t>(y)];
}

RkTile* RkWorld::FindTile(int32_t x, int32_t y) {
  return const_cast<RkTile*>(static_cast<const RkWorld*>(this)->FindTile(x, y));
}

int32_t RkWorld::GetTileType(int32_t x, int32_t y) const {
  const RkTile* tile = FindTile(x, y);
  return (tile != nullptr ? *tile : FreshTile()).GetType();
}

const char* RkWorld::GetTileImageFile(int32_t x, int32_t y) const {
  const RkTile* tile = FindTile(x, y);
  return (tile != nullptr ? *tile : FreshTile()).GetImageFile();
}

const char* RkWorld::GetTileNewAreaName(int32_t x, int32_t y) const {
  const RkTile* tile = FindTile(x, y);
  return (tile != nullptr ? *tile : FreshTile()).GetNewAreaName();
}

int32_t RkWorld::GetTileNewAreaStartX(int32_t x, int32_t y) const {
  const RkTile* tile = FindTile(x, y);
  return (tile != nullptr ? *tile : FreshTile()).GetNewAreaStartX();
}

int32_t RkWorld::GetTileNewAreaStartY(int32_t x, int32_t y) const {
  const RkTile* tile = FindTile(x, y);
  return (tile != nullptr ? *tile : FreshTile()).GetNewAreaStartY();
}

void RkWorld::SetTileType(int32_t x, int32_t y, int32_t type) {
  if (RkTile* tile = FindTile(x, y)) tile->SetType(type);
}

void RkWorld::SetTileImageFile(int32_t x, int32_t y, const char* imageFile) {
  if (RkTile* tile = FindTile(x, y)) tile->SetImageFile(imageFile);
}

void RkWorld::SetTileNewArea(int32_t x, int32_t y, const char* name, int32_t startX, int32_t startY) {
  if (RkTile* tile = FindTile(x, y)) {
    tile->SetNewAreaName(name);
    tile->SetNewAreaStart(startX, startY);
  }
}

// The new size, and how far the old cells move, for a cell (x, y) outside the grid.
RkWorld::Growth RkWorld::PlanGrowth(int32_t x, int32_t y) const {
  Growth growth{width_, height_, 0, 0, GrowRightOrDown};
  if (x < 0) {
    growth.width = width_ - x;
    growth.shiftX = -x;
  } else if (x >= width_) {
    growth.width = x + 1;
  }
  if (y < 0) {
    growth.height = height_ - y;
    growth.shiftY = -y;
  } else if (y >= height_) {
    growth.height = y + 1;
  }
  if (x < 0 && y < 0) {
    growth.result = GrowLeftAndUp;
  } else if (x < 0) {
    growth.result = GrowLeft;
  } else if (y < 0) {
    growth.result = GrowUp;
  }
  return growth;
}

RkGrowResult RkWorld::Grow(int32_t x, int32_t y) {
  const Growth growth = PlanGrowth(x, y);
  TileGrid grown(static_cast<std::size_t>(growth.width) * static_cast<std::size_t>(growth.height));
  for (int32_t i = 0; i < width_; ++i) {
    for (int32_t j = 0; j < height_; ++j) {
      const std::size_t from = static_cast<std::size_t>(i) * height_ + j;
      const std::size_t to = static_cast<std::size_t>(i + growth.shiftX) * growth.height + (j + growth.shiftY);
      grown[to] = std::move(tiles_[from]);
    }
  }
  tiles_.swap(grown);
  width_ = growth.width;
  height_ = growth.height;
  shiftSinceSaveX_ = RkGridMath::AddClamped(shiftSinceSaveX_, growth.shiftX);
  shiftSinceSaveY_ = RkGridMath::AddClamped(shiftSinceSaveY_, growth.shiftY);
  // NPCs move with the cells, so each keeps standing on the ground it stood on.
  for (RkNPC& npc : npcs_) {
    npc.SetPosition(RkGridMath::AddClamped(npc.GetX(), growth.shiftX), RkGridMath::AddClamped(npc.GetY(), growth.shiftY));
  }
  // Links back into this map name cells by number: they follow their cells.
  if (!fileName_.empty() && (growth.shiftX != 0 || growth.shiftY != 0)) {
    ShiftStartPointsInto(fileName_.c_str(), growth.shiftX, growth.shiftY);
  }
  return growth.result;
}

void RkWorld::Crop(int32_t left, int32_t top, int32_t width, int32_t height) {
  TileGrid kept(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int32_t i = 0; i < width; ++i) {
    for (int32_t j = 0; j < height; ++j) {
      const std::size_t from = static_cast<std::size_t>(i + left) * height_ + (j + top);
      kept[static_cast<std::size_t>(i) * height + j] = std::move(tiles_[from]);
    }
  }
  tiles_.swap(kept);
  width_ = width;
  height_ = height;
  shiftSinceSaveX_ = RkGridMath::AddClamped(shiftSinceSaveX_, -left);
  shiftSinceSaveY_ = RkGridMath::AddClamped(shiftSinceSaveY_, -top);
}

const RkTile& RkWorld::GetTile(int32_t x, int32_t y) const {
  const RkTile* tile = FindTile(x, y);
  return tile != nullptr ? *tile : FreshTile();
}

void RkWorld::SetTile(int32_t x, int32_t y, const RkTile& tile) {
  if (RkTile* cell = FindTile(x, y)) *cell = tile;
}

int RkWorld::ShiftStartPointsInto(const char* mapFile, int32_t dx, int32_t dy) {
  int shifted = 0;
  for (RkTile& tile : tiles_) {
    if (tile.GetType() != TileNewArea || !RkMapPath::LeadsInto(tile.GetNewAreaName(), mapFile)) continue;
    tile.SetNewAreaStart(RkGridMath::AddClamped(tile.GetNewAreaStartX(), dx),
                         RkGridMath::AddClamped(tile.GetNewAreaStartY(), dy));
    ++shifted;
  }
  return shifted;
}

void RkWorld::SetNPC(const char* name, int32_t x, int32_t y, const char* imageFile, int32_t type) {
  for (RkNPC& npc : npcs_) {
    if (npc.GetX() == x && npc.GetY() == y) {
      npc.SetName(name);
      npc.SetImageFile(imageFile);
      npc.SetType(type);
      return;
    }
  }
  RkNPC npc(name);
  npc.SetPosition(x, y);
  npc.SetImageFile(imageFile);
  npc.SetType(type);
  npcs_.push_back(std::move(npc));
}

void RkWorld::RemoveNPCsAt(int32_t x, int32_t y) {
  npcs_.erase(std::remove_if(npcs_.begin(), npcs_.end(),
                             [x, y](const RkNPC& npc) { return npc.GetX() == x && npc.GetY() == y; }),
              npcs_.end());
}

void RkWorld::InsertNPC(unsigned index, const RkNPC& npc) {
  npcs_.insert(npcs_.begin() + std::min<std::size_t>(index, npcs_.size()), npc);
}

void RkWorld::EraseNPC(unsigned index) {
  if (index < npcs_.size()) npcs_.erase(npcs_.begin() + index);
}

// False for a direction value outside 0 to 4, and for a step past the int32
// limits (from a position out of a damaged file): no cell lies there.
bool RkWorld::StepToward(int32_t& x, int32_t& y, RkDirection direction) {
  switch (direction) {
    case DirectionNone: return true;
    case DirectionLeft: return RkGridMath::Add(x, -1, x);
    case DirectionRight: return RkGridMath::Add(x, 1, x);
    case DirectionUp: return RkGridMath::Add(y, -1, y);
    case DirectionDown: return RkGridMath::Add(y, 1, y);
  }
  return false;
}

int32_t RkWorld::GetTileTypeToward(int32_t x, int32_t y, RkDirection direction) const {
  if (!StepToward(x, y, direction)) return TileNull;
  return GetTileType(x, y);
}

bool RkWorld::IsNPCToward(int32_t x, int32_t y, RkDirection direction) const {
  if (direction == DirectionNone || !StepToward(x, y, direction)) return false;
  return std::any_of(npcs_.begin(), npcs_.end(),
                     [x, y](const RkNPC& npc) { return npc.GetX() == x && npc.GetY() == y; });
}
