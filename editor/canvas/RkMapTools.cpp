// The rectangle, fill, select, copy, cut, paste and pick tools of the canvas.
#include "RkMapTools.h"

#include <algorithm>
#include <string>
#include <utility>

#include "RkMapCanvas.h"
#include "RkPathParts.h"
#include "RkToolStrip.h"

// What a painting choice does to a cell: the brush's rules for one cell,
// applied to every cell an action covers.
struct RkMapTools::PaintRule {
  bool erase = false;
  int32_t type = TileNull;
  std::string image;
  bool newArea = false;
  std::string newAreaName;
  int32_t startX = 0;
  int32_t startY = 0;

  // Open and Impassable keep a cell's New Area link, as the brush does.
  RkTile Apply(const RkTile& cell) const {
    if (erase) return RkTile();
    RkTile tile = cell;
    tile.SetType(type);
    tile.SetImageFile(image.c_str());
    if (newArea) {
      tile.SetNewAreaName(newAreaName.c_str());
      tile.SetNewAreaStart(startX, startY);
    }
    return tile;
  }
};

RkMapTools::RkMapTools(RkMapEditor& panel, RkMapDocument& document, const RkCanvasView& view,
                       NoticeShower showNotice, TileImageUser useTileImage)
    : panel(panel),
      document(document),
      view(view),
      showNotice(std::move(showNotice)),
      useTileImage(std::move(useTileImage)) {}

bool RkMapTools::TakesLeftButton() const { return pasting || panel.GetTool() != RkMapEditor::Tool::Brush; }

void RkMapTools::ViewCellAt(int canvasX, int canvasY, int32_t& viewX, int32_t& viewY) const {
  int x = 0;
  int y = 0;
  view.CellAt(canvasX, canvasY, x, y);
  viewX = x;
  viewY = y;
}

RkCellRect RkMapTools::ToMapCells(const RkCellRect& viewRect) const {
  return viewRect.Moved(-document.GetOrigin().GetX(), -document.GetOrigin().GetY());
}

// The first press of a hold acts for Fill and Paste and anchors a drag; the
// passes after it stretch the drag to the cell under the mouse.
void RkMapTools::Hold(int canvasX, int canvasY) {
  int32_t viewX = 0;
  int32_t viewY = 0;
  ViewCellAt(canvasX, canvasY, viewX, viewY);
  const bool firstPass = !pressed;
  pressed = true;
  if (firstPass) {
    hint.clear();
    anchorX = viewX;
    anchorY = viewY;
    if (pasting) {
      PlacePaste(viewX, viewY);
      return;
    }
    if (panel.GetTool() == RkMapEditor::Tool::Fill) {
      Fill(viewX, viewY);
      return;
    }
  }
  if (!pasting && (panel.GetTool() == RkMapEditor::Tool::Rectangle || panel.GetTool() == RkMapEditor::Tool::Select) &&
      (drag || firstPass)) {
    drag = RkCellRect::Spanning(anchorX, anchorY, viewX, viewY);
  }
}

void RkMapTools::Release() {
  pressed = false;
  if (!drag) return;
  const RkCellRect rect = *drag;
  drag.reset();
  if (panel.GetTool() == RkMapEditor::Tool::Rectangle) {
    PaintRectangle(rect);
  } else if (panel.GetTool() == RkMapEditor::Tool::Select) {
    selection = rect;
  }
}

void RkMapTools::CancelDrag() {
  pressed = false;
  drag.reset();
}

void RkMapTools::Hover(int canvasX, int canvasY, bool onCanvas) {
  hovering = onCanvas;
  if (!onCanvas) return;
  ViewCellAt(canvasX, canvasY, hoverX, hoverY);
  if (panel.GetTool() == RkMapEditor::Tool::Fill && !pasting) {
    const int32_t mapX = hoverX - document.GetOrigin().GetX();
    const int32_t mapY = hoverY - document.GetOrigin().GetY();
    if (!fillRegionValid || !fillRegion.Contains(mapX, mapY)) FindFillRegion(mapX, mapY);
  }
}

void RkMapTools::FindFillRegion(int32_t mapX, int32_t mapY) {
  fillRegion = RkFloodFill::Region(document.GetWorld(), mapX, mapY);
  fillRegionValid = true;
}

