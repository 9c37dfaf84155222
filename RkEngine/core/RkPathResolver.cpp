// Finding the file that a stored path names: exact, then by parts without
// regard to case, then (for Windows absolute paths) by tails.
#include "RkPathResolver.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>

#include "RkNameMatch.h"

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

std::string WithSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::vector<std::string> SplitParts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// "C:\..." or "C:..." (a drive letter), "\..." (the current drive's root) and
// "\\server\share\..." name places on a Windows machine.
bool IsWindowsAbsolute(const std::string& stored) {
  if (stored.size() >= 2 && std::isalpha(static_cast<unsigned char>(stored[0])) && stored[1] == ':') {
    return true;
  }
  return !stored.empty() && stored[0] == '\\';
}

// The parts below the drive or root of a Windows absolute path.
std::vector<std::string> PartsBelowRoot(const std::string& stored) {
  const bool hasDrive = stored.size() >= 2 && stored[1] == ':';
  return SplitParts(WithSlashes(hasDrive ? stored.substr(2) : stored));
}

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

}  // namespace

RkPathResolver& RkPathResolver::Instance() {
  static RkPathResolver* resolver = new RkPathResolver;
  return *resolver;
}

std::string RkPathResolver::Resolve(const char* stored) {
  std::string found;
  if (Find(stored, found)) return found;
  return WithSlashes(stored != nullptr ? stored : "");
}

bool RkPathResolver::Find(const char* stored, std::string& found) { return FindIn("", stored, found); }

bool RkPathResolver::FindIn(const std::string& folder, const char* stored, std::string& found) {
  if (stored == nullptr || *stored == '\0') return false;
  FollowWorkingFolder();
  // No stored path holds a zero byte: it keeps the folder apart from the path.
  const std::string key = folder.empty() ? std::string(stored) : folder + '\0' + stored;
  const auto kept = found_.find(key);
  if (kept != found_.end()) {
    if (Exists(kept->second)) {
      found = kept->second;
      return true;
    }
    found_.erase(kept);  // moved or removed since: looked for again
  }
  std::string file;
  if (!FindUncached(folder, stored, file)) return false;
  found = found_.emplace(key, std::move(file)).first->second;
  return true;
}

bool RkPathResolver::FolderOfHoldsNameWith(const std::string& file, char character) {
  const std::string::size_type slash = file.rfind('/');
  const Listing* listing = ListFolder(slash == std::string::npos ? "" : file.substr(0, slash == 0 ? 1 : slash));
  if (listing == nullptr) return true;  // unknown: the caller looks the long way
  return std::any_of(listing->names.begin(), listing->names.end(),
                     [character](const std::string& name) { return name.find(character) != std::string::npos; });
}

void RkPathResolver::Forget() {
  found_.clear();
  listings_.clear();
}

void RkPathResolver::FollowWorkingFolder() {
  char buffer[PATH_MAX];
  const char* folder = ::getcwd(buffer, sizeof buffer);
  const std::string current = folder != nullptr ? folder : "";
  if (current == workingFolder_) return;
  Forget();
  workingFolder_ = current;
}

bool RkPathResolver::FindUncached(const std::string& folder, const std::string& stored, std::string& found) {
  const std::string path = WithSlashes(stored);
  // An absolute path names the same file from any folder.
  if (MatchPath(path[0] == '/' ? path : Join(folder, path), found)) return true;
  if (!IsWindowsAbsolute(stored)) return false;
  const std::vector<std::string> parts = PartsBelowRoot(stored);
  for (std::size_t first = 0; first < parts.size(); ++first) {
    // A tail that begins by going up does not lie below the working folder.
    if (parts[first] == "." || parts[first] == "..") continue;
    std::string tail;
    for (std::size_t i = first; i < parts.size(); ++i) tail = Join(tail, parts[i]);
    if (MatchPath(Join(folder, tail), found)) return true;
  }
  return false;
}

bool RkPathResolver::MatchPath(const std::string& path, std::string& found) {
  if (Exists(path)) {
    found = path;
    return true;
  }
  std::string folder = !path.empty() && path[0] == '/' ? "/" : "";
  for (const std::string& part : SplitParts(path)) {
    std::string name;
    if (part == "." || part == "..") {
      name = part;
    } else if (!MatchPart(folder, part, name)) {
      return false;
    }
    folder = Join(folder, name);
  }
  // "." and ".." were taken as they stand: after a file they name nothing.
  if (folder.empty() || folder == "/" || !Exists(folder)) return false;
  found = folder;
  return true;
}

bool RkPathResolver::MatchPart(const std::string& folder, const std::string& part, std::string& name) {
  if (Exists(Join(folder, part))) {
    name = part;
    return true;
  }
  const Listing* listing = ListFolder(folder);
  if (listing == nullptr) return false;
  const std::u32string asWindows = RkNameMatch::KeyOfStored(part);
  // A name that our own editor stored is UTF-8 already; it may match that way.
  const std::u32string asUtf8 = RkNameMatch::IsMultiByteUtf8(part) ? RkNameMatch::KeyOfDiskName(part) : asWindows;
  for (std::size_t i = 0; i < listing->names.size(); ++i) {
    if (listing->keys[i] == asWindows || listing->keys[i] == asUtf8) {
      name = listing->names[i];
      return true;
    }
  }
  return false;
}

const RkPathResolver::Listing* RkPathResolver::ListFolder(const std::string& folder) {
  const std::string where = folder.empty() ? "." : folder;
  struct stat info;
  if (::stat(where.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return nullptr;
  auto kept = listings_.find(where);
  if (kept != listings_.end() && SameTime(kept->second.modified, info.st_mtim)) return &kept->second;

  DIR* stream = ::opendir(where.c_str());
  if (stream == nullptr) return nullptr;
  ++listingCount_;
  Listing listing;
  listing.modified = info.st_mtim;
  while (const dirent* entry = ::readdir(stream)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") listing.names.push_back(name);
  }
  ::closedir(stream);
  std::sort(listing.names.begin(), listing.names.end());
  listing.keys.reserve(listing.names.size());
  for (const std::string& name : listing.names) listing.keys.push_back(RkNameMatch::KeyOfDiskName(name));
  return &(listings_[where] = std::move(listing));
}
