// The world file's layout, written in one place for Save Map (RkWorld::TrySave)
// and for the recovery files (RkWorldSnapshot::Save): width and height (4-byte
// little-endian), every tile record column by column (RkTile::Write: type,
// 500-byte image path, 500-byte New Area map, start x, start y: 1012 bytes),
// the NPC count and every NPC record (RkNPC::Write: name, x, y, image, type,
// dialogues). RkWorld::Load reads the same layout. The file is written through a
// temporary file beside it, renamed over the old one at the end, so a failed or
// given-up save leaves the previous file whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "RkFailure.h"
#include "RkNPC.h"
#include "RkTile.h"

class RkBinaryWriter;

class RkWorldWriter {
 public:
  // The tile of the cell at index (column after column); it may fill scratch
  // and return it.
  using TileAt = std::function<const RkTile&(std::size_t index, RkTile& scratch)>;
  // Asked now and then while saving; false gives up the save.
  using KeepGoing = std::function<bool()>;

  RkWorldWriter(int32_t width, int32_t height, TileAt tileAt, const std::vector<RkNPC>& npcs)
      : width(width), height(height), tileAt(std::move(tileAt)), npcs(npcs) {}

  // The failures carry RkWorld's messages and lines, as the fatal Save reports
  // them; a save given up through keepGoing fails with the cause "The save was
  // cancelled." and removes its temporary file.
  [[nodiscard]] std::optional<RkFailure> Write(const char* fileName, const KeepGoing& keepGoing = {}) const;
  // The records alone, on a writer that is already open.
  [[nodiscard]] std::optional<RkFailure> WriteRecords(RkBinaryWriter& writer, const KeepGoing& keepGoing = {}) const;

 private:
  std::optional<RkFailure> WriteTiles(RkBinaryWriter& writer, const KeepGoing& keepGoing) const;

  int32_t width;
  int32_t height;
  TileAt tileAt;
  const std::vector<RkNPC>& npcs;
};
