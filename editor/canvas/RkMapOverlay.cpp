// The overlay's layers, drawn cell by cell over the part of the map in view.
#include "RkMapOverlay.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "RkNPC.h"

namespace {

constexpr ImU32 kGridColor = IM_COL32(255, 255, 255, 72);
constexpr ImU32 kBoundsColor = IM_COL32(255, 214, 0, 255);
constexpr ImU32 kNullFill = IM_COL32(24, 24, 32, 255);
constexpr ImU32 kNullHatch = IM_COL32(90, 90, 110, 255);
constexpr ImU32 kImpassableTint = IM_COL32(255, 40, 40, 80);
constexpr ImU32 kNewAreaTint = IM_COL32(40, 110, 255, 80);
constexpr ImU32 kArrowColor = IM_COL32(140, 220, 255, 255);
constexpr ImU32 kLabelColor = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kShadowColor = IM_COL32(0, 0, 0, 255);
constexpr ImU32 kNormalBadge = IM_COL32(60, 200, 60, 255);
constexpr ImU32 kStaticBadge = IM_COL32(240, 150, 30, 255);
constexpr ImU32 kStartColor = IM_COL32(60, 255, 120, 255);
// Names and letters need room: below this cell size only the shapes are drawn.
constexpr float kLabelCellSize = 32.0f;

// The part after the last slash or backslash.
const char* FileNameOf(const char* path) {
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c) {
    if (*c == '/' || *c == '\\') name = c + 1;
  }
  return name;
}

void DrawLabel(ImDrawList* list, ImVec2 at, const char* text) {
  list->AddText(ImVec2(at.x + 1, at.y + 1), kShadowColor, text);
  list->AddText(at, kLabelColor, text);
}

}  // namespace

// Where the map lies on the window this frame.
struct RkMapOverlay::Frame {
  ImDrawList* list;
  int canvasTop;
  int width;
  int height;
  float cellSize;
  // Window pixel of map cell (0, 0)'s top-left corner.
  float mapLeft;
  float mapTop;

  ImVec2 CellCorner(int cellX, int cellY) const {
    return ImVec2(mapLeft + cellSize * cellX, mapTop + cellSize * cellY);
  }
};

RkMapOverlay::RkMapOverlay(const RkWorld& world, const RkCanvasView& view, const RkEntity& origin)
    : world(world), view(view), origin(origin) {}

void RkMapOverlay::Draw(int canvasTop, int width, int height, bool isStartMap) const {
  if (!layers.grid && !layers.kinds && !layers.links) return;
  ImDrawList* list = ImGui::GetBackgroundDrawList();
  const float top = static_cast<float>(canvasTop);
  list->PushClipRect(ImVec2(0, top), ImVec2(static_cast<float>(width), top + height));
  // Thousands of marks on a zoomed-out map: without anti-aliased edges each is
  // one or two plain triangles, which the software renderer fills several times faster.
  const ImDrawListFlags smoothing = list->Flags;
  list->Flags &= ~(ImDrawListFlags_AntiAliasedLines | ImDrawListFlags_AntiAliasedFill);
  const Frame frame{list,
                    canvasTop,
                    width,
                    height,
                    RkGridMath::kCellSize * view.GetZoom(),
                    view.ToCanvasX(double{RkGridMath::kCellSize} * origin.GetX()),
                    top + view.ToCanvasY(double{RkGridMath::kCellSize} * origin.GetY())};
  int firstX = 0;
  int firstY = 0;
  int lastX = 0;
  int lastY = 0;
  if (VisibleCells(frame, firstX, firstY, lastX, lastY)) {
    if (layers.kinds) DrawKinds(frame, firstX, firstY, lastX, lastY);
    if (layers.grid) DrawGrid(frame, firstX, firstY, lastX, lastY);
    if (layers.links) DrawLinks(frame, firstX, firstY, lastX, lastY);
  }
  if (layers.links) {
    DrawNPCs(frame);
    if (isStartMap && world.IsInBounds(startX, startY)) DrawStartMark(frame);
  }
  list->Flags = smoothing;
  list->PopClipRect();
}

// The map cells that reach into the canvas; false when none does.
bool RkMapOverlay::VisibleCells(const Frame& frame, int& firstX, int& firstY, int& lastX, int& lastY) const {
  int viewLeft = 0;
  int viewTop = 0;
  int viewRight = 0;
  int viewBottom = 0;
  view.CellAt(0, 0, viewLeft, viewTop);
  view.CellAt(frame.width - 1, frame.height - 1, viewRight, viewBottom);
  firstX = std::max(viewLeft - origin.GetX(), 0);
  firstY = std::max(viewTop - origin.GetY(), 0);
  lastX = std::min(viewRight - origin.GetX(), world.GetWidth() - 1);
  lastY = std::min(viewBottom - origin.GetY(), world.GetHeight() - 1);
  return firstX <= lastX && firstY <= lastY;
}

// The tints of Impassable and New Area cells go down in runs of a column, one
// rectangle per run instead of one per cell.
void RkMapOverlay::DrawKinds(const Frame& frame, int firstX, int firstY, int lastX, int lastY) const {
  const float size = frame.cellSize;
  for (int x = firstX; x <= lastX; ++x) {
    for (int y = firstY; y <= lastY;) {
      const int type = world.GetTileType(x, y);
      if (type == TileNull) DrawNullCell(frame, x, y);
      int runEnd = y + 1;
      while (runEnd <= lastY && world.GetTileType(x, runEnd) == type) {
        if (type == TileNull) DrawNullCell(frame, x, runEnd);
        ++runEnd;
      }
      if (type == TileImpassable || type == TileNewArea) {
        const ImVec2 corner = frame.CellCorner(x, y);
        frame.list->AddRectFilled(corner, ImVec2(corner.x + size, frame.CellCorner(x, runEnd).y),
                                  type == TileImpassable ? kImpassableTint : kNewAreaTint);
      }
      y = runEnd;  // Open: the image alone
    }
  }
}

