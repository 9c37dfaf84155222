// What an edited map is at this moment: the world, the origin that puts the
// world's cell (0, 0) at a cell of the canvas's view, and the camera over the
// view. The steps of the map's history change it and tell the views what they
// changed (Notify); RkMapDocument owns it with the history and the stroke.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "RkEntity.h"
#include "RkWorld.h"

class RkMapState {
 public:
  // What changed, at a view cell (origin + map cell: growing does not move it).
  struct Change {
    enum class Kind { Tile, NPCs, WholeMap };
    Kind kind;
    int32_t viewX;
    int32_t viewY;
  };
  using ChangeListener = std::function<void(const Change& change)>;
  // The cells of the map in file moved right by dx and down by dy: a growth to
  // the left or upwards, or the undo of one. Whatever else names those cells
  // (the game's start cell) follows.
  using CellsMovedListener = std::function<void(const std::string& file, int32_t dx, int32_t dy)>;

  RkMapState() = default;
  RkMapState(const RkMapState&) = delete;
  RkMapState& operator=(const RkMapState&) = delete;

  RkWorld& GetWorld() { return world; }
  const RkWorld& GetWorld() const { return world; }
  RkEntity& GetCamera() { return camera; }
  const RkEntity& GetCamera() const { return camera; }
  RkEntity& GetOrigin() { return origin; }
  const RkEntity& GetOrigin() const { return origin; }

  void SetChangeListener(ChangeListener listener) { changed = std::move(listener); }
  void Notify(const Change& change) {
    if (changed) changed(change);
  }
  void SetCellsMovedListener(CellsMovedListener listener) { cellsMoved = std::move(listener); }
  void NotifyCellsMoved(const std::string& file, int32_t dx, int32_t dy) {
    if (cellsMoved && (dx != 0 || dy != 0)) cellsMoved(file, dx, dy);
  }
  // The one way a map is emptied: no cells, no NPCs, no file, the view at (0, 0).
  void Reset() {
    camera.SetPosition(0, 0);
    origin.SetPosition(0, 0);
    world.Clear();
    Notify({Change::Kind::WholeMap, 0, 0});
  }

 private:
  RkWorld world;
  RkEntity camera;
  RkEntity origin;
  ChangeListener changed;
  CellsMovedListener cellsMoved;
};
