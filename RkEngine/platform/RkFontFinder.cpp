// Font lookup through fontconfig's own matching (the same substitutions that a
// desktop application gets for the family name).
#include "RkFontFinder.h"

#include <fontconfig/fontconfig.h>

std::string RkFontFinder::Find(const char* family) {
  std::string path;
  if (FcInit() == FcFalse) return path;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
  if (pattern == nullptr) return path;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  if (match != nullptr) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
      path = reinterpret_cast<const char*>(file);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return path;
}
