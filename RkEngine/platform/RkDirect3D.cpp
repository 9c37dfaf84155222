// The renderer: device and font creation, the sprite and text lists, the view
// translation with the walk animation, and the frame itself.
#include "RkDirect3D.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

#include "RkFontFinder.h"
#include "RkSdlError.h"
#include "RkTextureCache.h"
#include "RkWindow.h"

namespace {

constexpr const char* kSource = "RkDirect3D";

// The back-buffer format notices. On this platform there is no adapter to
// negotiate with: the notice names the format the target already has, and goes
// to standard error rather than a blocking box.
const char* FormatNotice(Uint32 format) {
  switch (format) {
    case SDL_PIXELFORMAT_ARGB8888:
    case SDL_PIXELFORMAT_RGB888:
    case SDL_PIXELFORMAT_ABGR8888:
    case SDL_PIXELFORMAT_BGR888:
      return "Acceptable Hardware Format:  D3DFMT_X8R8G8B8  (32 bit RGB pixel format where 8 bits are reserved "
             "for each color)";
    case SDL_PIXELFORMAT_RGB555:
    case SDL_PIXELFORMAT_ARGB1555:
      return "Acceptable Hardware Format:  D3DFMT_X1R5G5B5  (16 bit RGB pixel format where 5 bits are reserved "
             "for each color)";
    case SDL_PIXELFORMAT_RGB565:
      return "Acceptable Hardware Format:  D3DFMT_R5G6B5  (16 bit RGB pixel format where 5 bits are reserved "
             "for red and blue and 6 bits for green)";
    default:
      return "";
  }
}

bool HasVisibleCharacter(const char* text) {
  for (const char* character = text; *character != '\0'; ++character) {
    if (static_cast<unsigned char>(*character) > ' ') return true;
  }
  return false;
}

// A failed SDL or SDL_ttf call: the library's own text is the cause.
[[noreturn]] void ReportSdlFailure(const char* message, RkResult result, int line) {
  ReportDirectXError(message, result, RkSdlError::Text().c_str(), kSource, line);
}

// A report whose cause is known here, not whatever errno an earlier call left.
[[noreturn]] void ReportWithErrno(const char* message, int cause, int line) {
  const std::string text = std::string(std::strerror(cause)) + "\n";
  ReportWin32Error(message, text.c_str(), kSource, line);
}

void WriteNotice(const char* text) { std::fprintf(stderr, "%s\n", text); }

// Negative zero is the same position as zero; NaN is no position at all.
uint32_t FloatBits(float value) {
  if (value == 0.0f) value = 0.0f;
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace

RkDirect3D::RkDirect3D(RkProgram program) : program(program) {}

RkDirect3D::~RkDirect3D() {
  ReleaseTextImages();
  if (font != nullptr) {
    TTF_CloseFont(font);
    font = nullptr;
    TTF_Quit();
  }
  if (device != nullptr) {
    // The renderer frees its textures; sprites still in the lists (or held by
    // an editor panel) keep detached textures until they go.
    tileLayer.Release();
    RkTextureCache::Instance().ForgetRenderer(device);
    SDL_DestroyRenderer(device);
    device = nullptr;
  }
  if (surface != nullptr) {
    SDL_FreeSurface(surface);
    surface = nullptr;
  }
}

int RkDirect3D::Line(int editorLine, int gameLine) const {
  return program == RkProgram::Editor ? editorLine : gameLine;
}

void RkDirect3D::Initialize(const RkWindow& target) { Initialize(target.GetHandle()); }

void RkDirect3D::Initialize(SDL_Window* target) {
  if (target == nullptr) ReportWithErrno("Failed to create Direct3D.", EINVAL, 64);
  const Uint32 format = SDL_GetWindowPixelFormat(target);
  WriteNotice(FormatNotice(format));
  if (!HasAcceleratedDriver()) WriteNotice("Hardware vertex processing is not supported by the graphics card.");
  CheckDisplayModes(target);
  CreateDevice(target);
  CreateFont();
}

bool RkDirect3D::HasAcceleratedDriver() {
  SDL_RendererInfo info;
  for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index) {
    if (SDL_GetRenderDriverInfo(index, &info) == 0 && (info.flags & SDL_RENDERER_ACCELERATED) != 0) return true;
  }
  return false;
}

// Every mode of the window's display is read once, as the adapter's modes were;
// a mode that cannot be read is worth a notice, nothing more.
void RkDirect3D::CheckDisplayModes(SDL_Window* target) {
  const int display = SDL_GetWindowDisplayIndex(target);
  if (display < 0) return;
  SDL_DisplayMode mode;
  for (int index = 0; index < SDL_GetNumDisplayModes(display); ++index) {
    if (SDL_GetDisplayMode(display, index, &mode) != 0) {
      WriteNotice("The display adapter does not support the Acceptable Hardware Format.");
    }
  }
}

void RkDirect3D::InitializeOffscreen(int width, int height) {
  surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) {
    ReportWin32Error("Failed to create Direct3D.", RkSdlError::Text().c_str(), kSource, 64);
  }
  WriteNotice(FormatNotice(surface->format->format));
  device = SDL_CreateSoftwareRenderer(surface);
  if (device == nullptr) {
    ReportSdlFailure("Failed to create the display adapter device.", RK_D3DERR_NOTAVAILABLE, Line(145, 144));
  }
  CreateFont();
}

