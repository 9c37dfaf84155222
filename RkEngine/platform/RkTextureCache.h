// Textures shared between sprites, keyed by renderer, file, size and colour key.
// A cell of a tile sheet ("sheet.png#2,1", see RkSheetCell) is drawn from the
// sheet's one texture, decoded at its own size and keyed on the sheet's file,
// not on the cell: memory grows with the sheets, not with the cells in use.
// The game erases and re-adds every NPC sprite on each step: those re-adds find
// their texture here and decode nothing. A texture that no sprite uses any more
// is kept for a while (up to kIdleLimit of them) so that such a re-add finds it,
// then freed; the memory in use therefore stays flat.
//
// The editor also asks, about once a second, for the images whose files changed
// on disk: each is decoded again into the same texture object, so every sprite,
// preview and thumbnail that holds it shows the new pixels; a file that no
// longer reads shows the placeholder checker. The game never asks.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "RkRect.h"
#include "RkTexture.h"

class RkSheetCell;

class RkTextureCache {
 public:
  static constexpr size_t kIdleLimit = 256;

  // The cache of the process (sprites reach it with nothing but their renderer).
  static RkTextureCache& Instance();

  // A texture and the part of it that shows one image: all of it for an image
  // file, one cell for a cell of a sheet.
  struct Image {
    std::shared_ptr<RkTexture> texture;
    RkRect source{};
  };
  // The image that an image field names, to be drawn at width by height: a
  // whole image is decoded at that size (Acquire), a cell comes from its
  // sheet's texture. A file whose exact name holds the '#' is a whole image.
  // A null texture when it cannot be read or the cell lies outside its sheet
  // (SDL's error says why; the caller reports it).
  Image AcquireImage(SDL_Renderer* renderer, const char* file, int width, int height, bool colorKey);
  // A tile sheet's texture at the file's own size, the one its cells draw from.
  std::shared_ptr<RkTexture> AcquireSheet(SDL_Renderer* renderer, const char* file, bool colorKey);

  // The shared texture for these settings, decoding the file only when none is
  // cached; null when the image cannot be read (the caller reports it).
  std::shared_ptr<RkTexture> Acquire(SDL_Renderer* renderer, const char* file, int width, int height,
                                     bool colorKey);
  // Caches a magenta and black checker under these settings (the image itself
  // is missing), so Acquire finds it and decodes nothing.
  void AdoptPlaceholder(SDL_Renderer* renderer, const char* file, int width, int height, bool colorKey);
  // The renderer is going away and takes its textures with it: sprites that
  // still hold one keep a detached texture that draws nothing.
  void ForgetRenderer(SDL_Renderer* renderer);
  // Frees every cached texture that no sprite uses.
  void Trim();
  // Decodes again every image whose file changed (time, size, or it appeared
  // or went) since it was read; returns how many textures changed. Textures that
  // nobody uses are dropped instead, so that the next Acquire reads the file.
  size_t ReloadChanged();

  size_t CachedCount() const { return entries.size(); }
  size_t DecodeCount() const { return decodes; }
  // The pixels of the cached textures at four bytes each (benchmarks watch it).
  size_t TextureBytes() const;

 private:
  // What a file looked like when it was read; a missing file has exists false.
  struct FileStamp {
    bool exists = false;
    timespec modified{};
    off_t size = 0;
    bool operator==(const FileStamp& other) const;
  };
  struct Entry {
    std::shared_ptr<RkTexture> texture;
    FileStamp stamp;
  };

  // Where a cell field was found: its sheet's entry and the cell's rectangle.
  struct CellPlace {
    std::string sheetKey;
    RkRect source{};
  };

  Image AcquireCell(SDL_Renderer* renderer, const std::string& key, const RkSheetCell& cell, bool colorKey);
  // Whether a cell field names a file of its own (which then wins over the cell).
  bool NamesAFileOfItsOwn(const RkSheetCell& cell, const char* file);
  std::shared_ptr<RkTexture> Insert(std::string key, RkTexture::Source source, SDL_Renderer* renderer);

  std::unordered_map<std::string, Entry> entries;
  std::unordered_map<std::string, CellPlace> cells;
  // Sheets whose folder held no name with a '#' when first asked: their cells
  // are looked up as cells without a search for a file named after each one.
  std::unordered_set<std::string> sheetsWithoutOwnNames;
  size_t decodes = 0;
  size_t sweepThreshold = kIdleLimit;

  static std::string MakeKey(SDL_Renderer* renderer, const char* file, int width, int height, bool colorKey);
  static FileStamp StampOf(const std::string& file);
  static SDL_Texture* Decode(SDL_Renderer* renderer, const RkTexture::Source& source);
  static SDL_Texture* MakeChecker(SDL_Renderer* renderer, int width, int height);
  void SweepWhenLarge();
  size_t IdleCount() const;
};