// Null erases; Open, Impassable and New Area paint with the tile image (New
// Area with its link, the notice when there is none, once for the action).
// The NPC choices paint no cells; Null NPC clears a rectangle's NPCs.
std::optional<RkMapTools::PaintRule> RkMapTools::ReadPaintRule(bool forFill) {
  const int choice = panel.GetPaintingChoice();
  PaintRule rule;
  if (choice == RkMapEditor::ChoiceNull) {
    rule.erase = true;
    return rule;
  }
  if (choice < RkMapEditor::ChoiceOpen || choice > RkMapEditor::ChoiceNewArea) {
    if (choice != RkMapEditor::ChoiceNullNPC || forFill) hint = kPaintsCells;
    return std::nullopt;
  }
  if (panel.GetTileSprite() == nullptr) {
    hint = RkMapCanvas::kNoTileImage;
    return std::nullopt;
  }
  if (choice == RkMapEditor::ChoiceNewArea && panel.GetNewAreaFile()[0] == '\0') {
    showNotice(RkMapCanvas::kNoNewArea);
    return std::nullopt;
  }
  rule.type = choice;
  rule.image = panel.GetTileImageFile();
  if (choice == RkMapEditor::ChoiceNewArea) {
    rule.newArea = true;
    rule.newAreaName = panel.GetNewAreaFile();
    rule.startX = RkMapCanvas::ReadStartCoordinate(panel.GetStartX());
    rule.startY = RkMapCanvas::ReadStartCoordinate(panel.GetStartY());
  }
  return rule;
}

bool RkMapTools::GrowToCover(RkCellRect& rect) {
  const RkWorld& world = document.GetWorld();
  const int64_t width = std::max<int64_t>(world.GetWidth(), int64_t{rect.right} + 1) - std::min(rect.left, 0);
  const int64_t height = std::max<int64_t>(world.GetHeight(), int64_t{rect.bottom} + 1) - std::min(rect.top, 0);
  if (width * height > RkWorld::kMaxCells) {
    showNotice(kTooLarge);
    return false;
  }
  int32_t x = rect.left;
  int32_t y = rect.top;
  if (!world.IsInBounds(x, y) && !document.GrowToReach(x, y)) return false;
  rect = rect.Moved(x - rect.left, y - rect.top);
  x = rect.right;
  y = rect.bottom;
  return world.IsInBounds(x, y) || document.GrowToReach(x, y);
}

RkCellRect RkMapTools::PlaceOnMap(const RkCellRect& viewRect) {
  const RkWorld& world = document.GetWorld();
  if (world.GetWidth() == 0 && world.GetHeight() == 0) {
    document.PlaceOrigin(viewRect.left, viewRect.top);
  }
  return ToMapCells(viewRect);
}

void RkMapTools::PaintRectangle(const RkCellRect& viewRect) {
  const std::optional<PaintRule> rule = ReadPaintRule(false);
  if (!rule) {
    if (panel.GetPaintingChoice() == RkMapEditor::ChoiceNullNPC) RemoveNPCsIn(ToMapCells(viewRect));
    return;
  }
  RkCellRect rect = rule->erase ? ToMapCells(viewRect) : PlaceOnMap(viewRect);
  if (!rule->erase && !GrowToCover(rect)) return;
  const RkWorld& world = document.GetWorld();
  const int32_t left = std::max(rect.left, 0);
  const int32_t top = std::max(rect.top, 0);
  const int32_t right = std::min(rect.right, world.GetWidth() - 1);
  const int32_t bottom = std::min(rect.bottom, world.GetHeight() - 1);
  RkCellBatch batch;
  for (int32_t x = left; x <= right; ++x) {
    for (int32_t y = top; y <= bottom; ++y) {
      batch.Add(x, y, rule->Apply(world.GetTile(x, y)));
    }
  }
  document.SetTiles(batch);
}

// Every cell of a region is equal, so one new tile serves them all.
void RkMapTools::Fill(int32_t viewX, int32_t viewY) {
  const int32_t mapX = viewX - document.GetOrigin().GetX();
  const int32_t mapY = viewY - document.GetOrigin().GetY();
  if (!document.GetWorld().IsInBounds(mapX, mapY)) return;
  const std::optional<PaintRule> rule = ReadPaintRule(true);
  if (!rule) return;
  if (!fillRegionValid || !fillRegion.Contains(mapX, mapY)) FindFillRegion(mapX, mapY);
  RkCellBatch batch;
  batch.Reserve(fillRegion.GetCells().size());
  const uint32_t tile = batch.IndexOf(rule->Apply(document.GetWorld().GetTile(mapX, mapY)));
  for (const auto& [x, y] : fillRegion.GetCells()) {
    batch.Add(x, y, batch.GetTiles()[tile]);
  }
  document.SetTiles(batch);
}

