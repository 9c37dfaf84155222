// Image formats told apart by their first bytes and measured from the fields
// that their decoders size their pixels by. Every read checks the bounds of the
// bytes first: the input is any file a map names.
#include "RkImageHeader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

using Bytes = const unsigned char*;

uint32_t BigEndian16(Bytes p) { return (uint32_t{p[0]} << 8) | p[1]; }
uint32_t BigEndian32(Bytes p) { return (BigEndian16(p) << 16) | BigEndian16(p + 2); }
uint32_t LittleEndian16(Bytes p) { return (uint32_t{p[1]} << 8) | p[0]; }
uint32_t LittleEndian24(Bytes p) { return (uint32_t{p[2]} << 16) | LittleEndian16(p); }
uint32_t LittleEndian32(Bytes p) { return (uint32_t{p[3]} << 24) | LittleEndian24(p); }
int64_t SignedLittleEndian16(Bytes p) { return static_cast<int16_t>(LittleEndian16(p)); }
int64_t SignedLittleEndian32(Bytes p) { return static_cast<int32_t>(LittleEndian32(p)); }
int64_t Magnitude(int64_t value) { return value < 0 ? -value : value; }

bool StartsWith(Bytes data, std::size_t size, const char* text, std::size_t offset = 0) {
  const std::size_t length = std::strlen(text);
  return size >= offset + length && std::memcmp(data + offset, text, length) == 0;
}

bool IsWhiteSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPng(Bytes data, std::size_t size) {
  return size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
}

// Icons and cursors share one layout: two zero bytes, the kind, a count of images.
bool IsIconDirectory(Bytes data, std::size_t size, uint32_t kind) {
  return size >= 6 && data[0] == 0 && data[1] == 0 && LittleEndian16(data + 2) == kind && LittleEndian16(data + 4) != 0;
}

// The order of the decoding library's own detection, so that a file is read as
// the format that library would have taken it for.
RkImageHeader::Format FormatByContent(Bytes data, std::size_t size) {
  using Format = RkImageHeader::Format;
  if (IsIconDirectory(data, size, 2)) return Format::Cur;
  if (IsIconDirectory(data, size, 1)) return Format::Ico;
  if (StartsWith(data, size, "BM")) return Format::Bmp;
  if (StartsWith(data, size, "GIF87a") || StartsWith(data, size, "GIF89a")) return Format::Gif;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return Format::Jpeg;
  if (size >= 3 && data[0] == 10 && data[1] == 5 && data[2] <= 1) return Format::Pcx;
  if (IsPng(data, size)) return Format::Png;
  if (size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6' && IsWhiteSpace(data[2])) return Format::Pnm;
  if (StartsWith(data, size, "RIFF") && StartsWith(data, size, "WEBP", 8) && StartsWith(data, size, "VP8", 12)) {
    return Format::Webp;
  }
  if (StartsWith(data, size, "qoif")) return Format::Qoi;
  return Format::Unsupported;
}

// Skips GIF data sub-blocks (a length byte, then that many bytes, until a zero).
std::size_t SkipSubBlocks(Bytes data, std::size_t size, std::size_t at) {
  while (at < size) {
    const std::size_t length = data[at++];
    if (length == 0) break;
    at += length;
  }
  return at;
}

std::size_t GifColorTableSize(unsigned char flags) { return (flags & 0x80) != 0 ? 3u << ((flags & 7) + 1) : 0; }

// A decimal number of the PNM header after white space and '#' comments; it
// saturates, so that no value wraps around to a small one.
bool ReadPnmNumber(Bytes data, std::size_t size, std::size_t& at, int64_t& number) {
  while (at < size && (IsWhiteSpace(data[at]) || data[at] == '#')) {
    if (data[at] == '#') {
      while (at < size && data[at] != '\n' && data[at] != '\r') ++at;
    } else {
      ++at;
    }
  }
  if (at >= size || data[at] < '0' || data[at] > '9') return false;
  number = 0;
  while (at < size && data[at] >= '0' && data[at] <= '9') {
    number = std::min<int64_t>(number * 10 + (data[at] - '0'), int64_t{1} << 40);
    ++at;
  }
  return true;
}

}  // namespace