// Empty filler inside the map: dark, crossed by one hatch line (two more when large).
void RkMapOverlay::DrawNullCell(const Frame& frame, int x, int y) const {
  const float size = frame.cellSize;
  const ImVec2 corner = frame.CellCorner(x, y);
  const ImVec2 end(corner.x + size, corner.y + size);
  frame.list->AddRectFilled(corner, end, kNullFill);
  frame.list->AddLine(ImVec2(corner.x, end.y), ImVec2(end.x, corner.y), kNullHatch);
  if (size >= kLabelCellSize) {
    frame.list->AddLine(ImVec2(corner.x, corner.y + size / 2), ImVec2(corner.x + size / 2, corner.y), kNullHatch);
    frame.list->AddLine(ImVec2(corner.x + size / 2, end.y), ImVec2(end.x, corner.y + size / 2), kNullHatch);
  }
}

// Thin lines between the cells in view, then the map's bounds drawn clearly.
void RkMapOverlay::DrawGrid(const Frame& frame, int firstX, int firstY, int lastX, int lastY) const {
  const ImVec2 topLeft = frame.CellCorner(firstX, firstY);
  const ImVec2 bottomRight = frame.CellCorner(lastX + 1, lastY + 1);
  for (int x = firstX + 1; x <= lastX; ++x) {
    // A one-pixel rectangle on the left cell's last column: the renderer fills
    // it as a plain rectangle, where a line would be two textured triangles.
    const float lineX = std::round(frame.CellCorner(x, 0).x);
    frame.list->AddRectFilled(ImVec2(lineX - 1, topLeft.y), ImVec2(lineX, bottomRight.y), kGridColor);
  }
  for (int y = firstY + 1; y <= lastY; ++y) {
    const float lineY = std::round(frame.CellCorner(0, y).y);
    frame.list->AddRectFilled(ImVec2(topLeft.x, lineY - 1), ImVec2(bottomRight.x, lineY), kGridColor);
  }
  const ImVec2 mapEnd = frame.CellCorner(world.GetWidth(), world.GetHeight());
  const ImVec2 mapStart = frame.CellCorner(0, 0);
  frame.list->AddRect(ImVec2(mapStart.x - 1, mapStart.y - 1), ImVec2(mapEnd.x + 1, mapEnd.y + 1), kBoundsColor, 0.0f,
                      0, 2.0f);
}

// An arrow to the right on each New Area cell, with the target's file name when
// there is room for it.
void RkMapOverlay::DrawLinks(const Frame& frame, int firstX, int firstY, int lastX, int lastY) const {
  const float size = frame.cellSize;
  for (int x = firstX; x <= lastX; ++x) {
    for (int y = firstY; y <= lastY; ++y) {
      if (world.GetTileType(x, y) != TileNewArea) continue;
      const ImVec2 corner = frame.CellCorner(x, y);
      frame.list->AddTriangleFilled(ImVec2(corner.x + size * 0.3f, corner.y + size * 0.2f),
                                    ImVec2(corner.x + size * 0.8f, corner.y + size * 0.45f),
                                    ImVec2(corner.x + size * 0.3f, corner.y + size * 0.7f), kArrowColor);
      if (size >= kLabelCellSize) {
        // Clipped to its own cell: a long name would cover the next cells'
        // labels; the tooltip over the cell gives it whole.
        frame.list->PushClipRect(corner, ImVec2(corner.x + size, corner.y + size), true);
        DrawLabel(frame.list, ImVec2(corner.x + 1, corner.y + size - ImGui::GetFontSize()),
                  FileNameOf(world.GetTileNewAreaName(x, y)));
        frame.list->PopClipRect();
      }
    }
  }
}

// A round badge in the cell's top-left corner: green for an NPC that wanders,
// orange for one that stands, with its letter when there is room.
void RkMapOverlay::DrawNPCs(const Frame& frame) const {
  const float size = frame.cellSize;
  const float radius = std::max(2.0f, size * 0.16f);
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    const ImVec2 corner = frame.CellCorner(npc.GetX(), npc.GetY());
    if (corner.x > frame.width || corner.y > frame.canvasTop + frame.height || corner.x + size < 0 ||
        corner.y + size < frame.canvasTop) {
      continue;
    }
    const bool wanders = npc.GetType() == NPCNormal;
    const ImVec2 center(corner.x + radius + 1, corner.y + radius + 1);
    frame.list->AddCircleFilled(center, radius, wanders ? kNormalBadge : kStaticBadge);
    if (size >= kLabelCellSize) {
      const char* letter = wanders ? "N" : "S";
      const ImVec2 extent = ImGui::CalcTextSize(letter);
      frame.list->AddText(ImVec2(center.x - extent.x / 2, center.y - extent.y / 2), kShadowColor, letter);
    }
  }
}

// On the start map: a bright frame round the start cell, where the player appears.
void RkMapOverlay::DrawStartMark(const Frame& frame) const {
  const float size = frame.cellSize;
  const ImVec2 corner = frame.CellCorner(startX, startY);
  frame.list->AddRect(ImVec2(corner.x + 2, corner.y + 2), ImVec2(corner.x + size - 2, corner.y + size - 2),
                      kStartColor, 0.0f, 0, 3.0f);
  if (size >= kLabelCellSize) {
    const ImVec2 extent = ImGui::CalcTextSize("P");
    DrawLabel(frame.list, ImVec2(corner.x + size - extent.x - 4, corner.y + 3), "P");
  }
}
