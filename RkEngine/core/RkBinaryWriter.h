// Buffered, all-or-nothing writing of the little-endian record files. The
// writer fills a temporary file beside the target ("<target>.tmp") through a
// large buffer and renames it over the target only in Close, once the whole
// file is written and closed: a save that fails part-way, or a program that
// ends during one, leaves the previous file whole.
//
// After any failure the temporary file is removed and every further call
// returns false; errno still tells the cause, for the caller's fatal report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <memory>

class RkBinaryWriter {
 public:
  static constexpr std::size_t kDefaultBufferSize = 1 << 20;

  explicit RkBinaryWriter(std::size_t bufferSize = kDefaultBufferSize);
  // Removes the temporary file of a save that was not closed.
  ~RkBinaryWriter();
  RkBinaryWriter(const RkBinaryWriter&) = delete;
  RkBinaryWriter& operator=(const RkBinaryWriter&) = delete;

  static std::string TemporaryPathFor(const std::string& targetPath);

  // Creates (or truncates) the temporary file beside the target.
  bool Open(const char* targetPath);
  bool Write(const void* data, std::size_t size) {
    if (fd_ >= 0 && capacity_ - used_ >= size) {
      std::memcpy(buffer_.get() + used_, data, size);
      used_ += size;
      return true;
    }
    return WriteThroughBuffer(static_cast<const unsigned char*>(data), size);
  }
  bool WriteInt32(int32_t value) { return WriteUInt32(static_cast<uint32_t>(value)); }
  bool WriteUInt32(uint32_t value);
  // Writes what is buffered, closes the temporary file and renames it over the target.
  bool Close();

 private:
  bool WriteThroughBuffer(const unsigned char* data, std::size_t size);
  bool FlushBuffer();
  bool WriteAll(const unsigned char* data, std::size_t size);
  void Discard();

  // Not cleared on allocation: only bytes that were filled are ever used.
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  int fd_ = -1;
  std::string targetPath_;
  std::string temporaryPath_;
};
