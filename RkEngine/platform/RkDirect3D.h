// The renderer of both programs, drawing with SDL_Renderer. It keeps the scene as
// an ordered list of sprites and an ordered list of text items and draws one
// frame on request: a black clear, the tile sprites, then the NPC and player
// sprites (each pass in list order), then the boxes, then the texts, then the
// editor's overlay, then one present. It also owns the view translation (the
// focus tile at the view centre) and the game's 16-frame walk animation.
//
// The program (game or editor) is chosen at construction: it decides the
// messages and lines of the fatal reports where the two differ. The running
// program for other reports is set by each program with SetRunningProgram.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "RkColor.h"
#include "RkError.h"
#include "RkRect.h"
#include "RkSprite.h"
#include "RkSpriteGrid.h"
#include "RkTileGrid.h"
#include "RkTileLayer.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;
class RkWindow;
typedef struct _TTF_Font TTF_Font;

class RkDirect3D {
 public:
  static constexpr int kTileSize = 32;
  static constexpr int kTextCapacity = 500;
  static constexpr int kFontHeight = 16;

  // One line of text drawn over the scene, in back-buffer pixels, unclipped.
  struct Text {
    RkRect rect;
    char text[kTextCapacity];
    RkColor color;
  };

  // A filled rectangle with a border, drawn over the sprites and under the
  // texts (the game's conversation box). Colours may be partly transparent.
  struct Box {
    RkRect rect;
    RkColor fill;
    RkColor border;
  };
  static constexpr int kBoxBorderWidth = 2;

  // What advances the walk animation by one of its 16 frames: every drawn
  // frame, or every StepWalk call (the game's simulation steps, so that a walk
  // lasts as long at any frame rate).
  enum class WalkClock { Frames, Steps };

  explicit RkDirect3D(RkProgram program = RkProgram::Game);
  virtual ~RkDirect3D();
  RkDirect3D(const RkDirect3D&) = delete;
  RkDirect3D& operator=(const RkDirect3D&) = delete;

  // Creates the renderer on a window, presenting with vsync. The editor passes
  // its own SDL_Window, on which it must not have created a renderer: ImGui's
  // renderer backend uses GetDevice() instead. Failures are fatal.
  void Initialize(SDL_Window* window);
  void Initialize(const RkWindow& window);
  // Creates a software renderer on a surface of its own (tests, screenshots):
  // ReadPixel and GetSurface then show what was drawn.
  void InitializeOffscreen(int width, int height);
  bool IsInitialized() const { return device != nullptr; }

  SDL_Renderer* GetDevice() const { return device; }
  // The offscreen surface, null on a window.
  SDL_Surface* GetSurface() const { return surface; }
  // The pixel at (x, y) of what was drawn last, as 0xAARRGGBB.
  RkColor ReadPixel(int x, int y) const;

  // Appends a sprite made from the image file at (x, y) and returns the stored
  // copy; null (and nothing added) for an empty file name. The first form loads
  // 32 by 32 (the game), the second the given size (the editor).
  RkSprite* AddSprite(const char* file, float x, float y, int isPlayer, int isNpc);
  RkSprite* AddSprite(const char* file, float x, float y, int width, int height, int isPlayer, int isNpc);
  // Erase every NPC (tile) sprite whose position is exactly (x, y); tiles of a
  // tile grid too.
  void RemoveNpcSprites(float x, float y);
  void RemoveTileSprites(float x, float y);
  void ClearSprites();
  // The sprites added one by one, in list order; the tiles of tile grids are
  // not among them (CopySpriteList has those too).
  const std::list<RkSprite>& GetSprites() const { return sprites; }

