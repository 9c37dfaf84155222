// The game's settings ("Game.ini" in the editor's folder) as the editor holds
// them: read at start (a wrong line is a notice, never the editor's end),
// changed by the Game Settings panel, by Set Start Here and by the first map's
// growths, and written back when the panel saves or the map is saved.
//
// The start cell belongs to the first map: when that map grows left or up, its
// cells move and the start moves with its cell, as the start points of New
// Area cells do; undoing the growth moves it back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "RkFailure.h"
#include "RkGameSettings.h"

class RkGameSettingsDocument {
 public:
  // folder "" is the working folder.
  explicit RkGameSettingsDocument(std::string folder = "");

  // Reads Game.ini again; the problems' messages ("" when it has none).
  std::string Read();
  const RkGameSettings& Get() const { return settings; }
  RkGameSettings& Edit() { return settings; }
  // The settings differ from what Game.ini holds (or would hold, for a folder
  // without one: only a change makes the file worth writing).
  bool IsUnsaved() const;
  // Writes Game.ini; a failure leaves the file as it was and comes back.
  std::optional<RkFailure> Save();

  // Whether mapFile (as the editor names the edited map's file) is the map
  // the game starts on: the same file, found like New Area paths.
  bool IsFirstMap(const std::string& mapFile) const;
  // The cells of mapFile moved right by dx and down by dy: on the first map
  // the start cell moves with its cell.
  void FollowCells(const std::string& mapFile, int32_t dx, int32_t dy);

 private:
  std::string folder;
  RkGameSettings settings;
  std::string savedText;
};