// Tried in order, as the hardware device, the reference device and finally any
// device that SDL can make: the first that succeeds is kept.
void RkDirect3D::CreateDevice(SDL_Window* target) {
  device = SDL_CreateRenderer(target, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (device == nullptr) {
    WriteNotice("The display adapter will not accept the Acceptable Hardware Format");
    device = SDL_CreateRenderer(target, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC);
  }
  if (device == nullptr) {
    WriteNotice("The software won't enough run this shit.  Whooaaa buddy.");
    device = SDL_CreateRenderer(target, -1, 0);
  }
  if (device == nullptr) {
    ReportSdlFailure("Failed to create the display adapter device.", RK_D3DERR_NOTAVAILABLE, Line(145, 144));
  }
}

// The 16-pixel "Arial": the largest size of the face whose line height is at
// most 16 pixels, as a font created with height 16 has.
void RkDirect3D::CreateFont() {
  if (TTF_Init() != 0) {
    ReportSdlFailure("Failed to create the font object.", RK_E_FAIL, Line(159, 158));
  }
  const std::string path = RkFontFinder::Find("Arial");
  if (path.empty()) SDL_SetError("No font file matches \"Arial\".");
  font = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), kFontHeight);
  if (font == nullptr) {
    TTF_Quit();
    ReportSdlFailure("Failed to create the font object.", RK_E_FAIL, Line(159, 158));
  }
  for (int size = kFontHeight - 1; size > 1 && TTF_FontHeight(font) > kFontHeight; --size) {
    TTF_SetFontSize(font, size);
  }
}

RkColor RkDirect3D::ReadPixel(int x, int y) const {
  if (device == nullptr) return 0;
  SDL_RenderFlush(device);
  if (surface != nullptr) {
    if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) return 0;
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
  }
  Uint32 pixel = 0;
  const SDL_Rect one{x, y, 1, 1};
  if (SDL_RenderReadPixels(device, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0) return 0;
  return pixel;
}

RkSprite* RkDirect3D::AddSprite(const char* file, float x, float y, int isPlayer, int isNpc) {
  return AddSprite(file, x, y, RkSprite::kGameSize, RkSprite::kGameSize, isPlayer, isNpc);
}

RkSprite* RkDirect3D::AddSprite(const char* file, float x, float y, int width, int height, int isPlayer,
                                int isNpc) {
  if (file == nullptr || *file == '\0') return nullptr;
  const RkSprite loaded(device, file, width, height, RkVector3{0.0f, 0.0f, 0.0f}, RkVector3{x, y, 0.0f},
                        RK_COLOR_WHITE, isPlayer, isNpc);
  return StoreSprite(loaded);
}

