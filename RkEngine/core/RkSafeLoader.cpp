// The non-fatal loaders, with their failures in words.
#include "RkSafeLoader.h"

#include <filesystem>
#include <optional>

#include "RkFailure.h"
#include "RkNPCList.h"
#include "RkNativePath.h"
#include "RkWorld.h"

namespace {

// The cause without the line end that the system's texts carry.
std::string CauseOf(const RkFailure& failure) {
  std::string cause = failure.GetSystemText();
  while (!cause.empty() && (cause.back() == '\n' || cause.back() == '\r')) cause.pop_back();
  return cause.empty() ? failure.GetMessage() : cause;
}

}  // namespace

bool RkSafeLoader::TryLoadWorld(const std::string& path, RkWorld& world, std::string& cause) {
  world.Clear();
  if (std::optional<RkFailure> failure = world.TryLoad(path.c_str())) {
    cause = CauseOf(*failure);
    return false;
  }
  return true;
}

bool RkSafeLoader::TryLoadNPCList(const std::string& path, RkNPCList& list, std::string& cause) {
  list = RkNPCList();
  std::error_code error;
  if (!std::filesystem::is_regular_file(RkNativePath::FromStored(path.c_str()), error)) {
    cause = "it is not a file";
    return false;
  }
  if (std::optional<RkFailure> failure = list.TryLoadNPCFile(path.c_str())) {
    cause = CauseOf(*failure);
    return false;
  }
  return true;
}
