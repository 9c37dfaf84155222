// Naming of save temporaries, and removal of those whose writer is gone.
#include "RkSaveLeftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

constexpr const char* kSavingMark = ".rk-saving-";
constexpr const char* kPlaytestMark = ".playtest-";
constexpr std::size_t kRandomLength = 6;  // mkstemp's XXXXXX

std::string FolderPart(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NamePart(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsAlphanumeric(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A process of that id runs (perhaps another user's: EPERM says it exists).
bool ProcessRuns(long id) { return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM; }

// ".<name><mark><this process>-XXXXXX" beside path: hidden, and named after the
// file it stands for and the process that made it.
std::string PatternWith(const std::string& path, const char* mark) {
  return FolderPart(path) + "." + NamePart(path) + mark + std::to_string(::getpid()) + "-" +
         std::string(kRandomLength, 'X');
}

}  // namespace

std::string RkSaveLeftovers::TemporaryPattern(const std::string& targetPath) {
  return PatternWith(targetPath, kSavingMark);
}

std::string RkSaveLeftovers::PlaytestPattern(const std::string& mapPath) { return PatternWith(mapPath, kPlaytestMark); }

int RkSaveLeftovers::RemoveFor(const std::string& targetPath) {
  const std::string name = NamePart(targetPath);
  return name.empty() ? 0 : RemoveMatching(FolderPart(targetPath), name);
}

int RkSaveLeftovers::RemoveInFolder(const std::string& folder) {
  if (folder.empty()) return RemoveMatching("", "");
  return RemoveMatching(folder.back() == '/' ? folder : folder + "/", "");
}

bool RkSaveLeftovers::IsTemporaryName(const std::string& name, const std::string& targetName, long& writer) {
  return HasMark(name, kSavingMark, targetName, writer) || HasMark(name, kPlaytestMark, targetName, writer);
}

bool RkSaveLeftovers::HasMark(const std::string& name, const char* marker, const std::string& targetName,
                              long& writer) {
  const std::string::size_type mark = name.rfind(marker);
  if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark < 2) return false;
  if (!targetName.empty() && name.compare(1, mark - 1, targetName) != 0) return false;
  const std::string::size_type idStart = mark + std::char_traits<char>::length(marker);
  std::string::size_type at = idStart;
  while (at < name.size() && name[at] >= '0' && name[at] <= '9') ++at;
  if (at == idStart || at - idStart > 9 || at >= name.size() || name[at] != '-') return false;
  const std::string random = name.substr(at + 1);
  if (random.size() != kRandomLength) return false;
  for (char c : random) {
    if (!IsAlphanumeric(c)) return false;
  }
  writer = std::strtol(name.c_str() + idStart, nullptr, 10);
  return writer > 0;
}

// The writer's id tells a running save from a dead one; the lock covers a
// writer whose id this process cannot see (another machine or container).
bool RkSaveLeftovers::IsAbandoned(const std::string& path, long writer) {
  if (ProcessRuns(writer)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status;
  const bool abandoned = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);  // drops the lock taken just to test it
  return abandoned;
}

int RkSaveLeftovers::RemoveMatching(const std::string& folder, const std::string& targetName) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    long writer = 0;
    if (!IsTemporaryName(entry->d_name, targetName, writer)) continue;
    const std::string path = folder + entry->d_name;
    if (IsAbandoned(path, writer) && ::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(listing);
  return removed;
}
