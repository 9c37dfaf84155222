// Buffered record writing into a temporary file that replaces the target at the end.
#include "RkBinaryWriter.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "RkNativePath.h"
#include "RkSaveLeftovers.h"

namespace {

constexpr int kMaxLinkHops = 40;

// The folder part of a path, with its final '/', or "" for a bare name.
std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symbolic links to the file they name, so that saving replaces that
// file and keeps the link. A dangling link names the file to create.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::vector<char> link(static_cast<std::size_t>(PATH_MAX) + 1);
    const ssize_t length = ::readlink(path.c_str(), link.data(), link.size() - 1);
    if (length <= 0) return path;
    std::string next(link.data(), static_cast<std::size_t>(length));
    path = next[0] == '/' ? next : FolderOf(path) + next;
  }
  return path;  // a loop of links: creating the file reports it
}

mode_t ModeForNewFile() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

RkBinaryWriter::RkBinaryWriter(std::size_t bufferSize)
    : buffer_(new unsigned char[bufferSize > 0 ? bufferSize : 1]), capacity_(bufferSize > 0 ? bufferSize : 1) {}

RkBinaryWriter::~RkBinaryWriter() { Discard(); }

// Refuses what Windows would refuse to create in place of the target, and
// takes the permission bits the new file keeps.
bool RkBinaryWriter::PrepareTarget(const char* targetPath) {
  if (targetPath == nullptr || *targetPath == '\0') return Fail(ENOENT);
  targetPath_ = FollowLinks(RkNativePath::FromStored(targetPath));
  struct stat status;
  if (::stat(targetPath_.c_str(), &status) != 0) {
    if (errno != ENOENT) return Fail(errno);
    mode_ = ModeForNewFile();  // a new file; a missing folder fails at creation
    return true;
  }
  if (S_ISDIR(status.st_mode)) return Fail(EISDIR);
  // The mode bits decide, as the read-only attribute does on Windows; the
  // access check adds what they do not show for this user. (Root passes
  // access() for any file, so it alone would not do.)
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Fail(EACCES);
  if (::access(targetPath_.c_str(), W_OK) != 0) return Fail(errno);
  mode_ = status.st_mode & 07777;
  return true;
}

bool RkBinaryWriter::Open(const char* targetPath) {
  Discard();
  error_ = 0;
  if (!PrepareTarget(targetPath)) return false;
  // What a killed save of this file left is removed before the next one.
  RkSaveLeftovers::RemoveFor(targetPath_);
  std::string pattern = RkSaveLeftovers::TemporaryPattern(targetPath_);
  fd_ = ::mkstemp(&pattern[0]);
  if (fd_ < 0) return Fail(errno);
  temporaryPath_ = pattern;
  // Held until the file is closed: while it is, no sweep takes the file for a leftover.
  if (::flock(fd_, LOCK_EX) != 0) return Fail(errno);
  if (::fchmod(fd_, mode_) != 0) return Fail(errno);
  return true;
}

void RkBinaryWriter::OpenMemory(std::vector<unsigned char>& sink) {
  Discard();
  error_ = 0;
  sink.clear();
  sink_ = &sink;
}

bool RkBinaryWriter::WriteUInt32(uint32_t value) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
      static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
  return Write(bytes, sizeof bytes);
}

bool RkBinaryWriter::WriteThroughBuffer(const unsigned char* data, std::size_t size) {
  if (!IsWriting()) return Fail(error_ != 0 ? error_ : EBADF);
  while (size > 0) {
    if (used_ == capacity_ && !FlushBuffer()) return false;
    const std::size_t room = capacity_ - used_;
    const std::size_t part = room < size ? room : size;
    std::memcpy(buffer_.get() + used_, data, part);
    used_ += part;
    data += part;
    size -= part;
  }
  return true;
}

bool RkBinaryWriter::FlushBuffer() {
  if (!WriteAll(buffer_.get(), used_)) return Fail(errno);
  used_ = 0;
  return true;
}

bool RkBinaryWriter::WriteAll(const unsigned char* data, std::size_t size) {
  if (sink_ != nullptr) {
    sink_->insert(sink_->end(), data, data + size);
    return true;
  }
  while (size > 0) {
    const ssize_t count = ::write(fd_, data, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

bool RkBinaryWriter::Flush() {
  if (!IsWriting()) return Fail(error_ != 0 ? error_ : EBADF);
  if (!FlushBuffer()) return false;
  if (sink_ != nullptr) return true;
  // The data must be on the disk before the rename makes it the target.
  if (::fsync(fd_) != 0) return Fail(errno);
  return true;
}

bool RkBinaryWriter::Close() {
  if (sink_ != nullptr) {
    const bool flushed = FlushBuffer();
    sink_ = nullptr;
    return flushed;
  }
  if (fd_ < 0) return Fail(error_ != 0 ? error_ : EBADF);
  if (used_ > 0 && !Flush()) return false;
  const int result = ::close(fd_);
  fd_ = -1;
  if (result != 0) return Fail(errno);
  return true;
}

bool RkBinaryWriter::Commit() {
  if (fd_ >= 0 || temporaryPath_.empty()) return Fail(error_ != 0 ? error_ : EBADF);
  if (std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) return Fail(errno);
  temporaryPath_.clear();
  return true;
}

// Keeps the cause of a failure and drops the unfinished save.
bool RkBinaryWriter::Fail(int error) {
  error_ = error;
  Discard();
  return false;
}

void RkBinaryWriter::Discard() {
  sink_ = nullptr;
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporaryPath_.empty()) {
    ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
  used_ = 0;
}