RkImageHeader RkImageHeader::Read(const unsigned char* data, std::size_t size, bool namedTga) {
  RkImageHeader header;
  // TGA has no signature: the decoding library takes a file named so as TGA
  // whatever it holds, before looking at the content.
  const Format format = namedTga ? Format::Tga : FormatByContent(data, size);
  bool measured = false;
  switch (format) {
    case Format::Png: measured = header.MeasurePng(data, size); break;
    case Format::Jpeg: measured = header.MeasureJpeg(data, size); break;
    case Format::Gif: measured = header.MeasureGif(data, size); break;
    case Format::Bmp: measured = header.MeasureBmp(data, size); break;
    case Format::Ico:
    case Format::Cur: measured = header.MeasureIcon(data, size); break;
    case Format::Tga: measured = header.MeasureTga(data, size); break;
    case Format::Pnm: measured = header.MeasurePnm(data, size); break;
    case Format::Pcx: measured = header.MeasurePcx(data, size); break;
    case Format::Qoi: measured = header.MeasureQoi(data, size); break;
    case Format::Webp: measured = header.MeasureWebp(data, size); break;
    case Format::Unsupported: break;
  }
  if (measured) header.format_ = format;
  return header;
}

std::optional<RkImageHeader> RkImageHeader::ReadFile(const std::string& path, std::string& cause) {
  // No image within the bound needs more than its pixels at four bytes each.
  constexpr std::size_t kMaxFileSize = std::size_t{kMaxSide} * kMaxSide * 4;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    cause = std::strerror(errno);
    return std::nullopt;
  }
  std::vector<unsigned char> bytes;
  constexpr std::size_t kBlock = 1 << 16;
  while (file && bytes.size() < kMaxFileSize) {
    const std::size_t count = bytes.size();
    bytes.resize(count + kBlock);
    file.read(reinterpret_cast<char*>(bytes.data() + count), kBlock);
    bytes.resize(count + static_cast<std::size_t>(file.gcount()));
  }
  if (file.bad()) {
    cause = std::strerror(errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  const std::size_t dot = path.rfind('.');
  bool namedTga = false;
  if (dot != std::string::npos && path.size() - dot == 4) {
    namedTga = std::tolower(static_cast<unsigned char>(path[dot + 1])) == 't' &&
               std::tolower(static_cast<unsigned char>(path[dot + 2])) == 'g' &&
               std::tolower(static_cast<unsigned char>(path[dot + 3])) == 'a';
  }
  return Read(bytes.data(), bytes.size(), namedTga);
}

void RkImageHeader::Measure(int64_t width, int64_t height) {
  width_ = std::max(width_, width);
  height_ = std::max(height_, height);
}

bool RkImageHeader::MeasurePng(const unsigned char* data, std::size_t size) {
  if (size < 24 || !StartsWith(data, size, "IHDR", 12)) return false;
  Measure(BigEndian32(data + 16), BigEndian32(data + 20));
  return true;
}

// The size is in the first start-of-frame segment, after any number of others;
// like the decoder, bytes between segments are passed over.
bool RkImageHeader::MeasureJpeg(const unsigned char* data, std::size_t size) {
  std::size_t at = 2;
  for (;;) {
    while (at < size && data[at] != 0xFF) ++at;
    while (at < size && data[at] == 0xFF) ++at;
    if (at >= size) return false;
    const unsigned char marker = data[at++];
    const bool standsAlone = marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
    if (standsAlone) continue;
    if (marker == 0xD9 || marker == 0xDA || at + 2 > size) return false;  // no frame before the pixels
    const std::size_t length = BigEndian16(data + at);
    const bool isFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (isFrame) {
      if (at + 7 > size) return false;
      Measure(BigEndian16(data + at + 5), BigEndian16(data + at + 3));
      return true;
    }
    if (length < 2) return false;
    at += length;
  }
}

// The logical screen and every image descriptor: a frame may declare more than
// the screen. Like the decoder, bytes that start no block are passed over.
bool RkImageHeader::MeasureGif(const unsigned char* data, std::size_t size) {
  if (size < 13) return false;
  Measure(LittleEndian16(data + 6), LittleEndian16(data + 8));
  std::size_t at = 13 + GifColorTableSize(data[10]);
  while (at < size) {
    const unsigned char block = data[at++];
    if (block == ';') break;
    if (block == '!') {
      at = SkipSubBlocks(data, size, at + 1);
    } else if (block == ',') {
      if (at + 9 > size) break;
      Measure(LittleEndian16(data + at + 4), LittleEndian16(data + at + 6));
      at += 9 + GifColorTableSize(data[at + 8]) + 1;  // descriptor, colours, code size
      at = SkipSubBlocks(data, size, at);
    }
  }
  return true;
}

// Every header version: the 12-byte OS/2 one holds 16-bit sizes, all later
// ones 32-bit signed sizes (a negative height is a top-down image).
bool RkImageHeader::MeasureBmp(const unsigned char* data, std::size_t size) {
  if (size < 18) return false;
  if (LittleEndian32(data + 14) == 12) {
    if (size < 22) return false;
    Measure(LittleEndian16(data + 18), LittleEndian16(data + 20));
    return true;
  }
  if (size < 26) return false;
  Measure(Magnitude(SignedLittleEndian32(data + 18)), Magnitude(SignedLittleEndian32(data + 22)));
  return true;
}

// Each entry of the directory points at a bitmap header (whose height counts
// the image and its mask) or at a PNG.
bool RkImageHeader::MeasureIcon(const unsigned char* data, std::size_t size) {
  const std::size_t count = LittleEndian16(data + 4);
  bool measured = false;
  for (std::size_t entry = 6; entry + 16 <= size && entry < 6 + 16 * count; entry += 16) {
    const std::size_t offset = LittleEndian32(data + entry + 12);
    if (offset >= size) continue;
    const std::size_t left = size - offset;
    if (IsPng(data + offset, left)) {
      measured = MeasurePng(data + offset, left) || measured;
    } else if (left >= 12 && LittleEndian32(data + offset) >= 12) {
      const int64_t height = Magnitude(SignedLittleEndian32(data + offset + 8));
      Measure(Magnitude(SignedLittleEndian32(data + offset + 4)), (height + 1) / 2);
      measured = true;
    }
  }
  return measured;
}

bool RkImageHeader::MeasureTga(const unsigned char* data, std::size_t size) {
  if (size < 18) return false;
  Measure(LittleEndian16(data + 12), LittleEndian16(data + 14));
  return true;
}

bool RkImageHeader::MeasurePnm(const unsigned char* data, std::size_t size) {
  std::size_t at = 2;
  int64_t width = 0;
  int64_t height = 0;
  if (!ReadPnmNumber(data, size, at, width) || !ReadPnmNumber(data, size, at, height)) return false;
  Measure(width, height);
  return true;
}

// The window's corners are signed 16-bit values, both inclusive.
bool RkImageHeader::MeasurePcx(const unsigned char* data, std::size_t size) {
  if (size < 12) return false;
  const int64_t width = SignedLittleEndian16(data + 8) - SignedLittleEndian16(data + 4) + 1;
  const int64_t height = SignedLittleEndian16(data + 10) - SignedLittleEndian16(data + 6) + 1;
  Measure(std::max<int64_t>(width, 0), std::max<int64_t>(height, 0));
  return true;
}

bool RkImageHeader::MeasureQoi(const unsigned char* data, std::size_t size) {
  if (size < 12) return false;
  Measure(BigEndian32(data + 4), BigEndian32(data + 8));
  return true;
}

// A RIFF list of chunks: the canvas (VP8X), each bitstream (VP8, VP8L) and each
// animation frame (ANMF, whose own chunks follow its 16-byte header; frames
// hold no frames, so one level is walked).
bool RkImageHeader::MeasureWebp(const unsigned char* data, std::size_t size) {
  return MeasureWebpChunks(data, size, 12, true);
}

bool RkImageHeader::MeasureWebpChunks(const unsigned char* data, std::size_t size, std::size_t first,
                                      bool intoFrames) {
  bool measured = false;
  uint64_t at = first;
  while (at + 8 <= size) {
    const uint64_t length = LittleEndian32(data + at + 4);
    const uint64_t body = at + 8;
    const std::size_t inFile = static_cast<std::size_t>(std::min<uint64_t>(length, size - body));
    measured = MeasureWebpChunk(data + at, data + body, inFile) || measured;
    if (intoFrames && std::memcmp(data + at, "ANMF", 4) == 0 && inFile > 16) {
      measured = MeasureWebpChunks(data + body + 16, inFile - 16, 0, false) || measured;
    }
    at = body + length + (length & 1);
  }
  return measured;
}

bool RkImageHeader::MeasureWebpChunk(const unsigned char* id, const unsigned char* chunk, std::size_t size) {
  if (std::memcmp(id, "VP8 ", 4) == 0 && size >= 10 && chunk[3] == 0x9D && chunk[4] == 0x01 && chunk[5] == 0x2A) {
    Measure(LittleEndian16(chunk + 6) & 0x3FFF, LittleEndian16(chunk + 8) & 0x3FFF);
    return true;
  }
  if (std::memcmp(id, "VP8L", 4) == 0 && size >= 5 && chunk[0] == 0x2F) {
    const uint32_t bits = LittleEndian32(chunk + 1);
    Measure((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
    return true;
  }
  if (std::memcmp(id, "VP8X", 4) == 0 && size >= 10) {
    Measure(int64_t{LittleEndian24(chunk + 4)} + 1, int64_t{LittleEndian24(chunk + 7)} + 1);
    return true;
  }
  if (std::memcmp(id, "ANMF", 4) == 0 && size >= 12) {
    Measure(int64_t{LittleEndian24(chunk + 6)} + 1, int64_t{LittleEndian24(chunk + 9)} + 1);
    return true;
  }
  return false;
}
