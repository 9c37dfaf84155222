// Map paths as New Area links store them, compared as the files they name: both
// are taken with '\' turned into '/' and "." and ".." folded away, the target
// as it stands or from the map's own folder (where the game runs). The world
// uses it to follow its own links; RkMapLinks and the map checker to follow the
// links between the maps of a folder.
#pragma once

#include <string>

class RkMapPath {
 public:
  // The stored path in the form used to compare maps: '/' between folders, no
  // "." parts, ".." folded where it can be ("Maps\..\House.rkm" is "House.rkm").
  static std::string Normalized(const char* storedPath);
  // Whether a link with this target leads into the map file mapFile
  // ("World.rkm" leads into "World.rkm", ".\\World.rkm" and "demo/World.rkm").
  static bool LeadsInto(const char* target, const char* mapFile);
};
