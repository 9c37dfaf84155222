// The 500-byte text field of every record: a zero-terminated text of at most 499
// single-byte characters. Files hold the whole 500 bytes (the text, then zeros);
// in memory only the text is kept, so a grid of mostly empty fields stays small
// and quick to load. The records hand out views of the text.
#pragma once

#include <cstddef>
#include <string>

class RkBinaryReader;
class RkBinaryWriter;

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
  const char* Get() const { return text_.c_str(); }
  bool Equals(const char* text) const { return text != nullptr && text_ == text; }

  // The whole 500 bytes as stored in a file: the text, then zeros.
  bool Write(RkBinaryWriter& writer) const;
  // A read that the file cuts short overwrites only the start of the field, as
  // the system's reads do; a field without a zero is cut at 499 characters, so
  // a damaged file can never make a text run past its field. Bytes after the
  // zero carry no meaning and are dropped.
  bool Read(RkBinaryReader& reader);

 private:
  std::string text_;
};