  // The game's map in one call: appends what AddSprite (32 by 32, a tile) for
  // every cell of the width by height grid with an image, column by column,
  // would append (the same images, places and order, and the same fatal report
  // for an image that cannot be loaded), kept as one tile grid.
  void AddTileGrid(int32_t width, int32_t height, const RkTileGrid::ImageAt& imageAt);
  // The same with the grid's cell (0, 0) at world pixel (32 originX, 32 originY):
  // the editor's map, whose cells stand at their view cells.
  void AddTileGrid(int32_t originX, int32_t originY, int32_t width, int32_t height,
                   const RkTileGrid::ImageAt& imageAt);
  // What the game keeps for each NPC between steps: the sprite MoveNpcSprite
  // gave it last. A handle whose sprite has been erased since (by another NPC's
  // step from the same cell, RemoveNpcSprites, ClearSprites) is recognised as
  // stale and counts for nothing; a fresh handle names no sprite.
  struct NpcSprite {
    static constexpr uint32_t kNone = UINT32_MAX;
    uint32_t slot = kNone;
    uint32_t generation = 0;
  };
  // The game step's redraw of one NPC: RemoveNpcSprites(fromX, fromY), then
  // AddSprite(file, x, y, 0, 1), whose sprite it returns. An NPC that stayed
  // where it was, alone there, keeps its sprite, moved to the end of the list,
  // and no image is looked up. With the NPC's handle, such an NPC costs no
  // lookup at all; the handle is set to the sprite returned.
  RkSprite* MoveNpcSprite(float fromX, float fromY, const char* file, float x, float y);
  RkSprite* MoveNpcSprite(float fromX, float fromY, const char* file, float x, float y, NpcSprite& handle);
  // The whole list as the sprites it stands for, in list order, each tile of a
  // tile grid as a sprite of its own: for tests and tools (a copy per sprite).
  std::vector<RkSprite> CopySpriteList() const;
  size_t GetTileGridCount() const { return tileGrids.size(); }

  // Appends a text item and returns its stored characters; a text of more than
  // 499 characters is fatal.
  const char* AddText(const char* text, int left, int top, int right, int bottom, RkColor color);
  void ClearTexts();
  const std::list<Text>& GetTexts() const { return texts; }
  // Width in pixels of a text drawn with the font (its bytes taken as
  // Latin-1, as the text items draw them); 0 before the font exists.
  int MeasureText(const char* text) const;
  int GetFontHeight() const;

  void AddBox(const RkRect& rect, RkColor fill, RkColor border);
  void ClearBoxes() { boxes.clear(); }
  const std::vector<Box>& GetBoxes() const { return boxes; }

  // Starts the one-tile scroll toward the focus tile in direction 1..4.
  void StartWalk(int direction);
  int IsWalking() const { return walking; }
  int GetWalkDirection() const { return walkDirection; }
  int GetWalkOffset() const { return walkOffset; }
  void SetWalkClock(WalkClock clock) { walkClock = clock; }
  // One frame of a running walk, when the walk runs on steps.
  void StepWalk();

  // Draws and presents one frame with the focus tile (focusX, focusY) at the
  // centre of a view of viewWidth by viewHeight (0 by 0: at the top-left). The
  // whole back buffer is presented; presentRect names the part the caller shows.
  void RenderFrame(const RkRect* presentRect, int viewWidth, int viewHeight, int focusX, int focusY);
  // Clears presentRect to black and draws one sprite at its own position inside
  // it, untranslated; presents when targetWindow is not null (else the image
  // shows with the next frame).
  void RenderPreview(const RkRect* presentRect, SDL_Window* targetWindow, const RkSprite* sprite);
  // Frames that RenderFrame has presented.
  int GetFramesPresented() const { return framesPresented; }

  // The editor's ImGui drawing: called inside RenderFrame after the texts and
  // before the present, with the same renderer. An empty function removes it.
  void SetOverlay(std::function<void()> overlay);
  // Where back-buffer pixel (0, 0) of the scene lies on the target (the editor's
  // canvas starts below its menu bar). Sprites and texts move; the clear does not.
  void SetCanvasOrigin(int x, int y);

  // The editor's zoom and pan: tile and NPC sprites are drawn scaled by scale
  // about the canvas origin, after a shift of (shiftX, shiftY) world pixels.
  // Texts, player sprites and the overlay are not scaled. The game never sets it:
  // at scale 1 with no shift a frame is drawn exactly as without it.
  void SetViewZoom(float scale, float shiftX, float shiftY);
  float GetViewScale() const { return viewScale; }
  // The next zoomed-out frame draws every tile again: for when the system says
  // that what was drawn into textures is lost (a render-targets reset).
  void ForgetDrawnTiles() { tileLayer.Forget(); }

  // The translation that a world sprite gets in the next frame.
  float TranslationX(int viewWidth, int focusX) const;
  float TranslationY(int viewHeight, int focusY) const;

 private:
  // One axis of the translation; forward and backward are the walk directions along it.
  float Translation(int viewSize, int focus, int forward, int backward) const;
  using SpriteIterator = std::list<RkSprite>::iterator;

