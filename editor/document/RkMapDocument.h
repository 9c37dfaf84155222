// One edited map: the world with its file, the origin that puts the world's
// cell (0, 0) at a cell of the canvas's view, the camera over the view, and the
// history of the edits made to it. Every change of the world goes through here:
// a tool calls the edit operations below, each recorded in the stroke being
// painted (press to release is one step of the history); whole-map commands
// such as Clear Map run as steps through Run; loading replaces the map. Whoever
// draws the map listens to the changes instead of being told by each edit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "RkCellBatch.h"
#include "RkEditHistory.h"
#include "RkEditStep.h"
#include "RkEntity.h"
#include "RkMapNameField.h"
#include "RkMapState.h"
#include "RkStrokeRecorder.h"
#include "RkTile.h"
#include "RkWorld.h"

class RkMapDocument {
 public:
  using Change = RkMapState::Change;
  using ChangeListener = RkMapState::ChangeListener;
  using CellsMovedListener = RkMapState::CellsMovedListener;

  RkMapDocument();
  RkMapDocument(const RkMapDocument&) = delete;
  RkMapDocument& operator=(const RkMapDocument&) = delete;

  const RkWorld& GetWorld() const { return state.GetWorld(); }
  const RkEntity& GetOrigin() const { return state.GetOrigin(); }
  // The camera belongs to the view: the keys and the view move it freely; only
  // undoing a growth or a clear puts it back.
  RkEntity& GetCamera() { return state.GetCamera(); }
  // The file this map was loaded from or last saved to; empty for a new map.
  const std::string& GetFile() const { return state.GetWorld().GetFileName(); }
  RkEditHistory& GetHistory() { return history; }
  const RkEditHistory& GetHistory() const { return history; }
  // Told of every change of what the canvas shows (the canvas's sprites).
  void SetChangeListener(ChangeListener listener) { state.SetChangeListener(std::move(listener)); }
  void SetCellsMovedListener(CellsMovedListener listener) { state.SetCellsMovedListener(std::move(listener)); }

  // The button went down on the canvas, and up again (or a box took it): the
  // edits in between become one step.
  void BeginStroke() { strokes.BeginStroke(); }
  void EndStroke() { strokes.EndStroke(); }

  // The edits that tools make, in map cells; each is part of the open stroke
  // (an edit outside a stroke begins one).
  //
  // The first click on an empty map puts its cell (0, 0) at this view cell.
  void PlaceOrigin(int32_t viewCellX, int32_t viewCellY);
  // Grows the world so that the cell is part of it, moving the origin so that
  // the old cells keep their place on the canvas; the cell is then given in the
  // grown world. A grid larger than any world file may hold is refused (it
  // could be saved but never loaded again): false, and nothing changes.
  bool GrowToReach(int32_t& cellX, int32_t& cellY);
  void SetTile(int32_t x, int32_t y, const RkTile& tile);
  void RemoveNPCsAt(int32_t x, int32_t y);
  void SetNPC(const char* name, int32_t x, int32_t y, const char* imageFile, int32_t type);
  // Many cells at once (a tool's fill, rectangle or paste): cells outside the
  // grid and cells that already hold their tile are left out. Kept compactly in
  // the stroke, and told to the views as one change of the whole map when large.
  void SetTiles(const RkCellBatch& batch);
  // The NPC, whole (name, kind, image and dialogues), becomes the one NPC on its
  // cell: those standing there go. A paste places its NPCs so.
  void PutNPC(const RkNPC& npc);

  // Makes a step built elsewhere (a whole-map command) and keeps it in the
  // history; a stroke still open becomes its own step first.
  void Run(std::unique_ptr<RkEditStep> step);
  // Clear Map: the world, the camera, the origin, the file and the name in the
  // panel go, as one step (none when the map is already clear).
  void Clear(RkMapNameField& nameField);
  // A map read from a file replaces this one, with the view at (0, 0) and a
  // new history at its saved state.
  void Replace(RkWorld loaded);
  // The map was written to file: from now on it is that file's map.
  void MarkSaved(const std::string& file);

  // The map's state, for the steps that a tool builds for Run (and for tests
  // that set a map up directly); the history's steps change it, nothing else.
  RkMapState& GetState() { return state; }
  void Notify(const Change& change) { state.Notify(change); }

 private:
  RkMapState state;
  RkEditHistory history;
  RkStrokeRecorder strokes{state, history};
};
