// Image decoding for sprites: the file is read into memory and measured, SDL2_image
// decodes it as the format that was measured, the colour key is applied
// on the image as read (so a scaled edge never turns a keyed pixel grey), and a
// bilinear stretch brings it to the requested size.
#include "RkImageLoader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "RkImageHeader.h"
#include "RkPathResolver.h"

namespace {

// A side beyond this is refused before any pixel is decoded: a header of a few
// bytes could otherwise ask for gigabytes.
constexpr int64_t kMaxImageSide = 8192;
// The file is measured in memory; no image within the bound needs a larger
// file than its pixels at four bytes each, whatever the format.
constexpr Sint64 kMaxFileSize = Sint64{kMaxImageSide} * kMaxImageSide * 4;

bool IsTooLarge(int64_t width, int64_t height) {
  if (width <= kMaxImageSide && height <= kMaxImageSide) return false;
  SDL_SetError("The image is %lld by %lld pixels; more than %lld on a side is not loaded.",
               static_cast<long long>(width), static_cast<long long>(height), static_cast<long long>(kMaxImageSide));
  return true;
}

bool IsNamedTga(const std::string& path) {
  const std::string::size_type dot = path.rfind('.');
  return dot != std::string::npos && SDL_strcasecmp(path.c_str() + dot + 1, "tga") == 0;
}

// The whole file, or false with the reason set.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
  SDL_RWops* source = SDL_RWFromFile(path.c_str(), "rb");
  if (source == nullptr) {
    // The system's reason (a missing file, a folder, no permission) says more
    // than SDL's "Couldn't open", and the report names the file already.
    const int cause = errno;
    SDL_SetError("%s", std::strerror(cause));
    return false;
  }
  // Read in blocks up to the bound rather than trusting a size: a folder or a
  // pipe has none that means anything.
  constexpr std::size_t kBlock = 1 << 16;
  std::size_t count = 0;
  do {
    if (bytes.size() - count < kBlock) bytes.resize(count + kBlock);
    count += SDL_RWread(source, bytes.data() + count, 1, kBlock);
  } while (count == bytes.size() && static_cast<Sint64>(count) <= kMaxFileSize);
  SDL_RWclose(source);
  if (static_cast<Sint64>(count) > kMaxFileSize) {
    SDL_SetError("The image file is larger than %lld bytes; it is not loaded.", static_cast<long long>(kMaxFileSize));
    return false;
  }
  bytes.resize(count);
  return true;
}

// The decoder of exactly the format that was measured, never the library's
// own guess: a format we do not measure never reaches a decoder.
SDL_Surface* DecodeAs(RkImageHeader::Format format, SDL_RWops* source) {
  using Format = RkImageHeader::Format;
  switch (format) {
    case Format::Png: return IMG_LoadPNG_RW(source);
    case Format::Jpeg: return IMG_LoadJPG_RW(source);
    case Format::Gif: return IMG_LoadGIF_RW(source);
    case Format::Bmp: return IMG_LoadBMP_RW(source);
    case Format::Ico: return IMG_LoadICO_RW(source);
    case Format::Cur: return IMG_LoadCUR_RW(source);
    case Format::Tga: return IMG_LoadTGA_RW(source);
    case Format::Pnm: return IMG_LoadPNM_RW(source);
    case Format::Pcx: return IMG_LoadPCX_RW(source);
    case Format::Qoi: return IMG_LoadQOI_RW(source);
    case Format::Webp: return IMG_LoadWEBP_RW(source);
    case Format::Unsupported: break;
  }
  // The decoding library's words for a file that none of its decoders takes.
  SDL_SetError("Unsupported image format");
  return nullptr;
}

// Decodes the file after its header passed the bound; what the decoder made
// is checked once more.
SDL_Surface* DecodeBounded(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes)) return nullptr;
  const RkImageHeader header = RkImageHeader::Read(bytes.data(), bytes.size(), IsNamedTga(path));
  if (header.IsSupported() && IsTooLarge(header.GetWidth(), header.GetHeight())) return nullptr;
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return nullptr;
  SDL_Surface* decoded = DecodeAs(header.GetFormat(), source);
  SDL_RWclose(source);
  if (decoded != nullptr && IsTooLarge(decoded->w, decoded->h)) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  return decoded;
}

SDL_Surface* ConvertToArgb(SDL_Surface* decoded) {
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(decoded);
  return converted;
}

SDL_Surface* StretchTo(SDL_Surface* source, int width, int height) {
  if (source->w == width && source->h == height) return source;
  SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (scaled != nullptr && SDL_SoftStretchLinear(source, nullptr, scaled, nullptr) != 0) {
    SDL_FreeSurface(scaled);
    scaled = nullptr;
  }
  SDL_FreeSurface(source);
  return scaled;
}

}  // namespace

SDL_Surface* RkImageLoader::Load(const char* file, int width, int height, bool colorKey) {
  if (file == nullptr || *file == '\0') {
    SDL_SetError("No image file was named.");
    return nullptr;
  }
  if (width <= 0 || height <= 0) {
    SDL_SetError("The image was asked for at %d by %d pixels.", width, height);
    return nullptr;
  }
  SDL_Surface* image = LoadAsIs(file, colorKey);
  if (image == nullptr) return nullptr;
  return StretchTo(image, width, height);
}

SDL_Surface* RkImageLoader::LoadAsIs(const char* file, bool colorKey) {
  if (file == nullptr || *file == '\0') {
    SDL_SetError("No image file was named.");
    return nullptr;
  }
  // Maps made on Windows name their images as Windows finds them (any case, '\').
  SDL_Surface* decoded = DecodeBounded(RkPathResolver::Instance().Resolve(file));
  if (decoded == nullptr) return nullptr;
  SDL_Surface* image = ConvertToArgb(decoded);
  if (image == nullptr) return nullptr;
  if (colorKey) ApplyColorKey(image);
  return image;
}

void RkImageLoader::ApplyColorKey(SDL_Surface* surface) {
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
      if (row[x] == 0xFFFFFFFFu) row[x] = 0x00000000u;
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}
