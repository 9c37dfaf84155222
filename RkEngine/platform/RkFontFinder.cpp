// Font lookup through fontconfig's own matching (the same substitutions that a
// desktop application gets for the family name).
#include "RkFontFinder.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool IsFontFile(const fs::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension == ".ttf" || extension == ".otf";
}

}  // namespace

std::string RkFontFinder::FindInFolder(const std::string& folder) {
  std::vector<std::string> fonts;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && IsFontFile(it->path())) fonts.push_back(it->path().string());
  }
  return fonts.empty() ? std::string() : *std::min_element(fonts.begin(), fonts.end());
}

std::string RkFontFinder::FindBundled() {
  char program[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
  if (length <= 0) return std::string();
  program[length] = '\0';
  return FindInFolder((fs::path(program).parent_path() / "fonts").string());
}

std::string RkFontFinder::Find(const char* family) {
  std::string path = FindBundled();
  if (!path.empty()) return path;
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