void RkMapTools::Pick(int canvasX, int canvasY) {
  int32_t viewX = 0;
  int32_t viewY = 0;
  ViewCellAt(canvasX, canvasY, viewX, viewY);
  const RkWorld& world = document.GetWorld();
  const int32_t x = viewX - document.GetOrigin().GetX();
  const int32_t y = viewY - document.GetOrigin().GetY();
  if (!world.IsInBounds(x, y)) return;
  const RkTile tile = world.GetTile(x, y);
  const int32_t type = tile.GetType();
  panel.SetPaintingChoice(type >= TileOpen && type <= TileNewArea ? type : RkMapEditor::ChoiceNull);
  if (tile.GetImageFile()[0] != '\0') {
    useTileImage(tile.GetImageFile());
  } else {
    panel.SetTileImageFile("");
    panel.SetTileSprite(nullptr);
  }
  if (type == TileNewArea) {
    panel.SetNewAreaFile(tile.GetNewAreaName());
    panel.SetNewAreaLabel(RkPathParts::FileName(tile.GetNewAreaName()).c_str());
    panel.SetStartX(std::to_string(tile.GetNewAreaStartX()).c_str());
    panel.SetStartY(std::to_string(tile.GetNewAreaStartY()).c_str());
  }
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    if (world.GetNPCX(i) != x || world.GetNPCY(i) != y) continue;
    for (int entry = 0; entry < panel.GetNPCNameCount(); ++entry) {
      if (world.GetNPC(i).GetName() == std::string(panel.GetNPCName(entry))) {
        panel.SetNPCSelection(entry);
        return;
      }
    }
  }
}

void RkMapTools::Copy() {
  hint.clear();
  if (!selection) {
    hint = kNothingSelected;
    return;
  }
  RkCellBlock block = RkCellBlock::Copy(document.GetWorld(), ToMapCells(*selection));
  if (block.IsEmpty()) {
    hint = kSelectionOutside;
    return;
  }
  clipboard = std::move(block);
}

void RkMapTools::Cut() {
  Copy();
  if (hint.empty()) EraseSelection();
}

void RkMapTools::Delete() {
  hint.clear();
  if (!selection) {
    hint = kNothingSelected;
    return;
  }
  EraseSelection();
}

// One step of its own, whatever stroke the mouse has open.
void RkMapTools::EraseSelection() {
  const RkWorld& world = document.GetWorld();
  const RkCellRect rect = ToMapCells(*selection);
  document.EndStroke();
  document.BeginStroke();
  RkCellBatch batch;
  for (int32_t x = std::max(rect.left, 0); x <= std::min(rect.right, world.GetWidth() - 1); ++x) {
    for (int32_t y = std::max(rect.top, 0); y <= std::min(rect.bottom, world.GetHeight() - 1); ++y) {
      batch.Add(x, y, RkTile());
    }
  }
  document.SetTiles(batch);
  RemoveNPCsIn(rect);
  document.EndStroke();
}

void RkMapTools::RemoveNPCsIn(const RkCellRect& rect) {
  const RkWorld& world = document.GetWorld();
  std::vector<std::pair<int32_t, int32_t>> cells;
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    if (rect.Contains(world.GetNPCX(i), world.GetNPCY(i))) cells.emplace_back(world.GetNPCX(i), world.GetNPCY(i));
  }
  std::sort(cells.begin(), cells.end());
  cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
  for (const auto& [x, y] : cells) {
    if (world.IsInBounds(x, y)) document.RemoveNPCsAt(x, y);
  }
}

void RkMapTools::BeginPaste() {
  hint.clear();
  if (clipboard.IsEmpty()) {
    hint = kNothingCopied;
    return;
  }
  pasting = true;
}

// The block's top-left cell lands on the view cell; cells and NPCs come as
// they were copied, New Area links unchanged.
void RkMapTools::PlacePaste(int32_t viewX, int32_t viewY) {
  pasting = false;
  const RkCellRect viewRect{viewX, viewY, viewX + clipboard.GetWidth() - 1, viewY + clipboard.GetHeight() - 1};
  RkCellRect rect = PlaceOnMap(viewRect);
  if (!GrowToCover(rect)) return;
  RkCellBatch batch;
  batch.Reserve(static_cast<std::size_t>(clipboard.GetWidth()) * clipboard.GetHeight());
  for (int32_t x = 0; x < clipboard.GetWidth(); ++x) {
    for (int32_t y = 0; y < clipboard.GetHeight(); ++y) {
      batch.Add(rect.left + x, rect.top + y, clipboard.GetTile(x, y));
    }
  }
  document.SetTiles(batch);
  for (RkNPC npc : clipboard.GetNPCs()) {
    npc.SetPosition(rect.left + npc.GetX(), rect.top + npc.GetY());
    document.PutNPC(npc);
  }
}

bool RkMapTools::Escape() {
  if (pasting) {
    pasting = false;
    return true;
  }
  if (selection || drag) {
    selection.reset();
    drag.reset();
    return true;
  }
  return false;
}

std::string RkMapTools::Describe() const {
  if (pasting) {
    return "Paste " + std::to_string(clipboard.GetWidth()) + " x " + std::to_string(clipboard.GetHeight()) +
           ": click to place, Esc drops it";
  }
  std::string text = RkToolStrip::NameOf(panel.GetTool());
  const std::optional<RkCellRect>& rect = drag ? drag : selection;
  if (rect) text += " " + std::to_string(rect->GetWidth()) + " x " + std::to_string(rect->GetHeight());
  return text;
}
