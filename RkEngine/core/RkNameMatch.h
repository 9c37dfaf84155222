// Comparing a name as a map made on Windows holds it with a name on disk,
// without regard to case. Stored names are single bytes of the Windows-1252
// code page; names on disk are UTF-8. Both are read into code points and the
// letters of that code page (ASCII, Latin-1, and Š Œ Ž Ÿ) folded to lower case.
#pragma once

#include <string>

class RkNameMatch {
 public:
  // The key of a stored name: every byte read as Windows-1252.
  static std::u32string KeyOfStored(const std::string& name);
  // The key of a name on disk read as UTF-8; a name that is not valid UTF-8
  // (copied byte for byte from Windows) is read as Windows-1252 instead.
  // Also the second reading of a stored name that our own editor wrote as UTF-8.
  static std::u32string KeyOfDiskName(const std::string& name);
  // Whether the bytes form valid UTF-8 with at least one multi-byte character.
  static bool IsMultiByteUtf8(const std::string& name);

 private:
  static char32_t FromWindows1252(unsigned char byte);
  static char32_t Fold(char32_t letter);
  // False at the first ill-formed sequence.
  static bool DecodeUtf8(const std::string& name, std::u32string& codePoints);
};
