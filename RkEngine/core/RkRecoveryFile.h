// The recovery file of a map: the editor's copy of unsaved work, kept beside
// the map's file under a hidden name (".World.rkm.recover" for "World.rkm") so
// that the file dialog's "*.rkm" never lists it. It is a world file like any
// other. It is worth offering when it is newer than its map or the map is gone.
#pragma once

#include <string>
#include <vector>

class RkRecoveryFile {
 public:
  static constexpr const char* kPrefix = ".";
  static constexpr const char* kSuffix = ".recover";
  // The map file that stands for a map without a name, which has no file yet:
  // its work is kept as ".Untitled.rkm.recover" and restored without a name, so
  // that it never takes the place of a real "World.rkm" or any other map.
  static constexpr const char* kUnnamedMap = "Untitled.rkm";

  // "maps/.town.rkm.recover" for "maps/town.rkm".
  static std::string PathFor(const std::string& mapFile);
  // The map a recovery file belongs to; empty for a name that is not a recovery file's.
  static std::string MapFileOf(const std::string& recoveryPath);
  // The recovery file of mapFile exists and was written after every one of the
  // maps that exist (mapFile and, if given, the file the map was read from).
  static bool IsWorthOffering(const std::string& mapFile, const std::string& readFrom = "");
  // The maps of the folder with a recovery file worth offering, newest first.
  static std::vector<std::string> FindWorthOffering(const std::string& folder);
  // When the recovery file was written, local time "HH:MM".
  static std::string WrittenAtText(const std::string& recoveryPath);
  // Removes the file if it is there; false only when it stays.
  static bool Remove(const std::string& recoveryPath);
};
