// Fuzz target over the path resolver: every input is a stored path as a map
// may hold it (up to 499 bytes, cut at a zero) and is resolved in a small folder
// of lower-case, UTF-8 and raw Windows-1252 names. A path that is reported as
// found (from the working folder, or from its "maps" as a map there holds it)
// must name something that exists; none may crash or read out of bounds. The
// same text is read as an image field that may name a cell of a tile sheet
// ("sheet.png#2,1,16"): a cell is always within the sizes a sheet can have, and
// its sheet is the text before the last '#'.
//
// Built by scripts/fuzz.sh (RK_FUZZ_TARGET=fuzz_paths) with clang's libFuzzer,
// AddressSanitizer and UBSan.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "RkNameMatch.h"
#include "RkPathResolver.h"
#include "RkSheetCell.h"

namespace {

void MakeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  if (fd >= 0) ::close(fd);
}

std::string& Folder() {
  static std::string folder;
  return folder;
}

// A folder of its own made the working folder once per process, removed at exit.
void EnterFolder() {
  const char* tmp = std::getenv("TMPDIR");
  Folder() = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/rk-fuzz-paths-XXXXXX";
  if (::mkdtemp(Folder().data()) == nullptr || ::chdir(Folder().c_str()) != 0) std::abort();
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
  });
  for (const char* sub : {"images", "images/tiles", "maps"}) ::mkdir(sub, 0755);
  for (const char* file : {"images/tiles/sheet.png#1,0", "images/tiles/grass.png", "images/tiles/Grass.png", "maps/caf\xC3\xA9.rkm",
                           "maps/\xC9t\xE9.rkm", "maps/house.rkm", "world.rkm"}) {
    MakeFile(file);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool entered = (EnterFolder(), true);
  (void)entered;
  std::string stored(reinterpret_cast<const char*>(data), size < 499 ? size : 499);
  stored = stored.substr(0, stored.find('\0'));

  RkNameMatch::KeyOfDiskName(stored);
  const RkSheetCell parsed = RkSheetCell::Parse(stored);
  if (parsed.IsCell()) {
    if (parsed.GetSize() < RkSheetCell::kMinSize || parsed.GetSize() > RkSheetCell::kMaxSize) __builtin_trap();
    if (parsed.GetColumn() < 0 || parsed.GetRow() < 0 || parsed.GetSheet().empty()) __builtin_trap();
    if (stored.compare(0, parsed.GetSheet().size(), parsed.GetSheet()) != 0) __builtin_trap();
    // Composing the cell again reads back as the same cell.
    const RkSheetCell again = RkSheetCell::Parse(
        RkSheetCell::Compose(parsed.GetSheet(), parsed.GetColumn(), parsed.GetRow(), parsed.GetSize()));
    if (!again.IsCell() || again.GetColumn() != parsed.GetColumn() || again.GetRow() != parsed.GetRow()) {
      __builtin_trap();
    }
    parsed.LiesWithin(8192, 8192);
  } else if (!parsed.IsMalformed() && parsed.GetSheet() != stored) {
    __builtin_trap();
  }
  RkSheetCell::Locate("", stored);
  RkSheetCell::Locate("maps", stored);
  RkPathResolver resolver;
  std::string found;
  if (resolver.Find(stored.c_str(), found)) {
    struct stat info;
    if (::stat(found.c_str(), &info) != 0) __builtin_trap();
  }
  resolver.Resolve(stored.c_str());
  // The same path as a map in the folder "maps" holds it, as the map checker asks.
  if (resolver.FindIn("maps", stored.c_str(), found)) {
    struct stat info;
    if (::stat(found.c_str(), &info) != 0) __builtin_trap();
  }
  return 0;
}
