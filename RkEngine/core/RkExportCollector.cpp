// The collection of a game's files, map by map from the first one.
#include "RkExportCollector.h"

#include <filesystem>
#include <utility>

#include "RkMapLinks.h"
#include "RkMapPath.h"
#include "RkNPCList.h"
#include "RkPathResolver.h"
#include "RkSafeLoader.h"
#include "RkSheetCell.h"
#include "RkWorld.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kOutside = ", which lies outside the game's folder, where the exported game cannot find it";

}  // namespace

RkExportCollector::RkExportCollector(std::string folder) : folder_(std::move(folder)) {}

void RkExportCollector::SetFirstMap(const std::string& stored) {
  firstMap_ = stored;
  firstMapByExactName_ = false;
}

RkExportCollection RkExportCollector::Collect() {
  collection_ = RkExportCollection();
  pendingMaps_.clear();
  images_.clear();
  npcWithoutDialogues_ = false;
  CollectFirstMap();
  while (!pendingMaps_.empty()) {
    const Found map = pendingMaps_.front();
    pendingMaps_.pop_front();
    CollectMap(map);
  }
  CollectHero();
  CollectNPCLibrary();
  std::error_code error;
  const fs::path settings = fs::path(folder_.empty() ? "." : folder_) / kSettingsFile;
  if (fs::is_regular_file(settings, error)) {
    collection_.Add(RkExportCollection::Kind::Settings, settings.string(), kSettingsFile);
  }
  return std::move(collection_);
}

// The path below the folder, or false when the file lies outside it (an
// absolute path, or one that climbs out with "..").
bool RkExportCollector::BelowFolder(const std::string& file, std::string& path) const {
  std::error_code error;
  fs::path base = fs::absolute(folder_.empty() ? "." : folder_, error).lexically_normal();
  if (base.filename().empty()) base = base.parent_path();
  const fs::path relative = fs::absolute(file, error).lexically_normal().lexically_relative(base);
  if (relative.empty() || *relative.begin() == "..") return false;
  path = relative.generic_string();
  return true;
}

RkExportCollector::Lookup RkExportCollector::Find(const std::string& stored, Found& found) const {
  if (!RkPathResolver::Instance().FindIn(folder_, stored.c_str(), found.source)) return Lookup::Missing;
  return BelowFolder(found.source, found.path) ? Lookup::Found : Lookup::Outside;
}

RkExportCollector::Lookup RkExportCollector::FindImage(const std::string& stored, Found& found) {
  const auto kept = images_.find(stored);
  if (kept != images_.end()) {
    found = kept->second.second;
    return kept->second.first;
  }
  Lookup lookup = Find(stored, found);
  // An exact file name wins; only a name that is no file may be a sheet's cell,
  // and then the whole sheet travels (once, however many cells the maps use).
  if (lookup == Lookup::Missing) {
    const RkSheetCell cell = RkSheetCell::Parse(stored);
    if (cell.IsCell()) lookup = Find(cell.GetSheet(), found);
  }
  std::error_code error;
  if (lookup == Lookup::Found && !fs::is_regular_file(found.source, error)) lookup = Lookup::Missing;
  images_.emplace(stored, std::make_pair(lookup, found));
  return lookup;
}

RkExportCollector::Lookup RkExportCollector::CollectImage(const std::string& stored) {
  Found found;
  const Lookup lookup = FindImage(stored, found);
  if (lookup == Lookup::Found) collection_.Add(RkExportCollection::Kind::Image, found.source, found.path);
  return lookup;
}

// The game opens "World.rkm" by its exact name. A missing first map is the map
// checker's finding (on the line of Game.ini that names it).
void RkExportCollector::CollectFirstMap() {
  Found first;
  if (firstMapByExactName_) {
    std::error_code error;
    first.source = (fs::path(folder_.empty() ? "." : folder_) / firstMap_).string();
    first.path = firstMap_;
    if (fs::exists(first.source, error)) pendingMaps_.push_back(first);
    return;
  }
  switch (Find(firstMap_, first)) {
    case Lookup::Found: pendingMaps_.push_back(first); break;
    case Lookup::Missing: break;
    case Lookup::Outside: Error(firstMap_, std::string("the first map") + kOutside); break;
  }
}

void RkExportCollector::CollectMap(const Found& map) {
  if (!collection_.Add(RkExportCollection::Kind::Map, map.source, map.path)) return;  // a cycle closes here
  RkWorld world;
  std::string cause;
  if (!RkSafeLoader::TryLoadWorld(map.source, world, cause)) {
    Error(map.path, "cannot be read: " + cause);
    return;
  }
  CollectCells(map.path, world);
  CollectNPCs(map.path, world);
}