  RkProgram program;
  SDL_Renderer* device = nullptr;
  SDL_Surface* surface = nullptr;
  std::list<RkSprite> sprites;
  // A sprite in the list and, for an NPC sprite, its slot in npcSlots.
  struct PlacedSprite {
    SpriteIterator sprite;
    uint32_t npcSlot;
  };
  // Sprites by exact position, so that removing by position finds them at once.
  std::unordered_multimap<uint64_t, PlacedSprite> spritesByPosition;
  // Every NPC sprite has a slot while it is in the list: its place in the list
  // order, and what lets a handle reach it without a lookup. A slot is reused
  // once its sprite is erased, with a new generation, so old handles miss it.
  struct NpcSlot {
    SpriteIterator sprite;
    uint64_t order = 0;
    uint32_t generation = 0;
    bool inUse = false;
    // Another NPC sprite was added at its exact place while it stood there.
    // NPC sprites leave a place only all together (RemoveNpcSprites) or with
    // the whole list, so a sprite without this mark is alone at its place.
    bool sharesPlace = false;
  };
  std::vector<NpcSlot> npcSlots;
  std::vector<uint32_t> freeNpcSlots;
  // The slot of the NPC sprite stored last.
  uint32_t lastNpcSlot = NpcSprite::kNone;
  // Where tile and NPC sprites lie, so a frame visits only those near the view;
  // player sprites are few and kept apart. Orders follow the list (it is only
  // ever appended to), so sorting by order restores list order. The NPC grid's
  // entries hold the sprite's slot in place of its order (CollectNpcs looks the
  // order up): an NPC that stays moves to the end of the list every step, and
  // its slot, unlike the grid, is reached without a search.
  RkSpriteGrid tileGrid;
  RkSpriteGrid npcGrid;
  std::vector<RkSpriteGrid::Entry> playerSprites;
  // Tile grids, each with its place in the list order, ascending.
  struct PlacedTileGrid {
    std::unique_ptr<RkTileGrid> grid;
    uint64_t order;
  };
  std::vector<PlacedTileGrid> tileGrids;
  uint64_t nextOrder = 0;
  std::vector<RkSpriteGrid::Entry> drawList;
  int walking = 0;
  int walkDirection = 0;
  int walkOffset = 0;
  WalkClock walkClock = WalkClock::Frames;
  int framesPresented = 0;
  std::vector<Box> boxes;
  TTF_Font* font = nullptr;
  std::list<Text> texts;
  // Rendered text images, parallel to texts; rebuilt lazily after a change.
  std::vector<SDL_Texture*> textImages;
  std::function<void()> overlay;
  int canvasX = 0;
  int canvasY = 0;
  int targetWidth = 0;
  int targetHeight = 0;
  float viewScale = 1.0f;
  float viewShiftX = 0.0f;
  float viewShiftY = 0.0f;
  // Below 1 while a zoomed-out frame draws its tile and NPC sprites.
  float spriteScale = 1.0f;
  // Zoomed out, the tile pass is drawn once into this layer and copied while
  // neither the tile sprites (tileChanges counts each change) nor the view change.
  RkTileLayer tileLayer;
  uint64_t tileChanges = 0;

  int Line(int editorLine, int gameLine) const;
  static bool HasAcceleratedDriver();
  static void CheckDisplayModes(SDL_Window* target);
  void CreateDevice(SDL_Window* target);
  void CreateFont();
  RkSprite* StoreSprite(const RkSprite& sprite);
  void RemoveSpritesAt(float x, float y, int npcFlag);
  RkSprite* KeepLoneNpcSprite(float x, float y, const char* file, NpcSprite& handle);
  RkSprite* KeepHandledNpcSprite(float x, float y, const char* file, const NpcSprite& handle);
  static bool IsAsAdded(const RkSprite& sprite, const char* file);
  RkSprite* MoveToEnd(uint32_t slot);
  uint32_t TakeNpcSlot(SpriteIterator sprite, uint64_t key, bool placed);
  void FreeNpcSlot(uint32_t slot);
  void CollectNpcs(float left, float top, float right, float bottom, std::vector<RkSpriteGrid::Entry>& found) const;
  void ForgetPlacement(const RkSprite& sprite);
  void CollectInView(const RkSpriteGrid& grid, float tx, float ty);
  static bool PositionKey(float x, float y, uint64_t& key);
  void ClearBackBuffer(int line);
  bool IsWalkingFrame() const;
  bool IsOnTarget(const RkSprite& sprite, float tx, float ty) const;
  void DrawTiles(float tx, float ty);
  void DrawTilePass(float tx, float ty);
  void DrawTileGrid(const RkTileGrid& grid, float tx, float ty);
  void DrawCharacterPass(float tx, float ty);
  void DrawWorldSprite(const RkSprite& sprite, float tx, float ty) const;
  void AdvanceWalk();
  void DrawBoxes();
  void DrawTexts();
  void ReleaseTextImages();
  SDL_Texture* RenderTextImage(const Text& text);
};
