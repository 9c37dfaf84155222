// Comparing the map paths that links store.
#include "RkMapPath.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::string RkMapPath::Normalized(const char* storedPath) {
  std::string path = storedPath != nullptr ? storedPath : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty()) return path;
  return fs::path(path).lexically_normal().generic_string();
}

bool RkMapPath::LeadsInto(const char* target, const char* mapFile) {
  if (target == nullptr || target[0] == '\0') return false;
  const std::string map = Normalized(mapFile);
  if (Normalized(target) == map) return true;
  // The game opens targets from the folder it runs in, which is the maps' own
  // folder; a map named with its folder ("demo/World.rkm") is reached by its
  // neighbours' "World.rkm".
  const std::string folder = fs::path(map).parent_path().generic_string();
  return !folder.empty() && Normalized((folder + "/" + Normalized(target)).c_str()) == map;
}
