// The 500-byte text field of every record: a zero-terminated text of at most 499
// single-byte characters. Files hold the whole 500 bytes, so the field is kept as
// the raw array; the records hand out views of it.
#pragma once

#include <cstddef>

class RkBinaryReader;
class RkBinaryWriter;

class RkTextField {
 public:
  static constexpr std::size_t kSize = 500;

  // Empty text, every byte zero (a fresh field writes 500 zero bytes).
  RkTextField();

  // Copies the text and zeroes the rest of the array. False, leaving the field
  // unchanged, for a null text or one of kSize characters or more; the record
  // that owns the field reports that with its own message.
  bool Assign(const char* text);
  const char* Get() const { return bytes_; }
  bool Equals(const char* text) const;

  // The whole array as stored in a file. A read that the file cuts short fills
  // only the start; a field read without a zero is cut at 499 characters, so a
  // damaged file can never make a text run past its array.
  bool Write(RkBinaryWriter& writer) const;
  bool Read(RkBinaryReader& reader);

 private:
  char bytes_[kSize];
};
