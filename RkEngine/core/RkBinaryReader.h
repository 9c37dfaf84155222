// Buffered reading of the little-endian record files (world files, "NPCs.rk").
// Every record reads itself field by field through one reader; the reader takes
// the file from the system in large blocks, so no field costs a system call.
//
// Reads behave like the system's file reads that the records were made for: a
// read that the end of the file cuts short is not an error. It fills the start
// of the field and leaves the rest as it was. Only a failure that the system
// reports makes a read return false (errno then tells why).
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

  // False (errno set) when the file cannot be opened, a missing file included.
  bool Open(const char* path);
  bool IsOpen() const { return fd_ >= 0; }
  // False (errno set) when the system reports a failure.
  bool Close();

  // Copies up to size bytes; at the end of the file, fewer (or none).
  bool Read(void* data, std::size_t size) {
    if (end_ - begin_ >= size) {
      std::memcpy(data, buffer_.get() + begin_, size);
      begin_ += size;
      return true;
    }
    return ReadAcrossBlocks(static_cast<unsigned char*>(data), size);
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

  // Not cleared on allocation: only bytes that were filled are ever used.
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  int fd_ = -1;
  bool atEnd_ = false;
};
