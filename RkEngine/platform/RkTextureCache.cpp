// The process's texture cache: one texture per renderer, file, size and colour
// key, handed to every sprite that asks for the same.
#include "RkTextureCache.h"

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "RkImageLoader.h"
#include "RkPathResolver.h"
#include "RkSheetCell.h"

// Never destroyed: at exit (a fatal report's included) nothing is torn down,
// and no texture is freed behind a renderer's back.
RkTextureCache& RkTextureCache::Instance() {
  static RkTextureCache* cache = new RkTextureCache;
  return *cache;
}

bool RkTextureCache::FileStamp::operator==(const FileStamp& other) const {
  if (exists != other.exists) return false;
  return !exists || (modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
                     size == other.size);
}

// Looked up as the loader opens it, so a map made on Windows is watched too. A
// placeholder for a cell watches the sheet.
RkTextureCache::FileStamp RkTextureCache::StampOf(const std::string& file) {
  FileStamp stamp;
  struct stat status {};
  const std::string watched = RkSheetCell::Locate("", file).GetSheet();
  if (watched.empty() || stat(RkPathResolver::Instance().Resolve(watched.c_str()).c_str(), &status) != 0) return stamp;
  stamp.exists = true;
  stamp.modified = status.st_mtim;
  stamp.size = status.st_size;
  return stamp;
}

std::string RkTextureCache::MakeKey(SDL_Renderer* renderer, const char* file, int width, int height,
                                    bool colorKey) {
  char settings[64];
  std::snprintf(settings, sizeof settings, "%p|%d|%d|%d|", static_cast<void*>(renderer), width, height,
                colorKey ? 1 : 0);
  return std::string(settings) + file;
}

SDL_Texture* RkTextureCache::Decode(SDL_Renderer* renderer, const RkTexture::Source& source) {
  SDL_Surface* image = source.asIs ? RkImageLoader::LoadAsIs(source.file.c_str(), source.colorKey)
                                   : RkImageLoader::Load(source.file.c_str(), source.width, source.height,
                                                         source.colorKey);
  if (image == nullptr) return nullptr;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, image);
  SDL_FreeSurface(image);
  if (texture != nullptr) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  return texture;
}

std::shared_ptr<RkTexture> RkTextureCache::Acquire(SDL_Renderer* renderer, const char* file, int width,
                                                   int height, bool colorKey) {
  std::string key = MakeKey(renderer, file, width, height, colorKey);
  auto found = entries.find(key);
  if (found != entries.end()) return found->second.texture;
  return Insert(std::move(key), RkTexture::Source{file, width, height, colorKey}, renderer);
}

std::shared_ptr<RkTexture> RkTextureCache::Insert(std::string key, RkTexture::Source source,
                                                  SDL_Renderer* renderer) {
  // Stamped before the read: a file written meanwhile counts as changed.
  const FileStamp stamp = StampOf(source.file);
  SDL_Texture* texture = Decode(renderer, source);
  ++decodes;
  if (texture == nullptr) return nullptr;
  if (source.asIs) SDL_QueryTexture(texture, nullptr, nullptr, &source.width, &source.height);

  auto shared = std::make_shared<RkTexture>(renderer, texture, std::move(source));
  entries.emplace(std::move(key), Entry{shared, stamp});
  SweepWhenLarge();
  return shared;
}

std::shared_ptr<RkTexture> RkTextureCache::AcquireSheet(SDL_Renderer* renderer, const char* file, bool colorKey) {
  // Size 0 by 0 keys the sheet apart from any scaled copy of the same file.
  std::string key = MakeKey(renderer, file, 0, 0, colorKey);
  auto found = entries.find(key);
  if (found != entries.end()) return found->second.texture;
  RkTexture::Source source{file, 0, 0, colorKey};
  source.asIs = true;
  return Insert(std::move(key), std::move(source), renderer);
}

RkTextureCache::Image RkTextureCache::AcquireImage(SDL_Renderer* renderer, const char* file, int width, int height,
                                                   bool colorKey) {
  const RkRect whole{0, 0, width, height};
  std::string key = MakeKey(renderer, file, width, height, colorKey);
  auto found = entries.find(key);
  if (found != entries.end()) return Image{found->second.texture, whole};
  auto place = cells.find(key);
  if (place != cells.end()) {
    auto sheet = entries.find(place->second.sheetKey);
    if (sheet != entries.end()) return Image{sheet->second.texture, place->second.source};
  }
  // Only a field with a cell suffix that names no file of its own reaches the
  // sheets; every other field loads exactly as it always has.
  const RkSheetCell cell = RkSheetCell::Parse(file);
  if (!cell.IsCell() || NamesAFileOfItsOwn(cell, file)) {
    return Image{Insert(std::move(key), RkTexture::Source{file, width, height, colorKey}, renderer), whole};
  }
  return AcquireCell(renderer, key, cell, colorKey);
}

