// Buffered reading of the little-endian record files (world files, "NPCs.rk").
// Every record reads itself field by field through one reader; the reader takes
// the file from the system in large blocks, so no field costs a system call.
//
// Reads behave like the system's file reads that the records were made for: a
// read that the end of the file cuts short is not an error. It fills the start
// of the field and leaves the rest as it was. Only a failure that the system
// reports makes a call return false; GetError() then gives the error code that
// the failing system call left, taken right at that call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

class RkBinaryReader {
 public:
  static constexpr std::size_t kDefaultBufferSize = 1 << 20;

  explicit RkBinaryReader(std::size_t bufferSize = kDefaultBufferSize);
  ~RkBinaryReader();
  RkBinaryReader(const RkBinaryReader&) = delete;
  RkBinaryReader& operator=(const RkBinaryReader&) = delete;

  // False when the file cannot be opened, a missing file and a folder included.
  bool Open(const char* path);
  // Reads bytes in memory as if they were a file's (the fuzz targets use it;
  // no system call is made). The bytes must outlive the reading.
  void OpenMemory(const void* data, std::size_t size);
  bool IsOpen() const { return fd_ >= 0 || memory_ != nullptr; }
  bool Close();
  // The error code (errno value) of the last failing call.
  int GetError() const { return error_; }
  // Bytes between the read position and the end of the file, as its size was
  // at opening (0 for files of unknown size, such as pipes). Loaders compare
  // sizes declared in a file with what the file can hold.
  uint64_t GetRemainingSize() const;

  // Copies up to size bytes; at the end of the file, fewer (or none).
  bool Read(void* data, std::size_t size) {
    if (end_ - begin_ >= size) {
      std::memcpy(data, buffer_.get() + begin_, size);
      begin_ += size;
      return true;
    }
    return ReadAcrossBlocks(static_cast<unsigned char*>(data), size);
  }
  // The next size bytes in place, when the block in memory holds them all:
  // they stay valid until the next call, and the position moves past them.
  // Null, the position unchanged, when they run past the block (a record
  // split between two blocks, or the end of the file): the caller then reads
  // field by field, as always.
  const unsigned char* Take(std::size_t size) {
    if (end_ - begin_ < size) return nullptr;
    const unsigned char* taken = buffer_.get() + begin_;
    begin_ += size;
    return taken;
  }
  // A 4-byte little-endian integer; bytes the file no longer holds keep the
  // corresponding bytes of the value's previous contents.
  bool ReadInt32(int32_t& value);
  bool ReadUInt32(uint32_t& value);

  // Whether the file holds at least one more byte. Used to honour counts read
  // from a file only while there is something left to read. A read failure
  // answers true, so that the next read reports it.
  bool HasMore();

 private:
  bool ReadAcrossBlocks(unsigned char* data, std::size_t size);
  bool FillBuffer();
  bool FillFromMemory();

  // Not cleared on allocation: only bytes that were filled are ever used.
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  int fd_ = -1;
  bool atEnd_ = false;
  int error_ = 0;
  uint64_t fileSize_ = 0;
  uint64_t filled_ = 0;  // bytes taken from the file so far
  const unsigned char* memory_ = nullptr;  // the bytes of OpenMemory, else null
};