RkSprite* RkDirect3D::StoreSprite(const RkSprite& sprite) {
  sprites.push_back(sprite);
  const auto stored = std::prev(sprites.end());
  uint64_t key = 0;
  const bool placed = PositionKey(sprite.GetPosition().x, sprite.GetPosition().y, key);
  if (stored->GetIsNpc() == 1) {
    lastNpcSlot = TakeNpcSlot(stored, key, placed);
    npcGrid.Insert(&*stored, lastNpcSlot);
    if (placed) spritesByPosition.emplace(key, PlacedSprite{stored, lastNpcSlot});
    return &*stored;
  }
  if (placed) spritesByPosition.emplace(key, PlacedSprite{stored, NpcSprite::kNone});
  const RkSpriteGrid::Entry placement{&*stored, nextOrder++};
  if (stored->GetIsPlayer() == 1) {
    playerSprites.push_back(placement);
  } else {
    tileGrid.Insert(placement.sprite, placement.order);
    ++tileChanges;
  }
  return &*stored;
}

// The slot of a new NPC sprite, which takes the next place in the list order.
// The NPC sprites already at its exact place, if any, and it share that place.
uint32_t RkDirect3D::TakeNpcSlot(SpriteIterator sprite, uint64_t key, bool placed) {
  uint32_t slot = 0;
  if (freeNpcSlots.empty()) {
    slot = static_cast<uint32_t>(npcSlots.size());
    npcSlots.emplace_back();
  } else {
    slot = freeNpcSlots.back();
    freeNpcSlots.pop_back();
  }
  NpcSlot& taken = npcSlots[slot];
  taken.sprite = sprite;
  taken.order = nextOrder++;
  taken.inUse = true;
  taken.sharesPlace = false;
  if (!placed) return slot;
  auto [entry, end] = spritesByPosition.equal_range(key);
  for (; entry != end; ++entry) {
    if (entry->second.npcSlot == NpcSprite::kNone) continue;
    npcSlots[entry->second.npcSlot].sharesPlace = true;
    taken.sharesPlace = true;
  }
  return slot;
}

void RkDirect3D::FreeNpcSlot(uint32_t slot) {
  NpcSlot& freed = npcSlots[slot];
  freed.inUse = false;
  ++freed.generation;
  freeNpcSlots.push_back(slot);
}

// NPC grid entries as the other grids give them: with their place in the list order.
void RkDirect3D::CollectNpcs(float left, float top, float right, float bottom,
                             std::vector<RkSpriteGrid::Entry>& found) const {
  const size_t first = found.size();
  npcGrid.Collect(left, top, right, bottom, found);
  for (size_t index = first; index < found.size(); ++index) found[index].order = npcSlots[found[index].order].order;
}

void RkDirect3D::ForgetPlacement(const RkSprite& sprite) {
  if (sprite.GetIsNpc() == 1) {
    npcGrid.Erase(&sprite);
  } else if (sprite.GetIsPlayer() == 1) {
    playerSprites.erase(std::remove_if(playerSprites.begin(), playerSprites.end(),
                                       [&sprite](const RkSpriteGrid::Entry& entry) { return entry.sprite == &sprite; }),
                        playerSprites.end());
  } else {
    tileGrid.Erase(&sprite);
    ++tileChanges;
  }
}

bool RkDirect3D::PositionKey(float x, float y, uint64_t& key) {
  if (std::isnan(x) || std::isnan(y)) return false;
  key = (static_cast<uint64_t>(FloatBits(x)) << 32) | FloatBits(y);
  return true;
}

void RkDirect3D::RemoveNpcSprites(float x, float y) { RemoveSpritesAt(x, y, 1); }

void RkDirect3D::RemoveTileSprites(float x, float y) {
  RemoveSpritesAt(x, y, 0);
  for (PlacedTileGrid& placed : tileGrids) {
    if (placed.grid->RemoveAt(x, y)) ++tileChanges;
  }
}

void RkDirect3D::AddTileGrid(int32_t width, int32_t height, const RkTileGrid::ImageAt& imageAt) {
  AddTileGrid(0, 0, width, height, imageAt);
}

void RkDirect3D::AddTileGrid(int32_t originX, int32_t originY, int32_t width, int32_t height,
                             const RkTileGrid::ImageAt& imageAt) {
  tileGrids.push_back(PlacedTileGrid{
      std::make_unique<RkTileGrid>(device, originX, originY, width, height, imageAt), nextOrder++});
  ++tileChanges;
}

