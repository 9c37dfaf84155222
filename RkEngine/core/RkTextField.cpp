// Text fields: copying with a length check, and their 500-byte file form.
#include "RkTextField.h"

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkTextPool.h"

namespace {

const char kZeros[RkTextField::kSize] = {};

std::shared_ptr<const std::string> MakeText(const char* text, std::size_t length) {
  if (length == 0) return nullptr;
  return std::make_shared<const std::string>(text, length);
}

}  // namespace

bool RkTextField::Assign(const char* text) {
  if (text == nullptr) return false;
  const std::size_t length = strnlen(text, kSize);
  if (length >= kSize) return false;
  text_ = MakeText(text, length);
  return true;
}

bool RkTextField::Write(RkBinaryWriter& writer) const {
  const std::size_t length = GetLength();
  return writer.Write(Get(), length) && writer.Write(kZeros, kSize - length);
}

bool RkTextField::Read(RkBinaryReader& reader) {
  char field[kSize];
  // What a short read does not reach keeps the field's present bytes.
  const std::size_t length = GetLength();
  std::memcpy(field, Get(), length);
  std::memset(field + length, 0, kSize - length);
  if (!reader.Read(field, kSize)) return false;
  text_ = MakeText(field, strnlen(field, kMaxLength));
  return true;
}

void RkTextField::ReadWhole(const unsigned char* field, RkTextPool& pool) {
  const char* text = reinterpret_cast<const char*>(field);
  text_ = pool.Share(std::string_view(text, strnlen(text, kMaxLength)));
}
