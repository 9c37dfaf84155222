// Finds a font file: the one an exported game brings in "fonts/" beside its
// program, else through fontconfig: the renderer asks for "Arial", which
// fontconfig maps to a metric-compatible face (Liberation Sans on Debian). A
// player's machine may have no such font (or no fontconfig set-up); the
// bundled one also keeps the game's texts the same everywhere.
#pragma once

#include <string>

class RkFontFinder {
 public:
  // The file of the best match for the family, or an empty string when
  // fontconfig knows no font at all.
  static std::string Find(const char* family);

  // The first font file (by name) in the folder "fonts" beside the running
  // program, or an empty string; programs run from the build have none.
  static std::string FindBundled();
  static std::string FindInFolder(const std::string& folder);
};
