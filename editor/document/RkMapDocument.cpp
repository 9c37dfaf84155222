// The edited map's edits, commands and replacement, each told to the map's views.
#include "RkMapDocument.h"

#include <algorithm>
#include <utility>

#include "RkClearMapStep.h"

RkMapDocument::RkMapDocument() = default;

void RkMapDocument::Notify(const Change& change) {
  if (changed) changed(change);
}

void RkMapDocument::NotifyCellsMoved(const std::string& file, int32_t dx, int32_t dy) {
  if (cellsMoved && (dx != 0 || dy != 0)) cellsMoved(file, dx, dy);
}

void RkMapDocument::PlaceOrigin(int32_t viewCellX, int32_t viewCellY) { origin.SetPosition(viewCellX, viewCellY); }

bool RkMapDocument::GrowToReach(int32_t& cellX, int32_t& cellY) {
  if (!world.IsInBounds(cellX, cellY)) {
    const int64_t newWidth = cellX < 0 ? int64_t{world.GetWidth()} - cellX
                                       : std::max<int64_t>(world.GetWidth(), int64_t{cellX} + 1);
    const int64_t newHeight = cellY < 0 ? int64_t{world.GetHeight()} - cellY
                                        : std::max<int64_t>(world.GetHeight(), int64_t{cellY} + 1);
    if (newWidth * newHeight > RkWorld::kMaxCells) {
      return false;
    }
    strokes.WorldWillGrow(cellX, cellY);
    const RkGrowResult result = world.Grow(cellX, cellY);
    if (result == GrowLeft || result == GrowLeftAndUp) {
      origin.SetPosition(origin.GetX() + cellX, origin.GetY());
    }
    if (result == GrowUp || result == GrowLeftAndUp) {
      origin.SetPosition(origin.GetX(), origin.GetY() + cellY);
    }
    NotifyCellsMoved(world.GetFileName(), cellX < 0 ? -cellX : 0, cellY < 0 ? -cellY : 0);
  }
  cellX = std::max(cellX, 0);
  cellY = std::max(cellY, 0);
  return true;
}

void RkMapDocument::SetTile(int32_t x, int32_t y, const RkTile& tile) {
  strokes.CellWillChange(x, y);
  world.SetTile(x, y, tile);
  Notify({Change::Kind::Tile, origin.GetX() + x, origin.GetY() + y});
}

void RkMapDocument::RemoveNPCsAt(int32_t x, int32_t y) {
  strokes.NPCsWillChange(x, y);
  world.RemoveNPCsAt(x, y);
  Notify({Change::Kind::NPCs, origin.GetX() + x, origin.GetY() + y});
}

void RkMapDocument::SetNPC(const char* name, int32_t x, int32_t y, const char* imageFile, int32_t type) {
  strokes.NPCsWillChange(x, y);
  world.SetNPC(name, x, y, imageFile, type);
  Notify({Change::Kind::NPCs, origin.GetX() + x, origin.GetY() + y});
}

void RkMapDocument::Run(std::unique_ptr<RkEditStep> step) {
  strokes.EndStroke();
  step->Redo();
  history.Push(std::move(step));
}

// A cleared map is a new one: it has no file, so saving it never writes over
// the file it replaced without the replace question; undoing the clear gives
// the file back with the world.
void RkMapDocument::Clear(RkMapNameField& nameField) {
  if (auto step = RkClearMapStep::Capture(*this, nameField)) {
    Run(std::move(step));
    return;
  }
  nameField.SetMapName("");
  Reset();
}

void RkMapDocument::Reset() {
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world.Clear();
  Notify({Change::Kind::WholeMap, 0, 0});
}

void RkMapDocument::Replace(RkWorld loaded) {
  strokes.EndStroke();
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world = std::move(loaded);
  history.Clear();
  Notify({Change::Kind::WholeMap, 0, 0});
}

void RkMapDocument::MarkSaved(const std::string& file) {
  // From now on the map is this file: its links into itself follow its growths.
  world.SetFileName(file.c_str());
  world.MarkSaved();
  history.MarkSaved();
}