RkSprite* RkDirect3D::MoveNpcSprite(float fromX, float fromY, const char* file, float x, float y) {
  NpcSprite unknown;
  return MoveNpcSprite(fromX, fromY, file, x, y, unknown);
}

RkSprite* RkDirect3D::MoveNpcSprite(float fromX, float fromY, const char* file, float x, float y,
                                    NpcSprite& handle) {
  if (fromX == x && fromY == y) {
    if (RkSprite* kept = KeepHandledNpcSprite(x, y, file, handle)) return kept;
    if (RkSprite* kept = KeepLoneNpcSprite(x, y, file, handle)) return kept;
  }
  RemoveNpcSprites(fromX, fromY);
  RkSprite* added = AddSprite(file, x, y, 0, 1);
  handle = added == nullptr ? NpcSprite{} : NpcSprite{lastNpcSlot, npcSlots[lastNpcSlot].generation};
  return added;
}

// The handle's sprite, when it is still in the list, alone at exactly (x, y)
// and as AddSprite(file, x, y, 0, 1) would make it: what KeepLoneNpcSprite
// would find, found without a lookup. Anything else is left to that search.
RkSprite* RkDirect3D::KeepHandledNpcSprite(float x, float y, const char* file, const NpcSprite& handle) {
  if (handle.slot >= npcSlots.size()) return nullptr;
  const NpcSlot& slot = npcSlots[handle.slot];
  if (!slot.inUse || slot.generation != handle.generation || slot.sharesPlace) return nullptr;
  const RkSprite& sprite = *slot.sprite;
  uint64_t key = 0;
  uint64_t spriteKey = 0;
  if (!PositionKey(x, y, key) || !PositionKey(sprite.GetPosition().x, sprite.GetPosition().y, spriteKey) ||
      key != spriteKey || !IsAsAdded(sprite, file)) {
    return nullptr;
  }
  return MoveToEnd(handle.slot);
}

// Erasing the only NPC sprite at (x, y) and adding the same image there again
// leaves an equal sprite at the end of the list: this one, moved there. Any
// other case (several sprites there, another image) is left to the erase and add.
RkSprite* RkDirect3D::KeepLoneNpcSprite(float x, float y, const char* file, NpcSprite& handle) {
  uint64_t key = 0;
  if (!PositionKey(x, y, key)) return nullptr;
  const PlacedSprite* lone = nullptr;
  auto [entry, end] = spritesByPosition.equal_range(key);
  for (; entry != end; ++entry) {
    const RkSprite& sprite = *entry->second.sprite;
    if (sprite.GetIsNpc() != 1 || sprite.GetPosition().x != x || sprite.GetPosition().y != y) continue;
    if (lone != nullptr) return nullptr;
    lone = &entry->second;
  }
  if (lone == nullptr || !IsAsAdded(*lone->sprite, file)) return nullptr;
  handle = NpcSprite{lone->npcSlot, npcSlots[lone->npcSlot].generation};
  return MoveToEnd(lone->npcSlot);
}

bool RkDirect3D::IsAsAdded(const RkSprite& sprite, const char* file) {
  if (file == nullptr || *file == '\0') return false;
  const RkVector3 center = sprite.GetCenter();
  return sprite.GetIsNpc() == 1 && sprite.GetIsPlayer() == 0 && sprite.GetColor() == RK_COLOR_WHITE &&
         center.x == 0.0f && center.y == 0.0f &&
         sprite.ShowsImage(file, RkSprite::kGameSize, RkSprite::kGameSize, true);
}

// The NPC sprite goes to the end of the list, and of the list order.
RkSprite* RkDirect3D::MoveToEnd(uint32_t slot) {
  NpcSlot& moved = npcSlots[slot];
  sprites.splice(sprites.end(), sprites, moved.sprite);
  moved.order = nextOrder++;
  return &*moved.sprite;
}

