// Registering the edited map's sprites on the canvas, whole or one view cell at a time.
#include "RkMapSprites.h"

#include "RkGridMath.h"

namespace {

constexpr int kCellSize = RkGridMath::kCellSize;

}  // namespace

float RkMapSprites::ViewPixel(int64_t viewCell) { return static_cast<float>(kCellSize * viewCell); }

void RkMapSprites::Follow(const RkMapDocument::Change& change) {
  switch (change.kind) {
    case RkMapDocument::Change::Kind::Tile:
      RefreshTile(change.viewX, change.viewY);
      break;
    case RkMapDocument::Change::Kind::NPCs:
      RefreshNPCs(change.viewX, change.viewY);
      break;
    case RkMapDocument::Change::Kind::WholeMap:
      renderer.ClearSprites();
      RegisterAll();
      break;
  }
}

// The tiles go in as one grid read from the world's cells: a whole-map change
// (a fill, an undo of one, Load Map) costs a pass over the cells, not a sprite
// per cell.
void RkMapSprites::RegisterAll() {
  const RkWorld& world = document.GetWorld();
  const RkEntity& origin = document.GetOrigin();
  renderer.AddTileGrid(origin.GetX(), origin.GetY(), world.GetWidth(), world.GetHeight(),
                       [&world](int32_t x, int32_t y) { return world.GetTileImageFile(x, y); });
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    AddNPCSprite(i);
  }
}

void RkMapSprites::AddNPCSprite(unsigned index) {
  const RkWorld& world = document.GetWorld();
  const RkEntity& origin = document.GetOrigin();
  renderer.AddSprite(world.GetNPCImageFile(index), ViewPixel(int64_t{origin.GetX()} + world.GetNPCX(index)),
                     ViewPixel(int64_t{origin.GetY()} + world.GetNPCY(index)), kCellSize, kCellSize, 0, 1);
}

void RkMapSprites::RefreshTile(int32_t viewX, int32_t viewY) {
  const RkWorld& world = document.GetWorld();
  renderer.RemoveTileSprites(ViewPixel(viewX), ViewPixel(viewY));
  const int64_t x = int64_t{viewX} - document.GetOrigin().GetX();
  const int64_t y = int64_t{viewY} - document.GetOrigin().GetY();
  if (world.IsInBounds(static_cast<int32_t>(x), static_cast<int32_t>(y)) && x == static_cast<int32_t>(x) &&
      y == static_cast<int32_t>(y)) {
    renderer.AddSprite(world.GetTileImageFile(static_cast<int32_t>(x), static_cast<int32_t>(y)), ViewPixel(viewX),
                       ViewPixel(viewY), kCellSize, kCellSize, 0, 0);
  }
}

void RkMapSprites::RefreshNPCs(int32_t viewX, int32_t viewY) {
  const RkWorld& world = document.GetWorld();
  renderer.RemoveNpcSprites(ViewPixel(viewX), ViewPixel(viewY));
  const int64_t x = int64_t{viewX} - document.GetOrigin().GetX();
  const int64_t y = int64_t{viewY} - document.GetOrigin().GetY();
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    if (world.GetNPCX(i) == x && world.GetNPCY(i) == y) {
      AddNPCSprite(i);
    }
  }
}
