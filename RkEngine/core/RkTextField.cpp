// Text fields: copying with a length check, and their 500-byte file form.
#include "RkTextField.h"

#include <cstring>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"

namespace {

const char kZeros[RkTextField::kSize] = {};

}  // namespace

bool RkTextField::Assign(const char* text) {
  if (text == nullptr) return false;
  const std::size_t length = strnlen(text, kSize);
  if (length >= kSize) return false;
  text_.assign(text, length);
  return true;
}

bool RkTextField::Write(RkBinaryWriter& writer) const {
  return writer.Write(text_.data(), text_.size()) && writer.Write(kZeros, kSize - text_.size());
}

bool RkTextField::Read(RkBinaryReader& reader) {
  char field[kSize];
  // What a short read does not reach keeps the field's present bytes.
  std::memcpy(field, text_.data(), text_.size());
  std::memset(field + text_.size(), 0, kSize - text_.size());
  if (!reader.Read(field, kSize)) return false;
  text_.assign(field, strnlen(field, kMaxLength));
  return true;
}