std::vector<RkSprite> RkDirect3D::CopySpriteList() const {
  std::vector<RkSpriteGrid::Entry> entries(playerSprites);
  const float everywhere = std::numeric_limits<float>::infinity();
  tileGrid.Collect(-everywhere, -everywhere, everywhere, everywhere, entries);
  CollectNpcs(-everywhere, -everywhere, everywhere, everywhere, entries);
  std::sort(entries.begin(), entries.end(),
            [](const RkSpriteGrid::Entry& a, const RkSpriteGrid::Entry& b) { return a.order < b.order; });
  std::vector<RkSprite> list;
  size_t next = 0;
  for (const PlacedTileGrid& placed : tileGrids) {
    for (; next < entries.size() && entries[next].order < placed.order; ++next) list.push_back(*entries[next].sprite);
    const RkTileGrid& grid = *placed.grid;
    for (int32_t x = 0; x < grid.GetWidth(); ++x) {
      for (int32_t y = 0; y < grid.GetHeight(); ++y) {
        if (const RkSprite* image = grid.GetImage(x, y)) {
          list.emplace_back(*image, RkVector3{RkTileGrid::PixelOf(grid.GetOriginX(), x),
                                              RkTileGrid::PixelOf(grid.GetOriginY(), y), 0.0f});
        }
      }
    }
  }
  for (; next < entries.size(); ++next) list.push_back(*entries[next].sprite);
  return list;
}

void RkDirect3D::RemoveSpritesAt(float x, float y, int npcFlag) {
  uint64_t key = 0;
  if (!PositionKey(x, y, key)) return;
  auto [entry, end] = spritesByPosition.equal_range(key);
  while (entry != end) {
    const RkSprite& sprite = *entry->second.sprite;
    const bool matches = (sprite.GetIsNpc() == 1) == (npcFlag == 1) && sprite.GetPosition().x == x &&
                         sprite.GetPosition().y == y;
    if (!matches) {
      ++entry;
      continue;
    }
    ForgetPlacement(sprite);
    if (entry->second.npcSlot != NpcSprite::kNone) FreeNpcSlot(entry->second.npcSlot);
    sprites.erase(entry->second.sprite);
    entry = spritesByPosition.erase(entry);
  }
}

void RkDirect3D::ClearSprites() {
  ++tileChanges;
  spritesByPosition.clear();
  for (uint32_t slot = 0; slot < npcSlots.size(); ++slot) {
    if (npcSlots[slot].inUse) FreeNpcSlot(slot);
  }
  tileGrid.Clear();
  npcGrid.Clear();
  playerSprites.clear();
  tileGrids.clear();
  sprites.clear();
}

const char* RkDirect3D::AddText(const char* text, int left, int top, int right, int bottom, RkColor color) {
  if (text == nullptr || strnlen(text, kTextCapacity) >= static_cast<size_t>(kTextCapacity)) {
    // What the bounded copy of the system leaves in errno for a text too long.
    ReportWithErrno("Failed to set the name of the text.", ERANGE, 639);
  }
  Text item{};
  item.rect = RkRect{left, top, right, bottom};
  std::strcpy(item.text, text);
  item.color = color;
  texts.push_back(item);
  textImages.push_back(nullptr);
  return texts.back().text;
}

void RkDirect3D::ClearTexts() {
  ReleaseTextImages();
  texts.clear();
}

void RkDirect3D::ReleaseTextImages() {
  for (SDL_Texture* image : textImages) {
    if (image != nullptr) SDL_DestroyTexture(image);
  }
  textImages.clear();
}

void RkDirect3D::StartWalk(int direction) {
  walking = 1;
  walkDirection = direction;
}

void RkDirect3D::StepWalk() {
  if (walkClock == WalkClock::Steps && IsWalkingFrame()) AdvanceWalk();
}

int RkDirect3D::MeasureText(const char* text) const {
  int width = 0;
  if (font == nullptr || text == nullptr || *text == '\0') return 0;
  if (TTF_SizeText(font, text, &width, nullptr) != 0) return 0;
  return width;
}

int RkDirect3D::GetFontHeight() const { return font != nullptr ? TTF_FontHeight(font) : kFontHeight; }

void RkDirect3D::AddBox(const RkRect& rect, RkColor fill, RkColor border) {
  boxes.push_back(Box{rect, fill, border});
}

void RkDirect3D::SetOverlay(std::function<void()> drawOverlay) { overlay = std::move(drawOverlay); }

void RkDirect3D::SetCanvasOrigin(int x, int y) {
  canvasX = x;
  canvasY = y;
}

