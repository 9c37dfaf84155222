// Naming, finding and dating the recovery files of maps.
#include "RkRecoveryFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// Modification time in nanoseconds; false when the path is not a file.
bool WrittenAt(const std::string& path, long long& nanoseconds) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  nanoseconds = static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  return true;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A map that exists and was written at or after the recovery file outdates it.
bool OutdatedBy(const std::string& mapFile, long long recoveryTime) {
  long long mapTime = 0;
  return !mapFile.empty() && WrittenAt(mapFile, mapTime) && mapTime >= recoveryTime;
}

}  // namespace

std::string RkRecoveryFile::PathFor(const std::string& mapFile) {
  const std::string::size_type slash = mapFile.find_last_of("/\\");
  const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
  return mapFile.substr(0, nameStart) + kPrefix + mapFile.substr(nameStart) + kSuffix;
}

std::string RkRecoveryFile::MapFileOf(const std::string& recoveryPath) {
  const std::string::size_type slash = recoveryPath.find_last_of("/\\");
  const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::string name = recoveryPath.substr(nameStart);
  const std::string prefix = kPrefix;
  const std::string suffix = kSuffix;
  if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      !EndsWith(name, suffix)) {
    return "";
  }
  return recoveryPath.substr(0, nameStart) + name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
}

bool RkRecoveryFile::IsWorthOffering(const std::string& mapFile, const std::string& readFrom) {
  long long recoveryTime = 0;
  if (!WrittenAt(PathFor(mapFile), recoveryTime)) return false;
  return !OutdatedBy(mapFile, recoveryTime) && !OutdatedBy(readFrom, recoveryTime);
}

std::vector<std::string> RkRecoveryFile::FindWorthOffering(const std::string& folder) {
  std::vector<std::pair<long long, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string path = folder == "." ? entry.path().filename().string() : entry.path().string();
    const std::string mapFile = MapFileOf(path);
    long long recoveryTime = 0;
    if (!mapFile.empty() && IsWorthOffering(mapFile) && WrittenAt(path, recoveryTime)) {
      found.emplace_back(recoveryTime, mapFile);
    }
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> maps;
  for (auto& item : found) maps.push_back(std::move(item.second));
  return maps;
}

std::string RkRecoveryFile::WrittenAtText(const std::string& recoveryPath) {
  struct stat status;
  if (::stat(recoveryPath.c_str(), &status) != 0) return "";
  std::tm local{};
  localtime_r(&status.st_mtim.tv_sec, &local);
  char text[8] = {};
  std::strftime(text, sizeof text, "%H:%M", &local);
  return text;
}

bool RkRecoveryFile::Remove(const std::string& recoveryPath) {
  return ::unlink(recoveryPath.c_str()) == 0 || errno == ENOENT;
}