void RkExportCollector::CollectCells(const std::string& path, const RkWorld& world) {
  for (int32_t x = 0; x < world.GetWidth(); ++x) {
    for (int32_t y = 0; y < world.GetHeight(); ++y) {
      const std::string image = world.GetTileImageFile(x, y);
      if (!image.empty()) {
        const Lookup lookup = CollectImage(image);
        if (lookup == Lookup::Missing) ErrorAt(path, x, y, "image " + image + " does not exist");
        if (lookup == Lookup::Outside) ErrorAt(path, x, y, "image " + image + kOutside);
      }
      // Only a New Area cell changes the map; a name left on another kind of
      // cell is never opened.
      if (world.GetTileType(x, y) == TileNewArea && world.GetTileNewAreaName(x, y)[0] != '\0') {
        CollectLink(path, x, y, world.GetTileNewAreaName(x, y));
      }
    }
  }
}

void RkExportCollector::CollectLink(const std::string& path, int32_t x, int32_t y, const char* stored) {
  Found target;
  const std::string leads = "link leads to " + RkMapPath::Normalized(stored);
  switch (Find(stored, target)) {
    case Lookup::Found:
      if (!collection_.Has(target.path)) pendingMaps_.push_back(target);
      break;
    case Lookup::Missing: ErrorAt(path, x, y, leads + ", which does not exist"); break;
    case Lookup::Outside: ErrorAt(path, x, y, leads + kOutside); break;
  }
}

void RkExportCollector::CollectNPCs(const std::string& path, const RkWorld& world) {
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    if (npc.GetDialogueCount() == 0) npcWithoutDialogues_ = true;
    const std::string image = npc.GetImageFile();
    if (image.empty()) continue;  // the checker's own finding
    const std::string of = "image " + image + " of NPC " + npc.GetName();
    const Lookup lookup = CollectImage(image);
    if (lookup == Lookup::Missing) ErrorAt(path, npc.GetX(), npc.GetY(), of + " does not exist");
    if (lookup == Lookup::Outside) ErrorAt(path, npc.GetX(), npc.GetY(), of + kOutside);
  }
}

// The game cannot start without the player's image.
void RkExportCollector::CollectHero() {
  const Lookup lookup = CollectImage(hero_);
  if (lookup == Lookup::Missing && reportMissingHero_) {
    Error(hero_, "the player's image does not exist, and the game cannot start without it");
  }
  if (lookup == Lookup::Outside) Error(hero_, std::string("the player's image") + kOutside);
}

// An NPC placed without dialogues speaks with its entry in the library, which
// the game reads by its exact name. The images of the library's NPCs travel
// with it, so that the exported folder passes the same checks.
void RkExportCollector::CollectNPCLibrary() {
  if (!npcWithoutDialogues_) return;
  std::error_code error;
  const fs::path file = fs::path(folder_.empty() ? "." : folder_) / RkNPCList::kFileName;
  if (!fs::is_regular_file(file, error)) return;  // the game plays on; such NPCs stay silent
  collection_.Add(RkExportCollection::Kind::NPCLibrary, file.string(), RkNPCList::kFileName);
  RkNPCList library;
  std::string cause;
  if (!RkSafeLoader::TryLoadNPCList(file.string(), library, cause)) {
    Error(RkNPCList::kFileName, "cannot be read: " + cause);
    return;
  }
  for (unsigned i = 0; i < library.GetCount(); ++i) {
    const RkNPC& npc = library.GetNPC(i);
    const std::string image = npc.GetImageFile();
    if (image.empty()) continue;
    const std::string of = "image " + image + " of NPC " + npc.GetName();
    const Lookup lookup = CollectImage(image);
    if (lookup == Lookup::Missing) Error(RkNPCList::kFileName, of + " does not exist");
    if (lookup == Lookup::Outside) Error(RkNPCList::kFileName, of + kOutside);
  }
}

void RkExportCollector::Error(const std::string& file, const std::string& sentence) {
  collection_.AddFinding(RkMapFinding(RkMapFinding::Severity::Error, file, sentence));
}

void RkExportCollector::ErrorAt(const std::string& file, int32_t x, int32_t y, const std::string& sentence) {
  collection_.AddFinding(RkMapFinding(RkMapFinding::Severity::Error, file, x, y, sentence));
}