void RkDirect3D::SetViewZoom(float scale, float shiftX, float shiftY) {
  viewScale = scale > 0.0f ? scale : 1.0f;
  viewShiftX = shiftX;
  viewShiftY = shiftY;
}

bool RkDirect3D::IsWalkingFrame() const { return walking == 1 && walkOffset < 32; }

// During a walk the view starts one tile behind the focus's new tile and closes
// in by walkOffset pixels: a walk towards higher columns or rows (direction
// forward) starts a tile further on, one towards lower ones a tile back.
float RkDirect3D::Translation(int viewSize, int focus, int forward, int backward) const {
  const double half = viewSize / 2;
  double place = focus;
  double offset = 0.0;
  if (IsWalkingFrame() && walkDirection == forward) {
    place = focus + 1.0;
    offset = walkOffset;
  } else if (IsWalkingFrame() && walkDirection == backward) {
    place = focus - 1.0;
    offset = -walkOffset;
  }
  return static_cast<float>(half - kTileSize * place + offset);
}

float RkDirect3D::TranslationX(int viewWidth, int focusX) const { return Translation(viewWidth, focusX, 1, 2); }

float RkDirect3D::TranslationY(int viewHeight, int focusY) const { return Translation(viewHeight, focusY, 3, 4); }

void RkDirect3D::RenderFrame(const RkRect* /*presentRect*/, int viewWidth, int viewHeight, int focusX,
                             int focusY) {
  // ImGui's renderer backend (the editor's overlay) may leave a clip behind.
  SDL_RenderSetViewport(device, nullptr);
  SDL_RenderSetClipRect(device, nullptr);
  ClearBackBuffer(Line(182, 181));
  const bool walkingFrame = IsWalkingFrame();
  SDL_GetRendererOutputSize(device, &targetWidth, &targetHeight);
  const bool zoomed = viewScale != 1.0f;
  // Zoomed out, each sprite scales itself from a smaller image; zoomed in, the
  // renderer scales the full images.
  const bool scaledByRenderer = viewScale > 1.0f;
  spriteScale = viewScale < 1.0f ? viewScale : 1.0f;
  float tx = TranslationX(viewWidth, focusX) + canvasX;
  float ty = TranslationY(viewHeight, focusY) + canvasY;
  if (zoomed || viewShiftX != 0.0f || viewShiftY != 0.0f) {
    // The world is placed in unscaled pixels: the canvas origin and the target's
    // size (what culling tests against) shrink with the scale.
    if (scaledByRenderer) SDL_RenderSetScale(device, viewScale, viewScale);
    tx = TranslationX(viewWidth, focusX) - viewShiftX + canvasX / viewScale;
    ty = TranslationY(viewHeight, focusY) - viewShiftY + canvasY / viewScale;
    targetWidth = static_cast<int>(std::ceil(targetWidth / viewScale));
    targetHeight = static_cast<int>(std::ceil(targetHeight / viewScale));
  }
  DrawTiles(tx, ty);
  DrawCharacterPass(tx, ty);
  if (zoomed) {
    if (scaledByRenderer) SDL_RenderSetScale(device, 1.0f, 1.0f);
    SDL_GetRendererOutputSize(device, &targetWidth, &targetHeight);
  }
  spriteScale = 1.0f;
  if (walkingFrame && walkClock == WalkClock::Frames) AdvanceWalk();
  if (!boxes.empty()) DrawBoxes();
  if (font != nullptr) DrawTexts();
  if (overlay) overlay();
  SDL_RenderPresent(device);
  ++framesPresented;
}

void RkDirect3D::ClearBackBuffer(int line) {
  if (SDL_SetRenderDrawColor(device, 0, 0, 0, 255) != 0 || SDL_RenderClear(device) != 0) {
    ReportSdlFailure("Failed to clear render target surface.", RK_D3DERR_INVALIDCALL, line);
  }
}

// Only sprites that reach into the target are drawn: a big map costs a test per
// sprite, not a draw.
bool RkDirect3D::IsOnTarget(const RkSprite& sprite, float tx, float ty) const {
  const RkVector3 position = sprite.GetPosition();
  const RkVector3 center = sprite.GetCenter();
  const float left = position.x - center.x + tx;
  const float top = position.y - center.y + ty;
  return left < targetWidth && top < targetHeight && left + sprite.GetWidth() > 0.0f &&
         top + sprite.GetHeight() > 0.0f;
}

