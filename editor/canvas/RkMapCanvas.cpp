// The map canvas's editing: painting, erasing, growing the world to reach a cell,
// placing and removing NPCs, and the status texts that say where a click landed.
#include "RkMapCanvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr const char* kNoNewArea =
    "This tile will not be set as a new area as there is no new area location provided.\n"
    "Please click on the Load New Area button and select a map first.";
constexpr RkColor kStatusColor = 0xFFFFFFFFu;
// The start point edits are read like a 10-byte buffer: at most 9 characters.
constexpr std::size_t kStartCoordinateDigits = 9;

}  // namespace

RkMapCanvas::RkMapCanvas(RkMapEditor& panel, RkWorld& world, const RkCanvasView& view, RkEntity& origin,
                         RkDirect3D& renderer, NoticeShower showNotice)
    : panel(panel),
      world(world),
      view(view),
      origin(origin),
      renderer(renderer),
      showNotice(std::move(showNotice)) {}

void RkMapCanvas::Click(int canvasX, int canvasY) {
  const int choice = panel.GetPaintingChoice();
  int viewCellX = 0;
  int viewCellY = 0;
  view.CellAt(canvasX, canvasY, viewCellX, viewCellY);
  const int viewX = kCellSize * viewCellX;
  const int viewY = kCellSize * viewCellY;
  int cellX = 0;
  int cellY = 0;
  if (world.GetWidth() == 0 && world.GetHeight() == 0) {
    origin.SetPosition(viewX / kCellSize, viewY / kCellSize);
  } else {
    cellX = viewX / kCellSize - origin.GetX();
    cellY = viewY / kCellSize - origin.GetY();
  }
  ShowStatusTexts(cellX, cellY);
  if (WillPaint(choice) && !GrowToReach(cellX, cellY)) {
    return;
  }
  const float px = static_cast<float>(viewX);
  const float py = static_cast<float>(viewY);
  if (choice == RkMapEditor::ChoiceNull) {
    EraseCell(cellX, cellY, px, py);
  } else if (choice >= RkMapEditor::ChoiceOpen && choice <= RkMapEditor::ChoiceNewArea) {
    PaintCell(choice, cellX, cellY, px, py);
  } else if (choice == RkMapEditor::ChoiceNullNPC) {
    RemoveNPCs(cellX, cellY, px, py);
  } else if (choice == RkMapEditor::ChoiceNormalNPC || choice == RkMapEditor::ChoiceStaticNPC) {
    PlaceNPC(choice, cellX, cellY, px, py);
  }
}

void RkMapCanvas::ShowStatusTexts(int cellX, int cellY) {
  char size[RkDirect3D::kTextCapacity];
  char position[RkDirect3D::kTextCapacity];
  std::snprintf(size, sizeof size, "World Size: %d, %d\n", world.GetWidth(), world.GetHeight());
  std::snprintf(position, sizeof position, "World Position: %d, %d\n", cellX, cellY);
  renderer.ClearTexts();
  renderer.AddText(size, 10, 10, 80, 18, kStatusColor);
  renderer.AddText(position, 10, 30, 80, 48, kStatusColor);
}

bool RkMapCanvas::WillPaint(int choice) const {
  const bool paintsTile = panel.GetTileSprite() != nullptr && choice >= RkMapEditor::ChoiceOpen &&
                          choice <= RkMapEditor::ChoiceNewArea;
  const bool placesNPC = panel.GetNPCSprite() != nullptr &&
                         (choice == RkMapEditor::ChoiceNormalNPC || choice == RkMapEditor::ChoiceStaticNPC);
  return paintsTile || placesNPC;
}

