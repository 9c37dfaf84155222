// Writing the exported folder under a hidden name, then renaming it.
#include "RkExportWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;
constexpr const char* kStopped = "the export was stopped; nothing was written";

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string SystemText(int error) { return std::strerror(error); }

// Removes the hidden folder on every way out of Write but success.
class HiddenFolderGuard {
 public:
  explicit HiddenFolderGuard(const std::string& folder) : folder_(folder) {}
  ~HiddenFolderGuard() {
    if (folder_.empty()) return;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  void Keep() { folder_.clear(); }

 private:
  std::string folder_;
};

}  // namespace

RkExportWriter::RkExportWriter(std::string out) : out_(WithoutTrailingSlashes(std::move(out))) {}

bool RkExportWriter::CanWriteTo(const std::string& outPath, std::string& error) {
  const std::string out = WithoutTrailingSlashes(outPath);
  std::error_code code;
  const fs::file_status status = fs::symlink_status(out, code);
  if (fs::exists(status)) {
    if (!fs::is_directory(status)) {
      error = out + " exists and is not a folder: export into a new or empty folder";
      return false;
    }
    if (!fs::is_empty(out, code) || code) {
      error = out + " is not empty: export into a new or empty folder";
      return false;
    }
    return true;
  }
  const fs::path parent = fs::path(out).parent_path();
  if (!parent.empty() && !fs::is_directory(parent, code)) {
    error = "the folder " + parent.string() + ", where " + out + " would be made, does not exist";
    return false;
  }
  return true;
}

bool RkExportWriter::MeasureFiles(const std::vector<File>& files, uint64_t& bytes, std::string& error) const {
  bytes = 0;
  for (const File& file : files) {
    if (file.source.empty()) {
      bytes += file.text.size();
      continue;
    }
    std::error_code code;
    const uintmax_t size = fs::file_size(file.source, code);
    if (code) {
      error = "cannot read " + file.source + ": " + code.message();
      return false;
    }
    bytes += size;
  }
  return true;
}

bool RkExportWriter::Write(const std::vector<File>& files, const ProgressHandler& handler, std::string& error) {
  if (!CanWriteTo(out_, error)) return false;
  Progress progress{0, 0, ""};
  if (!MeasureFiles(files, progress.totalBytes, error) || !MakeHiddenFolder(error)) return false;
  HiddenFolderGuard guard(hidden_);
  for (const File& file : files) {
    if (!WriteFile(file, progress, handler, error)) return false;
    // Each file whole, the small texts included: the bar ends full.
    if (handler && !handler(progress)) {
      error = kStopped;
      return false;
    }
  }
  // An empty folder of that name is replaced; one that is no longer empty is
  // not (the rename fails), and the hidden folder goes.
  if (std::rename(hidden_.c_str(), out_.c_str()) != 0) {
    const int cause = errno;
    error = cause == ENOTEMPTY || cause == EEXIST
                ? out_ + " is not empty: export into a new or empty folder"
                : "cannot rename " + hidden_ + " to " + out_ + ": " + SystemText(cause);
    return false;
  }
  guard.Keep();
  return true;
}

// Beside the target, so that the final rename stays on one file system.
bool RkExportWriter::MakeHiddenFolder(std::string& error) {
  const fs::path out(out_);
  const fs::path parent = out.parent_path();
  std::string pattern = (parent / ("." + out.filename().string() + ".export-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    error = "cannot make a folder beside " + out_ + ": " + SystemText(errno);
    return false;
  }
  hidden_ = pattern;
  // mkdtemp makes it private; the game's folder is for everyone to read.
  chmod(hidden_.c_str(), 0755);
  return true;
}

bool RkExportWriter::WriteFile(const File& file, Progress& progress, const ProgressHandler& handler,
                               std::string& error) {
  const fs::path target = fs::path(hidden_) / file.path;
  std::error_code code;
  fs::create_directories(target.parent_path(), code);
  if (code) {
    error = "cannot make the folder " + (fs::path(out_) / file.path).parent_path().string() + ": " + code.message();
    return false;
  }
  progress.path = file.path;
  if (handler && !handler(progress)) {
    error = kStopped;
    return false;
  }
  const int to = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file.executable ? 0755 : 0644);
  if (to < 0) {
    error = "cannot write " + (fs::path(out_) / file.path).string() + ": " + SystemText(errno);
    return false;
  }
  bool written = true;
  if (file.source.empty()) {
    const ssize_t count = write(to, file.text.data(), file.text.size());
    if (count != static_cast<ssize_t>(file.text.size())) {
      error = "cannot write " + (fs::path(out_) / file.path).string() + ": " + SystemText(count < 0 ? errno : ENOSPC);
      written = false;
    }
    progress.doneBytes += file.text.size();
  } else {
    const int from = open(file.source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
      error = "cannot read " + file.source + ": " + SystemText(errno);
      written = false;
    } else {
      written = CopyBytes(from, to, file, progress, handler, error);
      close(from);
    }
  }
  // A full disk may only show when the file is closed.
  if (close(to) != 0 && written) {
    error = "cannot write " + (fs::path(out_) / file.path).string() + ": " + SystemText(errno);
    written = false;
  }
  return written;
}

bool RkExportWriter::CopyBytes(int from, int to, const File& file, Progress& progress,
                               const ProgressHandler& handler, std::string& error) {
  std::vector<char> buffer(kChunkBytes);
  for (;;) {
    const ssize_t count = read(from, buffer.data(), buffer.size());
    if (count == 0) return true;
    if (count < 0) {
      if (errno == EINTR) continue;
      error = "cannot read " + file.source + ": " + SystemText(errno);
      return false;
    }
    for (ssize_t done = 0; done < count;) {
      const ssize_t put = write(to, buffer.data() + done, static_cast<std::size_t>(count - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        error = "cannot write " + (fs::path(out_) / file.path).string() + ": " + SystemText(put < 0 ? errno : ENOSPC);
        return false;
      }
      done += put;
    }
    progress.doneBytes += static_cast<uint64_t>(count);
    if (handler && !handler(progress)) {
      error = kStopped;
      return false;
    }
  }
}