// Fills drawList with the grid's sprites near the view, in list order.
void RkDirect3D::CollectInView(const RkSpriteGrid& grid, float tx, float ty) {
  grid.Collect(-tx, -ty, targetWidth - tx, targetHeight - ty, drawList);
}

// Zoomed out, thousands of tiles may be in view: they go through the layer. At
// 100 % and above (the game always) few are, and they are drawn straight on.
void RkDirect3D::DrawTiles(float tx, float ty) {
  if (spriteScale < 1.0f) {
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(device, &outputWidth, &outputHeight);
    const RkTileLayer::View view{tx, ty, spriteScale, outputWidth, outputHeight, tileChanges, RkTexture::ChangeCount()};
    if (tileLayer.Show(device, view, [this, tx, ty] { DrawTilePass(tx, ty); })) return;
  }
  DrawTilePass(tx, ty);
}

// Tile sprites and tile grids, merged in list order.
void RkDirect3D::DrawTilePass(float tx, float ty) {
  drawList.clear();
  CollectInView(tileGrid, tx, ty);
  std::sort(drawList.begin(), drawList.end(),
            [](const RkSpriteGrid::Entry& a, const RkSpriteGrid::Entry& b) { return a.order < b.order; });
  size_t next = 0;
  const auto drawSpritesBefore = [&](uint64_t order) {
    for (; next < drawList.size() && drawList[next].order < order; ++next) {
      if (IsOnTarget(*drawList[next].sprite, tx, ty)) DrawWorldSprite(*drawList[next].sprite, tx, ty);
    }
  };
  for (const PlacedTileGrid& placed : tileGrids) {
    drawSpritesBefore(placed.order);
    DrawTileGrid(*placed.grid, tx, ty);
  }
  drawSpritesBefore(std::numeric_limits<uint64_t>::max());
}

void RkDirect3D::DrawTileGrid(const RkTileGrid& grid, float tx, float ty) {
  grid.ForEachInView(tx, ty, targetWidth, targetHeight,
                     [this](const RkSprite& image, float x, float y) { DrawWorldSprite(image, x, y); });
}

void RkDirect3D::DrawWorldSprite(const RkSprite& sprite, float tx, float ty) const {
  if (spriteScale < 1.0f) {
    sprite.DrawShrunk(device, tx, ty, spriteScale);
  } else {
    sprite.Draw(device, tx, ty);
  }
}

void RkDirect3D::DrawCharacterPass(float tx, float ty) {
  drawList.clear();
  CollectNpcs(-tx, -ty, targetWidth - tx, targetHeight - ty, drawList);
  drawList.insert(drawList.end(), playerSprites.begin(), playerSprites.end());
  std::sort(drawList.begin(), drawList.end(),
            [](const RkSpriteGrid::Entry& a, const RkSpriteGrid::Entry& b) { return a.order < b.order; });
  for (const RkSpriteGrid::Entry& entry : drawList) {
    const RkSprite& sprite = *entry.sprite;
    if (sprite.GetIsNpc() == 1) {
      if (IsOnTarget(sprite, tx, ty)) DrawWorldSprite(sprite, tx, ty);
    } else if (IsOnTarget(sprite, canvasX, canvasY)) {
      sprite.Draw(device, canvasX, canvasY);
    }
  }
}

void RkDirect3D::AdvanceWalk() {
  walkOffset += 2;
  if (walkOffset == 32) {
    walking = 0;
    walkDirection = 0;
    walkOffset = 0;
  }
}

namespace {

bool SetDrawColor(SDL_Renderer* device, RkColor color) {
  return SDL_SetRenderDrawColor(device, static_cast<Uint8>((color >> 16) & 0xFF), static_cast<Uint8>((color >> 8) & 0xFF),
                                static_cast<Uint8>(color & 0xFF), static_cast<Uint8>((color >> 24) & 0xFF)) == 0;
}

}  // namespace

