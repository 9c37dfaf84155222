// The map checker: reads every ".rkm" of a folder and its "NPCs.rk" and finds
// what would end the game or strand the player (errors), and likely mistakes
// (warnings). The editor's Tools > Check Maps and the command-line program
// RkCheckMaps both run it. A damaged file is a finding, never the end of the check.
//
// Link targets and image paths are taken from the folder, as the game does when
// it runs there. The folder's "Game.ini" names the first map, the start cell and
// the hero; its wrong lines, and what it names that is missing or wrong, are
// errors on its lines.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "RkGameSettings.h"
#include "RkMapFinding.h"
#include "RkSheetCell.h"

class RkNPC;
class RkWorld;

class RkMapChecker {
 public:
  static constexpr const char* kStartMap = "World.rkm";

  // folder "" is the working directory.
  explicit RkMapChecker(std::string folder);

  // Every finding, map by map in name order, then "NPCs.rk", then the links
  // between the maps and where the player can walk.
  std::vector<RkMapFinding> Check();
  // The map named name in the folder (a file name such as "World.rkm") is
  // checked as world holds it, not as its file does: the editor's map with
  // unsaved changes. The world must outlive the calls to Check.
  void UseWorldFor(const std::string& name, const RkWorld& world);
  static bool HasErrors(const std::vector<RkMapFinding>& findings);

 private:
  struct Link {
    int32_t x;
    int32_t y;
    std::string stored;  // as the cell holds it
    std::string target;  // normalized, as the sentences name it
    int32_t startX;
    int32_t startY;
    // The file the game opens for it: a map of the folder by its name, or
    // another file by its path; empty when the game finds none.
    std::string file;
    bool inFolder = false;
  };
  // What the checks across maps need of a map, kept instead of the whole world:
  // a grid of 256 by 256 tiles is 66 MB, its kinds 64 kB.
  struct MapSummary {
    bool readable = false;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> kinds;  // RkTileType per cell, column after column
    std::vector<Link> links;
  };

  std::string InFolder(const std::string& storedPath) const;
  bool FileExists(const std::string& storedPath) const;
  // What keeps the game from drawing the image a field names, as the end of a
  // sentence that begins with the image ("does not exist"); "" when it draws.
  const std::string& ImageProblem(const std::string& storedPath);
  std::string CellProblem(const RkSheetCell& cell);
  bool Locate(const std::string& storedPath, std::string& file) const;
  void LocateTarget(Link& link) const;

  void CheckMapFile(const std::string& name);
  void CheckCells(const std::string& name, const RkWorld& world);
  void CheckNPCsOnMap(const std::string& name, const RkWorld& world);
  void CheckNPCLibrary();
  void CheckNPCImage(const std::string& file, const RkNPC& npc, bool onMap);
  void CheckDialogues(const std::string& file, const RkNPC& npc, bool onMap);
  void CheckSettingsLines();
  void FindStartMap(const std::vector<std::string>& names);
  void CheckPlayerImage();
  void CheckStart();
  // The first map as the findings name it: its name in the folder, else its path.
  std::string StartName() const;
  void CheckLinks();
  void CheckLink(const std::string& name, const Link& link);
  void CheckMapsReached();
  void CheckNewAreasReached();
  std::vector<std::pair<int32_t, int32_t>> EntriesOf(const std::string& name) const;

  static MapSummary Summarize(const RkWorld& world);
  const MapSummary* FindSummary(const Link& link);

  void Error(const std::string& file, const std::string& sentence);
  void ErrorAt(const std::string& file, int32_t x, int32_t y, const std::string& sentence);
  void Warning(const std::string& file, const std::string& sentence);
  void ErrorOnLine(const RkGameSettings::Problem& problem);
  void WarningAt(const std::string& file, int32_t x, int32_t y, const std::string& sentence);

  std::string folder_;
  std::string inMemoryFile_;  // as given; empty when every map is read from its file
  const RkWorld* inMemory_ = nullptr;
  std::map<std::string, MapSummary> maps_;           // the folder's maps, by name
  std::map<std::string, MapSummary> otherTargets_;   // link targets elsewhere
  std::unordered_map<std::string, std::string> images_;  // ImageProblem, by stored path
  struct SheetSize {
    bool readable = false;
    int64_t width = 0;
    int64_t height = 0;
    std::string cause;
  };
  std::unordered_map<std::string, SheetSize> sheets_;    // measured once, by the file opened
  std::vector<RkMapFinding> findings_;
  RkGameSettings settings_;
  // The map the game starts on, located like a link's target; startFound_ is
  // false when the game would find none.
  Link start_;
  bool startFound_ = false;
};
