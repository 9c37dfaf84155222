// Taking a canvas stroke back and making it again, edit by edit.
#include "RkStrokeStep.h"

#include <cstring>
#include <set>

#include "RkMapState.h"

namespace {

std::size_t TileBytes(const RkTile& tile) {
  return std::strlen(tile.GetImageFile()) + std::strlen(tile.GetNewAreaName());
}

}  // namespace

RkStrokeStep::RkStrokeStep(std::string label, std::vector<Edit> edits, View before, View after,
                           RkMapState& state)
    : RkEditStep(std::move(label)), edits(std::move(edits)), before(before), after(after), state(state) {}

void RkStrokeStep::Undo() {
  for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
    UndoEdit(*edit);
  }
  ShowView(before);
  NotifyTouchedCells();
}

void RkStrokeStep::Redo() {
  for (const Edit& edit : edits) {
    RedoEdit(edit);
  }
  ShowView(after);
  NotifyTouchedCells();
}

void RkStrokeStep::UndoEdit(const Edit& edit) {
  RkWorld& world = state.GetWorld();
  if (const auto* cell = std::get_if<CellEdit>(&edit)) {
    world.SetTile(cell->x, cell->y, cell->before);
  } else if (const auto* npcs = std::get_if<NPCEdit>(&edit)) {
    npcs->before.PutInPlaceOf(npcs->after, world);
  } else if (const auto* block = std::get_if<CellsEdit>(&edit)) {
    SetCells(block->before);
  } else if (const auto* growth = std::get_if<GrowthEdit>(&edit)) {
    // The grown cells are fresh again here (the stroke's later edits are undone),
    // so cutting them away loses nothing.
    const int32_t shiftX = growth->x < 0 ? -growth->x : 0;
    const int32_t shiftY = growth->y < 0 ? -growth->y : 0;
    world.Crop(shiftX, shiftY, growth->oldWidth, growth->oldHeight);
    if (!growth->fileName.empty()) world.ShiftStartPointsInto(growth->fileName.c_str(), -shiftX, -shiftY);
    state.NotifyCellsMoved(growth->fileName, -shiftX, -shiftY);
    for (unsigned i = 0; i < world.GetNPCCount() && i < growth->npcCellsBefore.size(); ++i) {
      world.GetNPC(i).SetPosition(growth->npcCellsBefore[i].first, growth->npcCellsBefore[i].second);
    }
  }
}

void RkStrokeStep::RedoEdit(const Edit& edit) {
  RkWorld& world = state.GetWorld();
  if (const auto* cell = std::get_if<CellEdit>(&edit)) {
    world.SetTile(cell->x, cell->y, cell->after);
  } else if (const auto* npcs = std::get_if<NPCEdit>(&edit)) {
    npcs->after.PutInPlaceOf(npcs->before, world);
  } else if (const auto* block = std::get_if<CellsEdit>(&edit)) {
    SetCells(block->after);
  } else if (const auto* growth = std::get_if<GrowthEdit>(&edit)) {
    world.Grow(growth->x, growth->y);
    state.NotifyCellsMoved(growth->fileName, growth->x < 0 ? -growth->x : 0, growth->y < 0 ? -growth->y : 0);
  }
}

void RkStrokeStep::SetCells(const RkCellBatch& batch) {
  RkWorld& world = state.GetWorld();
  for (const RkCellBatch::Cell& cell : batch.GetCells()) {
    world.SetTile(cell.x, cell.y, batch.TileOf(cell));
  }
}

bool RkStrokeStep::Grows() const {
  for (const Edit& edit : edits) {
    if (std::holds_alternative<GrowthEdit>(edit)) {
      return true;
    }
  }
  return false;
}

// The camera goes back only with a growth, whose undo must show the canvas as
// it was; after a plain stroke the user's scrolling stays.
void RkStrokeStep::ShowView(const View& view) {
  if (Grows()) {
    state.GetCamera().SetPosition(view.cameraX, view.cameraY);
  }
  state.GetOrigin().SetPosition(view.originX, view.originY);
}

void RkStrokeStep::NotifyTouchedCells() {
  std::size_t blockCells = 0;
  for (const Edit& edit : edits) {
    if (const auto* block = std::get_if<CellsEdit>(&edit)) blockCells += block->after.GetCells().size();
  }
  if (blockCells > kWholeMapNoticeCells) {
    state.Notify({RkMapState::Change::Kind::WholeMap, 0, 0});
    return;
  }
  std::set<std::pair<int32_t, int32_t>> tiles;
  std::set<std::pair<int32_t, int32_t>> npcCells;
  for (const Edit& edit : edits) {
    if (const auto* block = std::get_if<CellsEdit>(&edit)) {
      for (const RkCellBatch::Cell& cell : block->after.GetCells()) {
        tiles.emplace(block->originX + cell.x, block->originY + cell.y);
      }
    }
    if (const auto* cell = std::get_if<CellEdit>(&edit)) {
      tiles.emplace(cell->viewX, cell->viewY);
    } else if (const auto* npcs = std::get_if<NPCEdit>(&edit)) {
      npcCells.emplace(npcs->viewX, npcs->viewY);
    }
  }
  for (const auto& [viewX, viewY] : tiles) {
    state.Notify({RkMapState::Change::Kind::Tile, viewX, viewY});
  }
  for (const auto& [viewX, viewY] : npcCells) {
    state.Notify({RkMapState::Change::Kind::NPCs, viewX, viewY});
  }
}

std::size_t RkStrokeStep::GetByteSize() const {
  std::size_t bytes = sizeof(*this) + edits.capacity() * sizeof(Edit);
  for (const Edit& edit : edits) {
    if (const auto* cell = std::get_if<CellEdit>(&edit)) {
      bytes += TileBytes(cell->before) + TileBytes(cell->after);
    } else if (const auto* npcs = std::get_if<NPCEdit>(&edit)) {
      bytes += npcs->before.GetByteSize() + npcs->after.GetByteSize();
    } else if (const auto* block = std::get_if<CellsEdit>(&edit)) {
      bytes += block->before.GetByteSize() + block->after.GetByteSize();
    } else if (const auto* growth = std::get_if<GrowthEdit>(&edit)) {
      bytes += growth->npcCellsBefore.capacity() * sizeof(growth->npcCellsBefore[0]);
    }
  }
  return bytes;
}
