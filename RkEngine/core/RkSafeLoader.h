// Loading a map or an NPC file that may be damaged, for tools that must go on
// when one file is bad (the map checker, the rewrite of the maps of a folder).
// Every file that would end the fatal loaders is refused here first, with the
// reason in words: one that is missing, not a plain file, cannot be opened, or
// holds a grid size that only a damaged file holds. A map file that ends inside
// its grid is refused too (the game would load it with fresh cells for the rest).
#pragma once

#include <string>

class RkNPCList;
class RkWorld;

class RkSafeLoader {
 public:
  // False, with the reason in cause and the world empty, when the file cannot be
  // loaded; otherwise the world holds the file's map.
  static bool TryLoadWorld(const std::string& path, RkWorld& world, std::string& cause);
  // The same for an NPC file.
  static bool TryLoadNPCList(const std::string& path, RkNPCList& list, std::string& cause);

 private:
  static bool OpensAsFile(const std::string& nativePath, std::string& cause);
  static bool HasSoundSize(const std::string& nativePath, std::string& cause);
};
