// New Area links between the maps of one folder. A link leads into a map when its
// target names the same file (RkMapPath::LeadsInto).
//
// When a map grows to the left or upwards its cells move, and every start point
// that names one of its cells must move with them: its own links are shifted by
// RkWorld::Grow, and the links of the other maps of the folder by
// ShiftStartPointsInto here, which the editor offers when it saves the grown map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class RkMapLinks {
 public:
  // The ".rkm" files of folder, by name, in name order.
  static std::vector<std::string> ListMaps(const std::string& folder);

  // What a rewrite of the other maps did: the maps saved with moved start points,
  // those that could not be read and those that could not be saved (each with
  // the reason), which stay untouched on disk.
  struct Rewrite {
    std::vector<std::string> rewritten;
    std::vector<std::string> unreadable;
    std::vector<std::string> unsaved;
  };

  // The other maps of folder (names relative to it) that hold a New Area cell
  // leading into mapName, itself a name relative to folder. Unreadable maps are
  // left out: they cannot be rewritten.
  static std::vector<std::string> FindMapsLeadingInto(const std::string& folder, const std::string& mapName);
  // Moves by (dx, dy) the start points of the links into mapName in every other
  // map of folder, and saves each changed map through RkWorld::TrySave (a
  // temporary file renamed over the old one). Maps without such links are not
  // written; a map that cannot be saved stays as it was, and the others still go.
  static Rewrite ShiftStartPointsInto(const std::string& folder, const std::string& mapName, int32_t dx, int32_t dy);

 private:
  static bool HasLinkInto(const class RkWorld& world, const std::string& mapName);
};