// Grows the world so that the clicked cell is part of it and moves the origin so
// that the old cells keep their place on the canvas. A grid larger than any world
// file may hold is refused (the world could be saved but never loaded again):
// false, and the click paints nothing.
bool RkMapCanvas::GrowToReach(int& cellX, int& cellY) {
  if (!world.IsInBounds(cellX, cellY)) {
    const int64_t newWidth = cellX < 0 ? int64_t{world.GetWidth()} - cellX
                                       : std::max<int64_t>(world.GetWidth(), int64_t{cellX} + 1);
    const int64_t newHeight = cellY < 0 ? int64_t{world.GetHeight()} - cellY
                                        : std::max<int64_t>(world.GetHeight(), int64_t{cellY} + 1);
    if (newWidth * newHeight > RkWorld::kMaxCells) {
      return false;
    }
    if (recorder != nullptr) recorder->WorldWillGrow(cellX, cellY);
    const RkGrowResult result = world.Grow(cellX, cellY);
    if (result == GrowLeft || result == GrowLeftAndUp) {
      origin.SetPosition(origin.GetX() + cellX, origin.GetY());
    }
    if (result == GrowUp || result == GrowLeftAndUp) {
      origin.SetPosition(origin.GetX(), origin.GetY() + cellY);
    }
  }
  cellX = std::max(cellX, 0);
  cellY = std::max(cellY, 0);
  return true;
}

void RkMapCanvas::EraseCell(int cellX, int cellY, float viewX, float viewY) {
  if (!world.IsInBounds(cellX, cellY)) {
    return;
  }
  if (recorder != nullptr) recorder->CellWillChange(cellX, cellY);
  world.SetTileType(cellX, cellY, TileNull);
  world.SetTileImageFile(cellX, cellY, "");
  world.SetTileNewArea(cellX, cellY, "", 0, 0);
  renderer.RemoveTileSprites(viewX, viewY);
}

void RkMapCanvas::PaintCell(int choice, int cellX, int cellY, float viewX, float viewY) {
  if (panel.GetTileSprite() == nullptr) {
    return;
  }
  if (choice == RkMapEditor::ChoiceNewArea && panel.GetNewAreaFile()[0] == '\0') {
    showNotice(kNoNewArea);
    return;
  }
  if (recorder != nullptr) recorder->CellWillChange(cellX, cellY);
  world.SetTileType(cellX, cellY, choice);
  world.SetTileImageFile(cellX, cellY, panel.GetTileImageFile());
  if (choice == RkMapEditor::ChoiceNewArea) {
    world.SetTileNewArea(cellX, cellY, panel.GetNewAreaFile(), ReadStartCoordinate(panel.GetStartX()),
                         ReadStartCoordinate(panel.GetStartY()));
  }
  renderer.RemoveTileSprites(viewX, viewY);
  renderer.AddSprite(panel.GetTileImageFile(), viewX, viewY, kCellSize, kCellSize, 0, 0);
}

void RkMapCanvas::RemoveNPCs(int cellX, int cellY, float viewX, float viewY) {
  if (!world.IsInBounds(cellX, cellY)) {
    return;
  }
  if (recorder != nullptr) recorder->NPCsWillChange(cellX, cellY);
  world.RemoveNPCsAt(cellX, cellY);
  renderer.RemoveNpcSprites(viewX, viewY);
}

void RkMapCanvas::PlaceNPC(int choice, int cellX, int cellY, float viewX, float viewY) {
  const int selection = panel.GetNPCSelection();
  if (panel.GetNPCSprite() == nullptr || selection < 0) {
    return;
  }
  if (recorder != nullptr) recorder->NPCsWillChange(cellX, cellY);
  world.SetNPC(panel.GetNPCName(selection), cellX, cellY, panel.GetNPCImageFile(),
               choice - RkMapEditor::ChoiceNullNPC);
  renderer.RemoveNpcSprites(viewX, viewY);
  renderer.AddSprite(panel.GetNPCImageFile(), viewX, viewY, kCellSize, kCellSize, 0, 1);
}

int RkMapCanvas::ReadStartCoordinate(const char* text) {
  const std::string digits(text, std::min(std::strlen(text), kStartCoordinateDigits));
  return std::atoi(digits.c_str());
}
