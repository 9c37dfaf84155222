// Buffered record writing into a temporary file that replaces the target at the end.
#include "RkBinaryWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "RkNativePath.h"

RkBinaryWriter::RkBinaryWriter(std::size_t bufferSize) : buffer_(new unsigned char[bufferSize > 0 ? bufferSize : 1]), capacity_(bufferSize > 0 ? bufferSize : 1) {}

RkBinaryWriter::~RkBinaryWriter() { Discard(); }

std::string RkBinaryWriter::TemporaryPathFor(const std::string& targetPath) {
  return targetPath + ".tmp";
}

bool RkBinaryWriter::Open(const char* targetPath) {
  Discard();
  if (targetPath == nullptr || *targetPath == '\0') {
    errno = ENOENT;
    return false;
  }
  targetPath_ = RkNativePath::FromStored(targetPath);
  temporaryPath_ = TemporaryPathFor(targetPath_);
  do {
    fd_ = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd_ < 0 && errno == EINTR);
  used_ = 0;
  if (fd_ < 0) temporaryPath_.clear();  // never remove a file that this save did not make
  return fd_ >= 0;
}

bool RkBinaryWriter::WriteUInt32(uint32_t value) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
      static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
  return Write(bytes, sizeof bytes);
}

bool RkBinaryWriter::WriteThroughBuffer(const unsigned char* data, std::size_t size) {
  if (fd_ < 0) {
    errno = EBADF;
    return false;
  }
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
  if (!WriteAll(buffer_.get(), used_)) {
    Discard();
    return false;
  }
  used_ = 0;
  return true;
}

bool RkBinaryWriter::WriteAll(const unsigned char* data, std::size_t size) {
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

bool RkBinaryWriter::Close() {
  if (fd_ < 0) {
    errno = EBADF;
    return false;
  }
  if (!FlushBuffer()) return false;
  const int closeResult = ::close(fd_);
  fd_ = -1;
  if (closeResult != 0 || std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
    const int cause = errno;
    ::unlink(temporaryPath_.c_str());
    errno = cause;
    temporaryPath_.clear();
    return false;
  }
  temporaryPath_.clear();
  return true;
}

// Drops an unfinished save; errno is kept for the caller's report.
void RkBinaryWriter::Discard() {
  const int cause = errno;
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporaryPath_.empty()) {
    ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
  used_ = 0;
  errno = cause;
}
