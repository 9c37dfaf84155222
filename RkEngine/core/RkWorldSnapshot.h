// A copy of a world taken on the editor's loop quickly enough not to hold up a
// frame, to be written to a world file from another thread while editing goes
// on. A 512 by 512 map holds 262,144 cells that share a handful of image and
// map names, so each distinct text is kept once and each cell as five numbers;
// the NPCs are copied whole. Saving writes through RkWorldWriter, as
// RkWorld::TrySave does, so an interrupted or failed save leaves the previous
// file whole.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RkFailure.h"
#include "RkNPC.h"

class RkWorld;

class RkWorldSnapshot {
 public:
  // Asked now and then while saving; false gives up the save (the old file stays).
  using KeepGoing = std::function<bool()>;

  RkWorldSnapshot() = default;
  explicit RkWorldSnapshot(const RkWorld& world);

  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }

  // Writes the world file. A save given up through keepGoing fails with the
  // cause "The save was cancelled." and removes its temporary file.
  [[nodiscard]] std::optional<RkFailure> Save(const char* fileName, const KeepGoing& keepGoing = {}) const;

 private:
  struct Cell {
    int32_t type;
    uint32_t imageFile;
    uint32_t newAreaName;
    int32_t newAreaStartX;
    int32_t newAreaStartY;
  };

  int32_t width_ = 0;
  int32_t height_ = 0;
  // Column after column, like the file.
  std::vector<Cell> cells_;
  std::vector<std::string> texts_;
  std::vector<RkNPC> npcs_;
};
