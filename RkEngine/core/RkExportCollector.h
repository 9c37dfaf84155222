// The first stage of an export: from the first map, every map that New Area
// links reach (in cycles too), every image that those maps, their NPCs and the
// hero name, "NPCs.rk" when an NPC of those maps speaks from it (with the images
// of its NPCs), and "Game.ini". Paths are found as the game finds them when it
// runs in the folder (any case, '\', drive letters), and each file keeps the
// path below the folder where the game finds it, so the stored texts need no
// rewriting. Nothing else of the folder is taken.
//
// What cannot be found, or lies outside the folder, becomes a finding in the map
// checker's words; the export then writes nothing.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>

#include "RkExportCollection.h"
#include "RkGameSettings.h"

class RkNPC;
class RkWorld;

class RkExportCollector {
 public:
  // What the game opens when the folder has no "Game.ini".
  static constexpr const char* kDefaultFirstMap = RkGameSettings::kDefaultMap;
  static constexpr const char* kDefaultHero = RkGameSettings::kDefaultPlayerImage;
  static constexpr const char* kSettingsFile = RkGameSettings::kFileName;

  // folder "" is the working folder.
  explicit RkExportCollector(std::string folder);

  // A first map named by the game's settings, found like a New Area path. The
  // default, "World.rkm", is opened by its exact name, as the game does.
  void SetFirstMap(const std::string& stored);
  // reportMissing false: a missing hero is someone else's finding (the map
  // checker's, on the line of Game.ini that names it).
  void SetHero(const std::string& stored, bool reportMissing = true) {
    hero_ = stored;
    reportMissingHero_ = reportMissing;
  }

  RkExportCollection Collect();

 private:
  // Where a stored path leads: the file as seen from the working folder and
  // its path below the game's folder.
  struct Found {
    std::string source;
    std::string path;
  };
  enum class Lookup { Found, Missing, Outside };

  Lookup Find(const std::string& stored, Found& found) const;
  Lookup FindImage(const std::string& stored, Found& found);
  bool BelowFolder(const std::string& file, std::string& path) const;

  void CollectFirstMap();
  void CollectMap(const Found& map);
  void CollectCells(const std::string& path, const RkWorld& world);
  void CollectLink(const std::string& path, int32_t x, int32_t y, const char* stored);
  void CollectNPCs(const std::string& path, const RkWorld& world);
  void CollectHero();
  void CollectNPCLibrary();
  // Collects the image when it is found; the caller words a finding otherwise.
  Lookup CollectImage(const std::string& stored);
  void Error(const std::string& file, const std::string& sentence);
  void ErrorAt(const std::string& file, int32_t x, int32_t y, const std::string& sentence);

  std::string folder_;
  std::string firstMap_ = kDefaultFirstMap;
  bool firstMapByExactName_ = true;
  std::string hero_ = kDefaultHero;
  bool reportMissingHero_ = true;

  RkExportCollection collection_;
  std::deque<Found> pendingMaps_;
  std::unordered_map<std::string, std::pair<Lookup, Found>> images_;  // by stored path
  bool npcWithoutDialogues_ = false;
};
