// Finds a font file through fontconfig: the renderer asks for "Arial", which
// fontconfig maps to a metric-compatible face (Liberation Sans on Debian).
#pragma once

#include <string>

class RkFontFinder {
 public:
  // The file of the best match for the family, or an empty string when
  // fontconfig knows no font at all.
  static std::string Find(const char* family);
};
