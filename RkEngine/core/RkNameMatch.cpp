// Case-insensitive name keys over the Windows-1252 letters.
#include "RkNameMatch.h"

namespace {

// 0x80 to 0x9F of Windows-1252; the five unassigned bytes stay the C1 controls
// of the same value, as Windows itself converts them.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t RkNameMatch::FromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

char32_t RkNameMatch::Fold(char32_t letter) {
  if (letter >= U'A' && letter <= U'Z') return letter + 0x20;
  if (letter >= 0xC0 && letter <= 0xDE && letter != 0xD7) return letter + 0x20;
  switch (letter) {
    case 0x0160: return 0x0161;  // Š
    case 0x0152: return 0x0153;  // Œ
    case 0x017D: return 0x017E;  // Ž
    case 0x0178: return 0x00FF;  // Ÿ
    default: return letter;
  }
}

std::u32string RkNameMatch::KeyOfStored(const std::string& name) {
  std::u32string key;
  key.reserve(name.size());
  for (char byte : name) key.push_back(Fold(FromWindows1252(static_cast<unsigned char>(byte))));
  return key;
}

std::u32string RkNameMatch::KeyOfDiskName(const std::string& name) {
  std::u32string key;
  if (!DecodeUtf8(name, key)) return KeyOfStored(name);
  for (char32_t& letter : key) letter = Fold(letter);
  return key;
}

bool RkNameMatch::IsMultiByteUtf8(const std::string& name) {
  std::u32string codePoints;
  return DecodeUtf8(name, codePoints) && codePoints.size() < name.size();
}

bool RkNameMatch::DecodeUtf8(const std::string& name, std::u32string& codePoints) {
  codePoints.clear();
  codePoints.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const unsigned char lead = static_cast<unsigned char>(name[i]);
    int length = 1;
    char32_t value = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      value = lead & 0x07;
    } else if (lead >= 0xE0) {
      length = 3;
      value = lead & 0x0F;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2;
      value = lead & 0x1F;
    } else if (lead >= 0x80) {
      return false;
    }
    if (length > 1 && lead > 0xF4) return false;
    if (i + length > name.size()) return false;
    for (int k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(name[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
        (value >= 0xD800 && value <= 0xDFFF)) {
      return false;
    }
    codePoints.push_back(value);
    i += length;
  }
  return true;
}
