// Refusing the files that the fatal loaders could not take, before they see them.
#include "RkSafeLoader.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "RkNPCList.h"
#include "RkNativePath.h"
#include "RkTile.h"
#include "RkWorld.h"

namespace fs = std::filesystem;

bool RkSafeLoader::OpensAsFile(const std::string& nativePath, std::string& cause) {
  std::error_code error;
  const fs::file_status status = fs::status(nativePath, error);
  if (!fs::exists(status)) {
    cause = "the file does not exist";
    return false;
  }
  // A folder opens on POSIX but fails at the first read, which is fatal.
  if (!fs::is_regular_file(status)) {
    cause = "it is not a file";
    return false;
  }
  errno = 0;
  std::ifstream probe(nativePath, std::ios::binary);
  if (!probe) {
    cause = std::string("it cannot be opened: ") + std::strerror(errno != 0 ? errno : EACCES);
    return false;
  }
  return true;
}

// The loader refuses a negative size or one over RkWorld::kMaxCells fatally. A
// file that ends inside its grid would load with fresh cells for the rest; here
// it is refused as damaged, so that eight bytes naming a grid of 16 million cells
// do not make a tool allocate gigabytes and report every cell.
bool RkSafeLoader::HasSoundSize(const std::string& nativePath, std::string& cause) {
  unsigned char header[8] = {};
  std::ifstream in(nativePath, std::ios::binary);
  in.read(reinterpret_cast<char*>(header), sizeof header);
  uint32_t fields[2] = {0, 0};
  for (int i = 0; i < 8; ++i) fields[i / 4] |= static_cast<uint32_t>(header[i]) << (8 * (i % 4));
  const int32_t width = static_cast<int32_t>(fields[0]);
  const int32_t height = static_cast<int32_t>(fields[1]);
  const std::string size = std::to_string(width) + " by " + std::to_string(height) + " cells";
  if (width < 0 || height < 0 || static_cast<int64_t>(width) * height > RkWorld::kMaxCells) {
    cause = "the file is damaged: its size of " + size + " is not possible";
    return false;
  }
  std::error_code error;
  const uintmax_t bytes = fs::file_size(nativePath, error);
  const uintmax_t gridEnd = sizeof header + static_cast<uintmax_t>(width) * height * RkTile::kRecordSize;
  if (!error && width > 0 && height > 0 && bytes < gridEnd) {
    cause = "the file is damaged: it ends inside its grid of " + size;
    return false;
  }
  return true;
}

bool RkSafeLoader::TryLoadWorld(const std::string& path, RkWorld& world, std::string& cause) {
  world.Clear();
  const std::string nativePath = RkNativePath::FromStored(path.c_str());
  if (!OpensAsFile(nativePath, cause) || !HasSoundSize(nativePath, cause)) return false;
  world.Load(path.c_str());
  return true;
}

bool RkSafeLoader::TryLoadNPCList(const std::string& path, RkNPCList& list, std::string& cause) {
  const std::string nativePath = RkNativePath::FromStored(path.c_str());
  if (!OpensAsFile(nativePath, cause)) {
    list = RkNPCList();
    return false;
  }
  list.LoadNPCFile(path.c_str());
  return true;
}
