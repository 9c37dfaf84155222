// Recording a canvas stroke, and the labels of strokes.
#include "RkStrokeRecorder.h"

#include <memory>
#include <set>
#include <utility>

#include "RkEditHistory.h"
#include "RkMapState.h"

RkStrokeRecorder::RkStrokeRecorder(RkMapState& state, RkEditHistory& history) : state(state), history(history) {}

RkStrokeStep::View RkStrokeRecorder::CurrentView() const {
  const RkEntity& camera = state.GetCamera();
  const RkEntity& origin = state.GetOrigin();
  return {camera.GetX(), camera.GetY(), origin.GetX(), origin.GetY()};
}

void RkStrokeRecorder::BeginStroke() {
  if (inStroke) {
    return;
  }
  inStroke = true;
  viewBefore = CurrentView();
  edits.clear();
}

void RkStrokeRecorder::EndStroke() {
  if (!inStroke) {
    return;
  }
  CompleteLastEdit();
  inStroke = false;
  if (edits.empty()) {
    return;
  }
  std::string label = Describe(edits);
  history.Push(std::make_unique<RkStrokeStep>(std::move(label), std::move(edits), viewBefore, CurrentView(), state));
  edits.clear();
}

// The last edit's "after" is what the world holds now; an edit that left its
// cell as it was is dropped.
void RkStrokeRecorder::CompleteLastEdit() {
  const RkWorld& world = state.GetWorld();
  if (edits.empty()) {
    return;
  }
  if (auto* cell = std::get_if<RkStrokeStep::CellEdit>(&edits.back())) {
    cell->after = world.GetTile(cell->x, cell->y);
    if (cell->after == cell->before) {
      edits.pop_back();
    }
  } else if (auto* npcs = std::get_if<RkStrokeStep::NPCEdit>(&edits.back())) {
    npcs->after = RkNPCSubset::StandingOn(world, npcs->x, npcs->y);
    if (npcs->after == npcs->before) {
      edits.pop_back();
    }
  }
}

void RkStrokeRecorder::CellWillChange(int32_t x, int32_t y) {
  BeginStroke();
  CompleteLastEdit();
  const RkEntity& origin = state.GetOrigin();
  const RkTile& tile = state.GetWorld().GetTile(x, y);
  edits.emplace_back(RkStrokeStep::CellEdit{x, y, origin.GetX() + x, origin.GetY() + y, tile, tile});
}

void RkStrokeRecorder::NPCsWillChange(int32_t x, int32_t y) {
  BeginStroke();
  CompleteLastEdit();
  const RkEntity& origin = state.GetOrigin();
  RkNPCSubset standing = RkNPCSubset::StandingOn(state.GetWorld(), x, y);
  edits.emplace_back(RkStrokeStep::NPCEdit{x, y, origin.GetX() + x, origin.GetY() + y, standing, standing});
}

void RkStrokeRecorder::WorldWillGrow(int32_t x, int32_t y) {
  BeginStroke();
  CompleteLastEdit();
  const RkWorld& world = state.GetWorld();
  RkStrokeStep::GrowthEdit growth{x, y, world.GetWidth(), world.GetHeight(), {}, world.GetFileName()};
  growth.npcCellsBefore.reserve(world.GetNPCCount());
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    growth.npcCellsBefore.emplace_back(world.GetNPCX(i), world.GetNPCY(i));
  }
  edits.emplace_back(std::move(growth));
}

const RkCellBatch& RkStrokeRecorder::CellsWillChange(RkCellBatch batch) {
  BeginStroke();
  CompleteLastEdit();
  const RkEntity& origin = state.GetOrigin();
  const RkWorld& world = state.GetWorld();
  RkStrokeStep::CellsEdit block{{}, std::move(batch), origin.GetX(), origin.GetY()};
  block.before.Reserve(block.after.GetCells().size());
  for (const RkCellBatch::Cell& cell : block.after.GetCells()) {
    block.before.Add(cell.x, cell.y, world.GetTile(cell.x, cell.y));
  }
  edits.emplace_back(std::move(block));
  return std::get<RkStrokeStep::CellsEdit>(edits.back()).after;
}

// A tool's action is named by its cells, even when it places NPCs too (a paste).
std::string RkStrokeRecorder::Describe(const std::vector<RkStrokeStep::Edit>& edits) {
  for (const RkStrokeStep::Edit& edit : edits) {
    if (std::holds_alternative<RkStrokeStep::CellsEdit>(edit)) return DescribeCells(edits);
  }
  std::string label = DescribeNPCs(edits);
  if (label.empty()) {
    label = DescribeCells(edits);
  }
  return label.empty() ? "Grow Map" : label;
}

// "Place NPC Bram", "Change NPC Bram", "Remove NPC Bram", or the count when a
// stroke went over several cells ("Place 3 NPCs").
std::string RkStrokeRecorder::DescribeNPCs(const std::vector<RkStrokeStep::Edit>& edits) {
  std::set<std::pair<int32_t, int32_t>> cells;
  std::size_t removed = 0;
  std::size_t placed = 0;
  std::string name;
  for (const RkStrokeStep::Edit& edit : edits) {
    const auto* npcs = std::get_if<RkStrokeStep::NPCEdit>(&edit);
    if (npcs == nullptr) {
      continue;
    }
    cells.emplace(npcs->viewX, npcs->viewY);
    if (npcs->after.IsEmpty()) {
      removed += npcs->before.GetMembers().size();
      name = npcs->before.GetMembers().front().npc.GetName();
    } else {
      placed += npcs->before.IsEmpty() ? 1 : 0;
      name = npcs->after.GetMembers().front().npc.GetName();
    }
  }
  if (cells.empty()) {
    return "";
  }
  if (removed > 0) {
    return removed == 1 ? "Remove NPC " + name : "Remove " + std::to_string(removed) + " NPCs";
  }
  const char* verb = placed > 0 ? "Place" : "Change";
  return cells.size() == 1 ? std::string(verb) + " NPC " + name
                           : std::string(verb) + " " + std::to_string(cells.size()) + " NPCs";
}

// "Paint 12 cells", or "Erase 3 cells" when every cell ends as a fresh one. A
// tool's block holds each of its cells once, and a tool's stroke is that block alone.
std::string RkStrokeRecorder::DescribeCells(const std::vector<RkStrokeStep::Edit>& edits) {
  std::set<std::pair<int32_t, int32_t>> cells;
  std::size_t blockCells = 0;
  bool erased = true;
  for (const RkStrokeStep::Edit& edit : edits) {
    if (const auto* cell = std::get_if<RkStrokeStep::CellEdit>(&edit)) {
      cells.emplace(cell->viewX, cell->viewY);
      erased = erased && cell->after == RkTile();
    } else if (const auto* block = std::get_if<RkStrokeStep::CellsEdit>(&edit)) {
      blockCells += block->after.GetCells().size();
      for (const RkTile& tile : block->after.GetTiles()) erased = erased && tile == RkTile();
    }
  }
  const std::size_t total = cells.size() + blockCells;
  if (total == 0) {
    return "";
  }
  const std::string count = std::to_string(total) + (total == 1 ? " cell" : " cells");
  return (erased ? "Erase " : "Paint ") + count;
}