// Asked once per distinct cell field, thousands of times for a big map: a
// sheet's folder is looked at once (a '#' file added to it later, while the
// program runs, is found after the next ForgetRenderer or Trim).
bool RkTextureCache::NamesAFileOfItsOwn(const RkSheetCell& cell, const char* file) {
  // The same text names other files from another working folder.
  char folder[PATH_MAX];
  const std::string key = std::string(::getcwd(folder, sizeof folder) != nullptr ? folder : "") + '\0' + cell.GetSheet();
  if (sheetsWithoutOwnNames.count(key) != 0) return false;
  RkPathResolver& resolver = RkPathResolver::Instance();
  std::string sheet;
  if (resolver.Find(cell.GetSheet().c_str(), sheet) && !resolver.FolderOfHoldsNameWith(sheet, '#')) {
    sheetsWithoutOwnNames.insert(key);
    return false;
  }
  return !RkSheetCell::Locate("", file).IsCell();
}

RkTextureCache::Image RkTextureCache::AcquireCell(SDL_Renderer* renderer, const std::string& key,
                                                  const RkSheetCell& cell, bool colorKey) {
  std::shared_ptr<RkTexture> sheet = AcquireSheet(renderer, cell.GetSheet().c_str(), colorKey);
  if (sheet == nullptr) return Image{};
  const RkTexture::Source& size = sheet->GetSource();
  if (!cell.LiesWithin(size.width, size.height)) {
    SDL_SetError("The %s.", cell.DescribeOutside(size.width, size.height).c_str());
    return Image{};
  }
  const RkRect source{static_cast<int>(cell.GetLeft()), static_cast<int>(cell.GetTop()),
                      static_cast<int>(cell.GetLeft() + cell.GetSize()), static_cast<int>(cell.GetTop() + cell.GetSize())};
  cells[key] = CellPlace{MakeKey(renderer, cell.GetSheet().c_str(), 0, 0, colorKey), source};
  return Image{sheet, source};
}

SDL_Texture* RkTextureCache::MakeChecker(SDL_Renderer* renderer, int width, int height) {
  constexpr int kSquare = 8;
  SDL_Surface* checker = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (checker == nullptr) return nullptr;
  const Uint32 magenta = SDL_MapRGB(checker->format, 255, 0, 255);
  const Uint32 black = SDL_MapRGB(checker->format, 0, 0, 0);
  for (int y = 0; y < height; y += kSquare) {
    for (int x = 0; x < width; x += kSquare) {
      const SDL_Rect square{x, y, kSquare, kSquare};
      SDL_FillRect(checker, &square, ((x + y) / kSquare) % 2 == 0 ? magenta : black);
    }
  }
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, checker);
  SDL_FreeSurface(checker);
  return texture;
}

void RkTextureCache::AdoptPlaceholder(SDL_Renderer* renderer, const char* file, int width, int height,
                                      bool colorKey) {
  RkTexture::Source source{file, width, height, colorKey};
  const FileStamp stamp = StampOf(source.file);
  SDL_Texture* texture = MakeChecker(renderer, width, height);
  if (texture == nullptr) return;
  entries[MakeKey(renderer, file, width, height, colorKey)] =
      Entry{std::make_shared<RkTexture>(renderer, texture, std::move(source)), stamp};
}

size_t RkTextureCache::ReloadChanged() {
  size_t renewed = 0;
  for (auto entry = entries.begin(); entry != entries.end();) {
    const FileStamp now = StampOf(entry->second.texture->GetSource().file);
    if (now == entry->second.stamp) {
      ++entry;
      continue;
    }
    if (entry->second.texture.use_count() == 1) {
      entry = entries.erase(entry);
      continue;
    }
    RkTexture& texture = *entry->second.texture;
    SDL_Texture* fresh = Decode(texture.GetOwner(), texture.GetSource());
    ++decodes;
    // A file that is now broken or gone draws as the checker, as a missing one
    // does when a map opens: the sprite keeps its place and nothing fails.
    if (fresh == nullptr) fresh = MakeChecker(texture.GetOwner(), texture.GetSource().width, texture.GetSource().height);
    texture.Replace(fresh);
    entry->second.stamp = now;
    ++renewed;
    ++entry;
  }
  return renewed;
}

size_t RkTextureCache::TextureBytes() const {
  size_t bytes = 0;
  for (const auto& entry : entries) {
    const RkTexture::Source& source = entry.second.texture->GetSource();
    bytes += static_cast<size_t>(source.width) * static_cast<size_t>(source.height) * 4;
  }
  return bytes;
}

size_t RkTextureCache::IdleCount() const {
  return static_cast<size_t>(std::count_if(entries.begin(), entries.end(),
                                           [](const auto& entry) { return entry.second.texture.use_count() == 1; }));
}

// Runs only after a decode, so the steady state (every re-add a hit) never pays for it.
void RkTextureCache::SweepWhenLarge() {
  if (entries.size() <= sweepThreshold) return;
  if (IdleCount() > kIdleLimit) Trim();
  sweepThreshold = std::max(kIdleLimit, entries.size() * 2);
}

void RkTextureCache::Trim() {
  sheetsWithoutOwnNames.clear();
  for (auto entry = entries.begin(); entry != entries.end();) {
    if (entry->second.texture.use_count() == 1) {
      entry = entries.erase(entry);
    } else {
      ++entry;
    }
  }
}

void RkTextureCache::ForgetRenderer(SDL_Renderer* renderer) {
  cells.clear();  // found again on demand
  sheetsWithoutOwnNames.clear();
  for (auto entry = entries.begin(); entry != entries.end();) {
    if (entry->second.texture->GetOwner() == renderer) {
      entry->second.texture->Detach();
      entry = entries.erase(entry);
    } else {
      ++entry;
    }
  }
}
