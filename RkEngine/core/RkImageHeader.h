// What an image file is and how large its pixels would be, read from its bytes
// before any decoder sees them. The image loader decodes only the formats named
// here, each with its own decoder, and only after the sizes the file declares
// passed its bound: a header of a few bytes could otherwise ask for gigabytes.
//
// The format is told by content, as the decoding library tells it (TGA, which
// has no signature, by the ".tga" name). Every other format (TIFF, XCF, XPM, XV,
// LBM, SVG and whatever has no signature we know) is Unsupported: its sizes are
// spread over structures that we do not measure, so it is never decoded.
// A recognised file whose size cannot be found (cut short, no frame) is
// Unsupported as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class RkImageHeader {
 public:
  enum class Format { Unsupported, Png, Jpeg, Gif, Bmp, Ico, Cur, Tga, Pnm, Pcx, Qoi, Webp };

  // Reads the whole file's bytes: some formats declare sizes deep inside it
  // (GIF frames, icon entries, WEBP chunks).
  static RkImageHeader Read(const unsigned char* data, std::size_t size, bool namedTga);
  // Reads the file at path (a name as the system opens it) and measures it;
  // false with the system's cause when it cannot be read. A file larger than
  // any image within the loader's bound is read no further than that.
  static std::optional<RkImageHeader> ReadFile(const std::string& path, std::string& cause);

  // The image loader's bound: a side beyond this is never decoded.
  static constexpr int64_t kMaxSide = 8192;

  Format GetFormat() const { return format_; }
  bool IsSupported() const { return format_ != Format::Unsupported; }
  // The largest width and height that any image in the file declares; a
  // decoder allocates at most for these.
  int64_t GetWidth() const { return width_; }
  int64_t GetHeight() const { return height_; }

 private:
  RkImageHeader() = default;
  void Measure(int64_t width, int64_t height);
  bool MeasurePng(const unsigned char* data, std::size_t size);
  bool MeasureJpeg(const unsigned char* data, std::size_t size);
  bool MeasureGif(const unsigned char* data, std::size_t size);
  bool MeasureBmp(const unsigned char* data, std::size_t size);
  bool MeasureIcon(const unsigned char* data, std::size_t size);
  bool MeasureTga(const unsigned char* data, std::size_t size);
  bool MeasurePnm(const unsigned char* data, std::size_t size);
  bool MeasurePcx(const unsigned char* data, std::size_t size);
  bool MeasureQoi(const unsigned char* data, std::size_t size);
  bool MeasureWebp(const unsigned char* data, std::size_t size);
  bool MeasureWebpChunks(const unsigned char* data, std::size_t size, std::size_t first, bool intoFrames);
  bool MeasureWebpChunk(const unsigned char* id, const unsigned char* chunk, std::size_t size);

  Format format_ = Format::Unsupported;
  int64_t width_ = 0;
  int64_t height_ = 0;
};
