// Finding and moving the start points of the links between the maps of a folder.
#include "RkMapLinks.h"

#include <algorithm>
#include <filesystem>

#include "RkMapPath.h"
#include "RkNativePath.h"
#include "RkSafeLoader.h"
#include "RkWorld.h"

namespace fs = std::filesystem;

std::vector<std::string> RkMapLinks::ListMaps(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() == ".rkm") names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool RkMapLinks::HasLinkInto(const RkWorld& world, const std::string& mapName) {
  for (int32_t x = 0; x < world.GetWidth(); ++x) {
    for (int32_t y = 0; y < world.GetHeight(); ++y) {
      if (world.GetTileType(x, y) == TileNewArea &&
          RkMapPath::LeadsInto(world.GetTileNewAreaName(x, y), mapName.c_str())) {
        return true;
      }
    }
  }
  return false;
}

std::vector<std::string> RkMapLinks::FindMapsLeadingInto(const std::string& folder, const std::string& mapName) {
  std::vector<std::string> leading;
  const std::string target = RkMapPath::Normalized(mapName.c_str());
  for (const std::string& name : ListMaps(folder)) {
    if (RkMapPath::Normalized(name.c_str()) == target) continue;
    RkWorld world;
    std::string cause;
    if (RkSafeLoader::TryLoadWorld((fs::path(folder) / name).string(), world, cause) && HasLinkInto(world, mapName)) {
      leading.push_back(name);
    }
  }
  return leading;
}

RkMapLinks::Rewrite RkMapLinks::ShiftStartPointsInto(const std::string& folder, const std::string& mapName,
                                                     int32_t dx, int32_t dy) {
  Rewrite rewrite;
  const std::string target = RkMapPath::Normalized(mapName.c_str());
  for (const std::string& name : ListMaps(folder)) {
    if (RkMapPath::Normalized(name.c_str()) == target) continue;
    const std::string path = (fs::path(folder) / name).string();
    RkWorld world;
    std::string cause;
    if (!RkSafeLoader::TryLoadWorld(path, world, cause)) {
      rewrite.unreadable.push_back(name + ": " + cause);
      continue;
    }
    if (world.ShiftStartPointsInto(mapName.c_str(), dx, dy) == 0) continue;
    if (const auto failure = world.TrySave(path.c_str())) {
      std::string why = failure->GetSystemText();
      while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) why.pop_back();
      rewrite.unsaved.push_back(name + ": " + failure->GetMessage() + " " + why);
      continue;
    }
    rewrite.rewritten.push_back(name);
  }
  return rewrite;
}