// The border lies inside the rectangle, the fill inside the border, so a
// transparent fill never darkens the border.
void RkDirect3D::DrawBoxes() {
  SDL_SetRenderDrawBlendMode(device, SDL_BLENDMODE_BLEND);
  for (const Box& box : boxes) {
    const SDL_Rect outer{box.rect.left + canvasX, box.rect.top + canvasY, box.rect.right - box.rect.left,
                         box.rect.bottom - box.rect.top};
    const SDL_Rect inner{outer.x + kBoxBorderWidth, outer.y + kBoxBorderWidth, outer.w - 2 * kBoxBorderWidth,
                         outer.h - 2 * kBoxBorderWidth};
    bool drawn = SetDrawColor(device, box.fill) && SDL_RenderFillRect(device, &inner) == 0;
    for (int ring = 0; drawn && ring < kBoxBorderWidth; ++ring) {
      const SDL_Rect edge{outer.x + ring, outer.y + ring, outer.w - 2 * ring, outer.h - 2 * ring};
      drawn = SetDrawColor(device, box.border) && SDL_RenderDrawRect(device, &edge) == 0;
    }
    if (!drawn) ReportDirectXError("Failed to prepare device for drawing sprites.", RK_D3DERR_INVALIDCALL, kSource,
                                   Line(352, 320));
  }
  SDL_SetRenderDrawBlendMode(device, SDL_BLENDMODE_NONE);
}

SDL_Texture* RkDirect3D::RenderTextImage(const Text& item) {
  const SDL_Color color{static_cast<Uint8>((item.color >> 16) & 0xFF), static_cast<Uint8>((item.color >> 8) & 0xFF),
                        static_cast<Uint8>(item.color & 0xFF), static_cast<Uint8>((item.color >> 24) & 0xFF)};
  // Wrapped only at line feeds, as a text drawn without a single-line flag is.
  SDL_Surface* rendered = TTF_RenderText_Blended_Wrapped(font, item.text, color, 0);
  if (rendered == nullptr && !HasVisibleCharacter(item.text)) return nullptr;
  if (rendered == nullptr) ReportSdlFailure("Failed to draw formatted text.", RK_OK, Line(411, 347));
  SDL_Texture* image = SDL_CreateTextureFromSurface(device, rendered);
  SDL_FreeSurface(rendered);
  if (image == nullptr) ReportSdlFailure("Failed to draw formatted text.", RK_OK, Line(411, 347));
  SDL_SetTextureBlendMode(image, SDL_BLENDMODE_BLEND);
  return image;
}

// Texts are drawn last, whole, from their rectangle's top-left corner: the
// rectangle's right and bottom do not clip them. A text with nothing visible
// in it (empty, or only line ends) draws nothing.
void RkDirect3D::DrawTexts() {
  size_t index = 0;
  for (const Text& item : texts) {
    SDL_Texture*& image = textImages[index++];
    if (!HasVisibleCharacter(item.text)) continue;
    if (image == nullptr) image = RenderTextImage(item);
    if (image == nullptr) continue;
    int width = 0;
    int height = 0;
    SDL_QueryTexture(image, nullptr, nullptr, &width, &height);
    const SDL_Rect target{item.rect.left + canvasX, item.rect.top + canvasY, width, height};
    if (SDL_RenderCopy(device, image, nullptr, &target) != 0) {
      ReportSdlFailure("Failed to draw formatted text.", RK_OK, Line(411, 347));
    }
  }
}

void RkDirect3D::RenderPreview(const RkRect* presentRect, SDL_Window* targetWindow, const RkSprite* sprite) {
  SDL_Rect area{0, 0, 0, 0};
  SDL_GetRendererOutputSize(device, &area.w, &area.h);
  if (presentRect != nullptr) {
    area = SDL_Rect{presentRect->left, presentRect->top, presentRect->right - presentRect->left,
                    presentRect->bottom - presentRect->top};
  }
  SDL_RenderSetClipRect(device, &area);
  if (SDL_SetRenderDrawColor(device, 0, 0, 0, 255) != 0 || SDL_RenderFillRect(device, &area) != 0) {
    ReportSdlFailure("Failed to clear render target surface.", RK_D3DERR_INVALIDCALL, 446);
  }
  if (sprite != nullptr) sprite->Draw(device);
  SDL_RenderSetClipRect(device, nullptr);
  if (targetWindow != nullptr) SDL_RenderPresent(device);
}
