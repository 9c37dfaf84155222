// Buffered record reading on a POSIX file descriptor.
#include "RkBinaryReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "RkNativePath.h"

namespace {

void EncodeLittleEndian(uint32_t value, unsigned char* bytes) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t DecodeLittleEndian(const unsigned char* bytes) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return value;
}

}  // namespace

RkBinaryReader::RkBinaryReader(std::size_t bufferSize) : buffer_(new unsigned char[bufferSize > 0 ? bufferSize : 1]), capacity_(bufferSize > 0 ? bufferSize : 1) {}

RkBinaryReader::~RkBinaryReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool RkBinaryReader::Open(const char* path) {
  Close();
  begin_ = end_ = 0;
  atEnd_ = false;
  fileSize_ = filled_ = 0;
  if (path == nullptr) {
    error_ = ENOENT;
    return false;
  }
  const std::string nativePath = RkNativePath::FromStored(path);
  do {
    fd_ = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) {
    error_ = errno;
    return false;
  }
  struct stat status;
  if (::fstat(fd_, &status) != 0) {
    error_ = errno;
  } else if (S_ISDIR(status.st_mode)) {
    // POSIX opens a folder for reading; Windows refuses it at the open.
    error_ = EISDIR;
  } else {
    if (S_ISREG(status.st_mode)) fileSize_ = static_cast<uint64_t>(status.st_size);
    return true;
  }
  ::close(fd_);
  fd_ = -1;
  return false;
}

void RkBinaryReader::OpenMemory(const void* data, std::size_t size) {
  Close();
  begin_ = end_ = 0;
  atEnd_ = false;
  filled_ = 0;
  fileSize_ = size;
  static const unsigned char kNothing = 0;
  memory_ = size > 0 ? static_cast<const unsigned char*>(data) : &kNothing;
}

bool RkBinaryReader::Close() {
  memory_ = nullptr;
  if (fd_ < 0) return true;
  const int result = ::close(fd_);
  fd_ = -1;
  if (result != 0) error_ = errno;
  return result == 0;
}

uint64_t RkBinaryReader::GetRemainingSize() const {
  const uint64_t position = filled_ - (end_ - begin_);
  return fileSize_ > position ? fileSize_ - position : 0;
}

bool RkBinaryReader::FillBuffer() {
  begin_ = end_ = 0;
  if (memory_ != nullptr && !atEnd_) return FillFromMemory();
  if (atEnd_ || fd_ < 0) {
    atEnd_ = true;
    return true;
  }
  ssize_t count;
  do {
    count = ::read(fd_, buffer_.get(), capacity_);
  } while (count < 0 && errno == EINTR);
  if (count < 0) {
    error_ = errno;
    return false;
  }
  end_ = static_cast<std::size_t>(count);
  filled_ += static_cast<uint64_t>(count);
  atEnd_ = count == 0;
  return true;
}

bool RkBinaryReader::FillFromMemory() {
  const uint64_t left = fileSize_ - filled_;
  const std::size_t count = left < capacity_ ? static_cast<std::size_t>(left) : capacity_;
  std::memcpy(buffer_.get(), memory_ + filled_, count);
  end_ = count;
  filled_ += count;
  atEnd_ = count == 0;
  return true;
}

bool RkBinaryReader::ReadAcrossBlocks(unsigned char* data, std::size_t size) {
  while (size > 0) {
    if (begin_ == end_) {
      if (!FillBuffer()) return false;
      if (atEnd_) return true;
    }
    const std::size_t available = end_ - begin_;
    const std::size_t part = available < size ? available : size;
    std::memcpy(data, buffer_.get() + begin_, part);
    begin_ += part;
    data += part;
    size -= part;
  }
  return true;
}

bool RkBinaryReader::ReadInt32(int32_t& value) {
  uint32_t bits = static_cast<uint32_t>(value);
  if (!ReadUInt32(bits)) return false;
  value = static_cast<int32_t>(bits);
  return true;
}

bool RkBinaryReader::ReadUInt32(uint32_t& value) {
  unsigned char bytes[4];
  EncodeLittleEndian(value, bytes);
  if (!Read(bytes, sizeof bytes)) return false;
  value = DecodeLittleEndian(bytes);
  return true;
}

bool RkBinaryReader::HasMore() {
  if (begin_ < end_) return true;
  if (!FillBuffer()) return true;
  return begin_ < end_;
}
