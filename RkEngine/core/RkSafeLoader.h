// Loading a map or an NPC file that may be damaged, for tools that must go on
// when one file is bad (the map checker, the rewrite of the maps of a folder):
// the non-fatal loaders, with the failure's cause as a short text for a
// finding or a list.
#pragma once

#include <string>

class RkNPCList;
class RkWorld;

class RkSafeLoader {
 public:
  // False, with the reason in cause and the world empty, when the file cannot be
  // loaded; otherwise the world holds the file's map.
  static bool TryLoadWorld(const std::string& path, RkWorld& world, std::string& cause);
  // The same for an NPC file. Unlike the editor, which takes a missing file or a
  // folder of that name as an empty library, this refuses anything but a file.
  static bool TryLoadNPCList(const std::string& path, RkNPCList& list, std::string& cause);
};
