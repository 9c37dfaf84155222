// Drawing the tools' previews in view cells.
#include "RkToolPreview.h"

#include <imgui.h>

#include <algorithm>

#include "RkGridMath.h"

namespace {

constexpr ImU32 kHoverOutline = IM_COL32(255, 255, 255, 200);
constexpr ImU32 kPaintFill = IM_COL32(255, 220, 60, 70);
constexpr ImU32 kPaintOutline = IM_COL32(255, 220, 60, 255);
constexpr ImU32 kSelectFill = IM_COL32(80, 200, 255, 40);
constexpr ImU32 kSelectOutline = IM_COL32(80, 200, 255, 255);
constexpr ImU32 kPasteFill = IM_COL32(120, 255, 140, 70);
constexpr ImU32 kPasteOutline = IM_COL32(120, 255, 140, 255);
constexpr ImU32 kPasteNPC = IM_COL32(60, 200, 60, 255);
constexpr ImU32 kNone = 0;

}  // namespace

struct RkToolPreview::Frame {
  ImDrawList* list;
  float top;
  float cellSize;
  // The view cells that reach into the canvas.
  RkCellRect visible;

  ImVec2 Corner(const RkCanvasView& view, int64_t viewX, int64_t viewY) const {
    return ImVec2(view.ToCanvasX(double{RkGridMath::kCellSize} * viewX),
                  top + view.ToCanvasY(double{RkGridMath::kCellSize} * viewY));
  }
};

void RkToolPreview::Draw(int canvasTop, int width, int height) const {
  if (!tools.IsHovering() && !tools.GetSelection() && !tools.GetDrag()) return;
  ImDrawList* list = ImGui::GetBackgroundDrawList();
  const float top = static_cast<float>(canvasTop);
  list->PushClipRect(ImVec2(0, top), ImVec2(static_cast<float>(width), top + height));
  Frame frame{list, top, RkGridMath::kCellSize * view.GetZoom(), {}};
  view.CellAt(0, 0, frame.visible.left, frame.visible.top);
  view.CellAt(width - 1, height - 1, frame.visible.right, frame.visible.bottom);
  if (tools.GetSelection()) DrawRect(frame, *tools.GetSelection(), kSelectFill, kSelectOutline);
  if (tools.GetDrag()) {
    const bool selecting = tools.GetTool() == RkMapEditor::Tool::Select;
    DrawRect(frame, *tools.GetDrag(), selecting ? kSelectFill : kPaintFill,
             selecting ? kSelectOutline : kPaintOutline);
  } else if (tools.IsPasting()) {
    if (tools.IsHovering()) DrawPaste(frame);
  } else if (tools.IsHovering()) {
    if (tools.GetTool() == RkMapEditor::Tool::Fill) DrawFillRegion(frame);
    DrawRect(frame, {tools.GetHoverX(), tools.GetHoverY(), tools.GetHoverX(), tools.GetHoverY()}, kNone,
             kHoverOutline);
  }
  list->PopClipRect();
}

void RkToolPreview::DrawRect(const Frame& frame, const RkCellRect& viewRect, unsigned fill, unsigned outline) const {
  // Only the part in view is drawn: a rectangle of a million cells costs no more.
  const int64_t left = std::max<int64_t>(viewRect.left, frame.visible.left - 1);
  const int64_t top = std::max<int64_t>(viewRect.top, frame.visible.top - 1);
  const int64_t right = std::min<int64_t>(viewRect.right, frame.visible.right + 1);
  const int64_t bottom = std::min<int64_t>(viewRect.bottom, frame.visible.bottom + 1);
  if (left > right || top > bottom) return;
  const ImVec2 corner = frame.Corner(view, left, top);
  const ImVec2 far = frame.Corner(view, right + 1, bottom + 1);
  if (fill != kNone) frame.list->AddRectFilled(corner, far, fill);
  frame.list->AddRect(corner, far, outline, 0.0f, 0, 2.0f);
}

// The region's cells in view, in runs down each column.
void RkToolPreview::DrawFillRegion(const Frame& frame) const {
  const RkFloodFill& region = tools.GetFillRegion();
  if (region.IsEmpty()) return;
  for (int32_t viewX = frame.visible.left; viewX <= frame.visible.right; ++viewX) {
    for (int32_t viewY = frame.visible.top; viewY <= frame.visible.bottom;) {
      if (!region.Contains(viewX - origin.GetX(), viewY - origin.GetY())) {
        ++viewY;
        continue;
      }
      int32_t runEnd = viewY + 1;
      while (runEnd <= frame.visible.bottom && region.Contains(viewX - origin.GetX(), runEnd - origin.GetY())) {
        ++runEnd;
      }
      const ImVec2 corner = frame.Corner(view, viewX, viewY);
      frame.list->AddRectFilled(corner, ImVec2(corner.x + frame.cellSize, frame.Corner(view, viewX, runEnd).y),
                                kPaintFill);
      viewY = runEnd;
    }
  }
}

// The block's outline under the mouse, its NPCs as dots at their cells.
void RkToolPreview::DrawPaste(const Frame& frame) const {
  const RkCellBlock& block = tools.GetClipboard();
  const int32_t left = tools.GetHoverX();
  const int32_t top = tools.GetHoverY();
  DrawRect(frame, {left, top, left + block.GetWidth() - 1, top + block.GetHeight() - 1}, kPasteFill,
           kPasteOutline);
  for (const RkNPC& npc : block.GetNPCs()) {
    const ImVec2 corner = frame.Corner(view, int64_t{left} + npc.GetX(), int64_t{top} + npc.GetY());
    frame.list->AddCircleFilled(ImVec2(corner.x + frame.cellSize / 2, corner.y + frame.cellSize / 2),
                                frame.cellSize / 4, kPasteNPC);
  }
}
