// The 500-byte text field of every record: a zero-terminated text of at most 499
// single-byte characters. Files hold the whole 500 bytes (the text, then zeros);
// in memory only the text is kept, and a text is never changed in place, only
// replaced: fields with the same text may share it. A big map's million cells
// name a handful of images, so its loader hands every cell the one copy of its
// text (RkTextPool) instead of making a string per cell.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

class RkBinaryReader;
class RkBinaryWriter;
class RkTextPool;

class RkTextField {
 public:
  static constexpr std::size_t kSize = 500;
  static constexpr std::size_t kMaxLength = kSize - 1;
  // The cause shown under the setters' fatal reports when Assign refuses a text.
  static constexpr const char* kTooLongCause =
      "The text does not fit: a text field holds at most 499 characters.\n";

  // Copies the text. False, leaving the field unchanged, for a null text or one
  // of kSize characters or more; the record that owns the field reports that
  // with its own message.
  bool Assign(const char* text);
  // A view of the text, valid until the field is changed or destroyed.
  const char* Get() const { return text_ != nullptr ? text_->c_str() : ""; }
  std::size_t GetLength() const { return text_ != nullptr ? text_->size() : 0; }
  bool Equals(const char* text) const { return text != nullptr && std::strcmp(Get(), text) == 0; }
  bool operator==(const RkTextField& other) const {
    return text_ == other.text_ || (GetLength() == other.GetLength() && std::strcmp(Get(), other.Get()) == 0);
  }

  // The whole 500 bytes as stored in a file: the text, then zeros.
  bool Write(RkBinaryWriter& writer) const;
  // A read that the file cuts short overwrites only the start of the field, as
  // the system's reads do; a field without a zero is cut at 499 characters, so
  // a damaged file can never make a text run past its field. Bytes after the
  // zero carry no meaning and are dropped.
  bool Read(RkBinaryReader& reader);
  // The text of a whole 500-byte field already in memory, cut like Read's, kept
  // once in the pool for every field that holds it.
  void ReadWhole(const unsigned char* field, RkTextPool& pool);

 private:
  // Null for the empty text: most fields of a map (New Area names) are empty.
  std::shared_ptr<const std::string> text_;
};
