// Names taken apart from the paths that the file dialog returns: the map editor
// panel shows a chosen map's stem in its name field and a New Area map's file name
// in its label. The last '/' or '\' ends a folder name, so paths made on Windows
// read the same here.
#pragma once

#include <string>

class RkPathParts {
 public:
  // Everything after the last folder separator, extension included ("cave.rkm").
  static std::string FileName(const std::string& path);
  // The file name up to its first "." ("town" for "my.maps/town.rkm" and
  // for "town.backup.rkm"), or the whole file name when it has no ".".
  static std::string Stem(const std::string& path);
};
