// The remembered cell sizes of tile sheets, in "TileSheets.ini".
#include "RkSheetSizes.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>

#include "RkSheetCell.h"

namespace {

std::string WorkingFolder() {
  char buffer[PATH_MAX];
  const char* folder = ::getcwd(buffer, sizeof buffer);
  return folder != nullptr ? folder : "";
}

bool IsChoice(int size) {
  for (const int choice : RkSheetSizes::kChoices) {
    if (choice == size) return true;
  }
  return false;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

RkSheetSizes& RkSheetSizes::Instance() {
  static RkSheetSizes* sizes = new RkSheetSizes;
  return *sizes;
}

int RkSheetSizes::DefaultSize(int width, int height) {
  constexpr int kCell = RkSheetCell::kDefaultSize;
  constexpr int kSheetSide = 4 * kCell;
  const bool looksLikeSheet = width >= kCell && height >= kCell && (width >= kSheetSide || height >= kSheetSide);
  return looksLikeSheet ? kCell : 0;
}

int RkSheetSizes::SizeOf(const std::string& path, int width, int height) {
  LoadIfNeeded();
  const auto found = sizes.find(path);
  return found != sizes.end() ? found->second : DefaultSize(width, height);
}

void RkSheetSizes::Remember(const std::string& path, int size) {
  LoadIfNeeded();
  if (!IsChoice(size)) return;
  sizes[path] = size;
  Save();
}

// The path may hold '=' (a file name may); the size after the last one is read.
void RkSheetSizes::LoadIfNeeded() {
  const std::string current = WorkingFolder();
  if (current == folder) return;
  folder = current;
  sizes.clear();
  std::ifstream file(kFileName);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t equals = line.rfind('=');
    if (equals == std::string::npos) continue;
    const std::string path = Trimmed(line.substr(0, equals));
    const std::string number = Trimmed(line.substr(equals + 1));
    if (path.empty() || number.empty() || number.size() > 3 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    const int size = std::stoi(number);
    if (IsChoice(size)) sizes[path] = size;
  }
}

// Written beside the old file and renamed over it, like the maps.
bool RkSheetSizes::Save() const {
  const std::string temporary = std::string(".") + kFileName + ".saving";
  {
    std::ofstream file(temporary, std::ios::trunc);
    file << "# The cell size the editor shows each tile sheet with (0: the whole image).\n";
    for (const auto& [path, size] : sizes) file << path << " = " << size << "\n";
    if (!file.flush()) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), kFileName) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
