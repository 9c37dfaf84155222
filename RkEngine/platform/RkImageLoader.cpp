// Image decoding for sprites: SDL2_image reads the file, the colour key is applied
// on the image as read (so a scaled edge never turns a keyed pixel grey), and a
// bilinear stretch brings it to the requested size.
#include "RkImageLoader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "RkPathResolver.h"

namespace {

// A side beyond this is refused before any pixel is decoded: a header of a few
// bytes could otherwise ask for gigabytes.
constexpr long kMaxImageSide = 8192;

long BigEndian16(const Uint8* bytes) { return (long{bytes[0]} << 8) | bytes[1]; }
long BigEndian32(const Uint8* bytes) { return (BigEndian16(bytes) << 16) | BigEndian16(bytes + 2); }
long LittleEndian16(const Uint8* bytes) { return (long{bytes[1]} << 8) | bytes[0]; }
long LittleEndianSigned32(const Uint8* bytes) {
  const uint32_t value = (uint32_t{bytes[3]} << 24) | (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[1]} << 8) | bytes[0];
  return static_cast<int32_t>(value);
}

// JPEG keeps its size in the first start-of-frame segment, after any number of others.
bool JpegDeclaredSize(SDL_RWops* source, long& width, long& height) {
  SDL_RWseek(source, 2, RW_SEEK_SET);
  Uint8 marker[4];
  while (SDL_RWread(source, marker, 1, 4) == 4 && marker[0] == 0xFF) {
    const Uint8 kind = marker[1];
    const long length = BigEndian16(marker + 2);
    const bool isFrame = kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
    if (isFrame) {
      Uint8 frame[5];
      if (SDL_RWread(source, frame, 1, 5) != 5) return false;
      height = BigEndian16(frame + 1);
      width = BigEndian16(frame + 3);
      return true;
    }
    if (length < 2 || SDL_RWseek(source, length - 2, RW_SEEK_CUR) < 0) return false;
  }
  return false;
}

// The size the file's header declares, for the formats that state it up front;
// false for others (they are checked once decoded).
bool DeclaredSize(SDL_RWops* source, long& width, long& height) {
  Uint8 header[26] = {};
  const size_t count = SDL_RWread(source, header, 1, sizeof header);
  bool known = false;
  if (count >= 24 && std::memcmp(header, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(header + 12, "IHDR", 4) == 0) {
    width = BigEndian32(header + 16);
    height = BigEndian32(header + 20);
    known = true;
  } else if (count >= 10 && std::memcmp(header, "GIF8", 4) == 0) {
    width = LittleEndian16(header + 6);
    height = LittleEndian16(header + 8);
    known = true;
  } else if (count >= 26 && header[0] == 'B' && header[1] == 'M' && LittleEndianSigned32(header + 14) >= 40) {
    width = std::labs(LittleEndianSigned32(header + 18));
    height = std::labs(LittleEndianSigned32(header + 22));
    known = true;
  } else if (count >= 4 && header[0] == 0xFF && header[1] == 0xD8) {
    known = JpegDeclaredSize(source, width, height);
  }
  SDL_RWseek(source, 0, RW_SEEK_SET);
  return known;
}

bool IsTooLarge(long width, long height) {
  if (width <= kMaxImageSide && height <= kMaxImageSide) return false;
  SDL_SetError("The image is %ld by %ld pixels; more than %ld on a side is not loaded.", width, height,
               kMaxImageSide);
  return true;
}

// Decodes like IMG_Load (the extension still names formats without a signature),
// refusing a declared size beyond the bound before decoding.
SDL_Surface* DecodeBounded(const std::string& path) {
  SDL_RWops* source = SDL_RWFromFile(path.c_str(), "rb");
  if (source == nullptr) {
    // The system's reason (a missing file, a folder, no permission) says more
    // than SDL's "Couldn't open", and the report names the file already.
    const int cause = errno;
    SDL_SetError("%s", std::strerror(cause));
    return nullptr;
  }
  long width = 0;
  long height = 0;
  if (DeclaredSize(source, width, height) && IsTooLarge(width, height)) {
    SDL_RWclose(source);
    return nullptr;
  }
  const char* dot = std::strrchr(path.c_str(), '.');
  SDL_Surface* decoded = IMG_LoadTyped_RW(source, 1, dot != nullptr ? dot + 1 : "");
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
  // Maps made on Windows name their images as Windows finds them (any case, '\').
  SDL_Surface* decoded = DecodeBounded(RkPathResolver::Instance().Resolve(file));
  if (decoded == nullptr) return nullptr;
  SDL_Surface* image = ConvertToArgb(decoded);
  if (image == nullptr) return nullptr;
  if (colorKey) ApplyColorKey(image);
  return StretchTo(image, width, height);
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
