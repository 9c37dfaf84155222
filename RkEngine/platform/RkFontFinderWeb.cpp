// RkFontFinder in a web page: the browser's fonts are out of reach of the
// game's file system, so the web build of the game carries its own face
// (Liberation Sans, metric-compatible with "Arial") at a fixed path, packed
// with the program (see EmberHollow/CMakeLists.txt).
#include "RkFontFinder.h"

#include <sys/stat.h>

namespace {
constexpr const char* kCarriedFont = "/fonts/LiberationSans-Regular.ttf";
}  // namespace

std::string RkFontFinder::Find(const char*) {
  struct stat status;
  return stat(kCarriedFont, &status) == 0 ? kCarriedFont : "";
}
