// Name parts of file paths for the map editor panel (Load Map, Load New Area).
// The stem drops only the last extension, so "town.backup.rkm" saves back to itself.
#include "RkPathParts.h"

std::string RkPathParts::FileName(const std::string& path) {
  const std::string::size_type lastSeparator = path.find_last_of("/\\");
  if (lastSeparator == std::string::npos) {
    return path;
  }
  return path.substr(lastSeparator + 1);
}

std::string RkPathParts::Stem(const std::string& path) {
  const std::string fileName = FileName(path);
  return fileName.substr(0, fileName.rfind('.'));
}
