// Decodes an image file (PNG, JPEG, GIF, BMP, ICO, CUR, TGA, PNM, PCX, QOI or
// WEBP, each measured by RkImageHeader before decoding) into a 32-bit ARGB surface of the requested size, applying the character sprites' colour
// key: exact opaque white becomes transparent black.
#pragma once

struct SDL_Surface;

class RkImageLoader {
 public:
  // Null when the file cannot be read or decoded; the caller owns the surface.
  static SDL_Surface* Load(const char* file, int width, int height, bool colorKey);
  // The same at the image's own size: a tile sheet, whose cells are drawn from it.
  static SDL_Surface* LoadAsIs(const char* file, bool colorKey);
  // Replaces every exact opaque white pixel of a 32-bit ARGB surface.
  static void ApplyColorKey(SDL_Surface* surface);
};
