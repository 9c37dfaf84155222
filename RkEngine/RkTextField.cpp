// Text fields: copying with a length check, and their 500-byte file form.
#include "RkTextField.h"

#include <cstring>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"

RkTextField::RkTextField() { std::memset(bytes_, 0, kSize); }

bool RkTextField::Assign(const char* text) {
  if (text == nullptr) return false;
  const std::size_t length = strnlen(text, kSize);
  if (length >= kSize) return false;
  // The text may be a view of this very field, so move rather than copy.
  std::memmove(bytes_, text, length);
  std::memset(bytes_ + length, 0, kSize - length);
  return true;
}

bool RkTextField::Equals(const char* text) const {
  return text != nullptr && std::strcmp(bytes_, text) == 0;
}

bool RkTextField::Write(RkBinaryWriter& writer) const { return writer.Write(bytes_, kSize); }

bool RkTextField::Read(RkBinaryReader& reader) {
  if (!reader.Read(bytes_, kSize)) return false;
  if (std::memchr(bytes_, '\0', kSize) == nullptr) bytes_[kSize - 1] = '\0';
  return true;
}
