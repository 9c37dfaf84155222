// Buffered, all-or-nothing writing of the little-endian record files. The
// writer fills a temporary file of a unique name beside the target through a
// large buffer; the saving code then flushes it to the disk, closes it and
// commits it, which renames it over the target. A save that fails part-way, or
// a program that ends during one, leaves the previous file whole.
//
// The target is the file that a symbolic link names (the link stays), and the
// new file keeps the target's permission bits. A target that may not be
// replaced (a folder, a read-only file) is refused at Open, as Windows refuses
// to create such a file.
//
// After any failure the temporary file is removed and every further call
// returns false; GetError() gives the error code of the failing system call.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

class RkBinaryWriter {
 public:
  static constexpr std::size_t kDefaultBufferSize = 1 << 20;

  explicit RkBinaryWriter(std::size_t bufferSize = kDefaultBufferSize);
  // Removes the temporary file of a save that was not committed.
  ~RkBinaryWriter();
  RkBinaryWriter(const RkBinaryWriter&) = delete;
  RkBinaryWriter& operator=(const RkBinaryWriter&) = delete;

  // Creates the temporary file (named by RkSaveLeftovers, never an existing
  // file), after removing what killed saves of the same target left.
  bool Open(const char* targetPath);
  // Writes into sink instead of a file (the fuzz targets use it; no system call
  // is made). Flush and Close work as for a file; there is nothing to commit.
  void OpenMemory(std::vector<unsigned char>& sink);
  bool Write(const void* data, std::size_t size) {
    if (IsWriting() && capacity_ - used_ >= size) {
      std::memcpy(buffer_.get() + used_, data, size);
      used_ += size;
      return true;
    }
    return WriteThroughBuffer(static_cast<const unsigned char*>(data), size);
  }
  bool WriteInt32(int32_t value) { return WriteUInt32(static_cast<uint32_t>(value)); }
  bool WriteUInt32(uint32_t value);
  // Writes what is buffered and waits until the data is on the disk; a failure
  // here is a failing write of the file's last data.
  bool Flush();
  // Closes the temporary file (after Flush).
  bool Close();
  // Renames the closed temporary file over the target.
  bool Commit();

  // The error code (errno value) of the failing call.
  int GetError() const { return error_; }
  // The temporary file while a save is open (empty before Open and after
  // Commit or a failure).
  const std::string& GetTemporaryPath() const { return temporaryPath_; }

 private:
  bool IsWriting() const { return fd_ >= 0 || sink_ != nullptr; }
  bool PrepareTarget(const char* targetPath);
  bool WriteThroughBuffer(const unsigned char* data, std::size_t size);
  bool FlushBuffer();
  bool WriteAll(const unsigned char* data, std::size_t size);
  bool Fail(int error);
  void Discard();

  // Not cleared on allocation: only bytes that were filled are ever used.
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  int fd_ = -1;
  int error_ = 0;
  mode_t mode_ = 0;
  std::string targetPath_;
  std::string temporaryPath_;
  std::vector<unsigned char>* sink_ = nullptr;  // the memory of OpenMemory, else null
};
