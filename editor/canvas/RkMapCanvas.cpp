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

#include "RkSheetCell.h"

namespace {

constexpr const char* kNoNPC = "Nothing placed: select an NPC in the map panel's list first.";
constexpr const char* kNoNPCImage = "Nothing placed: the selected NPC has no image that loads.";
constexpr RkColor kStatusColor = 0xFFFFFFFFu;
// The start point edits are read like a 10-byte buffer: at most 9 characters.
constexpr std::size_t kStartCoordinateDigits = 9;

}  // namespace

RkMapCanvas::RkMapCanvas(RkMapEditor& panel, RkMapDocument& document, const RkCanvasView& view,
                         RkDirect3D& renderer, NoticeShower showNotice)
    : panel(panel), document(document), view(view), renderer(renderer), showNotice(std::move(showNotice)) {}

void RkMapCanvas::Click(int canvasX, int canvasY) {
  const int choice = panel.GetPaintingChoice();
  hint = Hint::None;
  int viewCellX = 0;
  int viewCellY = 0;
  view.CellAt(canvasX, canvasY, viewCellX, viewCellY);
  const RkWorld& world = document.GetWorld();
  int cellX = 0;
  int cellY = 0;
  if (world.GetWidth() == 0 && world.GetHeight() == 0) {
    document.PlaceOrigin(viewCellX, viewCellY);
  } else {
    cellX = viewCellX - document.GetOrigin().GetX();
    cellY = viewCellY - document.GetOrigin().GetY();
  }
  ShowStatusTexts(cellX, cellY);
  if (WillPaint(choice) && !document.GrowToReach(cellX, cellY)) {
    return;
  }
  if (choice == RkMapEditor::ChoiceNull) {
    EraseCell(cellX, cellY);
  } else if (choice >= RkMapEditor::ChoiceOpen && choice <= RkMapEditor::ChoiceNewArea) {
    PaintBlock(choice, cellX, cellY);
  } else if (choice == RkMapEditor::ChoiceNullNPC) {
    RemoveNPCs(cellX, cellY);
  } else if (choice == RkMapEditor::ChoiceNormalNPC || choice == RkMapEditor::ChoiceStaticNPC) {
    PlaceNPC(choice, cellX, cellY);
  }
}

void RkMapCanvas::ShowStatusTexts(int cellX, int cellY) {
  const RkWorld& world = document.GetWorld();
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

void RkMapCanvas::EraseCell(int cellX, int cellY) {
  if (!document.GetWorld().IsInBounds(cellX, cellY)) {
    return;
  }
  document.SetTile(cellX, cellY, RkTile());
}

// A block of a sheet's cells, picked in the tile palette, paints its cells right
// and down from the clicked one (the map grows to hold them), all in the
// stroke, so one undo takes the block away.
void RkMapCanvas::PaintBlock(int choice, int cellX, int cellY) {
  const RkSheetCell first = RkSheetCell::Parse(panel.GetTileImageFile());
  const int columns = panel.GetTileBlockColumns();
  const int rows = panel.GetTileBlockRows();
  if ((columns == 1 && rows == 1) || !first.IsCell()) return PaintCell(choice, cellX, cellY);
  if (choice == RkMapEditor::ChoiceNewArea && panel.GetNewAreaFile()[0] == '\0') return PaintCell(choice, cellX, cellY);
  for (int column = 0; column < columns; ++column) {
    for (int row = 0; row < rows; ++row) {
      int x = cellX + column;
      int y = cellY + row;
      if (!document.GrowToReach(x, y)) return;
      const std::string image = RkSheetCell::Compose(first.GetSheet(), first.GetColumn() + column,
                                                     first.GetRow() + row, first.GetSize());
      PaintCellWith(choice, x, y, image.c_str());
    }
  }
}

// Painting keeps a cell's New Area destination unless it paints a New Area.
void RkMapCanvas::PaintCell(int choice, int cellX, int cellY) { PaintCellWith(choice, cellX, cellY, panel.GetTileImageFile()); }

void RkMapCanvas::PaintCellWith(int choice, int cellX, int cellY, const char* image) {
  if (panel.GetTileSprite() == nullptr) {
    hint = Hint::NoTileImage;
    return;
  }
  if (choice == RkMapEditor::ChoiceNewArea && panel.GetNewAreaFile()[0] == '\0') {
    showNotice(kNoNewArea);
    return;
  }
  RkTile tile = document.GetWorld().GetTile(cellX, cellY);
  tile.SetType(choice);
  tile.SetImageFile(image);
  if (choice == RkMapEditor::ChoiceNewArea) {
    tile.SetNewAreaName(panel.GetNewAreaFile());
    tile.SetNewAreaStart(ReadStartCoordinate(panel.GetStartX()), ReadStartCoordinate(panel.GetStartY()));
  }
  document.SetTile(cellX, cellY, tile);
}

void RkMapCanvas::RemoveNPCs(int cellX, int cellY) {
  if (!document.GetWorld().IsInBounds(cellX, cellY)) {
    return;
  }
  document.RemoveNPCsAt(cellX, cellY);
}

void RkMapCanvas::PlaceNPC(int choice, int cellX, int cellY) {
  const int selection = panel.GetNPCSelection();
  if (panel.GetNPCSprite() == nullptr || selection < 0) {
    hint = Hint::NoNPC;
    return;
  }
  document.SetNPC(panel.GetNPCName(selection), cellX, cellY, panel.GetNPCImageFile(),
                  choice - RkMapEditor::ChoiceNullNPC);
}

std::string RkMapCanvas::GetHint() const {
  if (hint == Hint::NoTileImage && panel.GetTileSprite() == nullptr) return kNoTileImage;
  if (hint == Hint::NoNPC && panel.GetNPCSelection() < 0) return kNoNPC;
  if (hint == Hint::NoNPC && panel.GetNPCSprite() == nullptr) return kNoNPCImage;
  return "";
}

int RkMapCanvas::ReadStartCoordinate(const char* text) {
  const std::string digits(text, std::min(std::strlen(text), kStartCoordinateDigits));
  return std::atoi(digits.c_str());
}
