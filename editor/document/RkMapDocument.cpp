// The edited map's edits, commands and replacement, each told to the map's views.
#include "RkMapDocument.h"

#include <algorithm>
#include <utility>

#include "RkClearMapStep.h"

RkMapDocument::RkMapDocument() = default;

void RkMapDocument::PlaceOrigin(int32_t viewCellX, int32_t viewCellY) {
  state.GetOrigin().SetPosition(viewCellX, viewCellY);
}

bool RkMapDocument::GrowToReach(int32_t& cellX, int32_t& cellY) {
  RkWorld& world = state.GetWorld();
  RkEntity& origin = state.GetOrigin();
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
    state.NotifyCellsMoved(world.GetFileName(), cellX < 0 ? -cellX : 0, cellY < 0 ? -cellY : 0);
  }
  cellX = std::max(cellX, 0);
  cellY = std::max(cellY, 0);
  return true;
}

void RkMapDocument::SetTile(int32_t x, int32_t y, const RkTile& tile) {
  RkWorld& world = state.GetWorld();
  RkEntity& origin = state.GetOrigin();
  strokes.CellWillChange(x, y);
  world.SetTile(x, y, tile);
  state.Notify({Change::Kind::Tile, origin.GetX() + x, origin.GetY() + y});
}

void RkMapDocument::RemoveNPCsAt(int32_t x, int32_t y) {
  RkWorld& world = state.GetWorld();
  RkEntity& origin = state.GetOrigin();
  strokes.NPCsWillChange(x, y);
  world.RemoveNPCsAt(x, y);
  state.Notify({Change::Kind::NPCs, origin.GetX() + x, origin.GetY() + y});
}

void RkMapDocument::SetNPC(const char* name, int32_t x, int32_t y, const char* imageFile, int32_t type) {
  RkWorld& world = state.GetWorld();
  RkEntity& origin = state.GetOrigin();
  strokes.NPCsWillChange(x, y);
  world.SetNPC(name, x, y, imageFile, type);
  state.Notify({Change::Kind::NPCs, origin.GetX() + x, origin.GetY() + y});
}

void RkMapDocument::SetTiles(const RkCellBatch& batch) {
  RkWorld& world = state.GetWorld();
  RkCellBatch changing;
  changing.Reserve(batch.GetCells().size());
  for (const RkCellBatch::Cell& cell : batch.GetCells()) {
    const RkTile& tile = batch.TileOf(cell);
    if (world.IsInBounds(cell.x, cell.y) && !(world.GetTile(cell.x, cell.y) == tile)) {
      changing.Add(cell.x, cell.y, tile);
    }
  }
  if (changing.IsEmpty()) {
    return;
  }
  const RkCellBatch& kept = strokes.CellsWillChange(std::move(changing));
  for (const RkCellBatch::Cell& cell : kept.GetCells()) {
    world.SetTile(cell.x, cell.y, kept.TileOf(cell));
  }
  const RkEntity& origin = state.GetOrigin();
  if (kept.GetCells().size() > RkStrokeStep::kWholeMapNoticeCells) {
    state.Notify({Change::Kind::WholeMap, 0, 0});
    return;
  }
  for (const RkCellBatch::Cell& cell : kept.GetCells()) {
    state.Notify({Change::Kind::Tile, origin.GetX() + cell.x, origin.GetY() + cell.y});
  }
}

void RkMapDocument::PutNPC(const RkNPC& npc) {
  RkWorld& world = state.GetWorld();
  RkEntity& origin = state.GetOrigin();
  strokes.NPCsWillChange(npc.GetX(), npc.GetY());
  world.RemoveNPCsAt(npc.GetX(), npc.GetY());
  world.InsertNPC(world.GetNPCCount(), npc);
  state.Notify({Change::Kind::NPCs, origin.GetX() + npc.GetX(), origin.GetY() + npc.GetY()});
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
  if (auto step = RkClearMapStep::Capture(state, nameField)) {
    Run(std::move(step));
    return;
  }
  nameField.SetMapName("");
  state.Reset();
}

void RkMapDocument::Replace(RkWorld loaded) {
  strokes.EndStroke();
  state.GetCamera().SetPosition(0, 0);
  state.GetOrigin().SetPosition(0, 0);
  state.GetWorld() = std::move(loaded);
  history.Clear();
  state.Notify({Change::Kind::WholeMap, 0, 0});
}

void RkMapDocument::MarkSaved(const std::string& file) {
  // From now on the map is this file: its links into itself follow its growths.
  state.GetWorld().SetFileName(file.c_str());
  state.GetWorld().MarkSaved();
  history.MarkSaved();
}
