// Drawing the tools' previews in view cells.
#include "RkToolPreview.h"

#include <SDL.h>
#include <imgui.h>

#include <algorithm>

#include "RkGridMath.h"
#include "RkSprite.h"

namespace {

constexpr ImU32 kHoverOutline = IM_COL32(255, 255, 255, 200);
constexpr ImU32 kPaintFill = IM_COL32(255, 220, 60, 110);
constexpr ImU32 kPaintOutline = IM_COL32(255, 220, 60, 255);
constexpr ImU32 kSelectOutline = IM_COL32(80, 200, 255, 255);
constexpr ImU32 kPasteImageTint = IM_COL32(255, 255, 255, 170);
constexpr ImU32 kPasteOutline = IM_COL32(120, 255, 140, 255);
constexpr ImU32 kPasteNPC = IM_COL32(60, 200, 60, 255);
constexpr ImU32 kNone = 0;
// A paste shows its images while it covers at most this many cells in view;
// beyond that, drawing them all would slow every frame down, so only its
// outline and tint follow the mouse.
constexpr int64_t kMostPasteImages = 256;

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

RkToolPreview::~RkToolPreview() = default;

void RkToolPreview::Draw(int canvasTop, int width, int height, SDL_Renderer* renderDevice) {
  device = renderDevice;
  if (!tools.IsHovering() && !tools.GetSelection() && !tools.GetDrag()) return;
  ImDrawList* list = ImGui::GetBackgroundDrawList();
  const float top = static_cast<float>(canvasTop);
  list->PushClipRect(ImVec2(0, top), ImVec2(static_cast<float>(width), top + height));
  Frame frame{list, top, RkGridMath::kCellSize * view.GetZoom(), {}};
  view.CellAt(0, 0, frame.visible.left, frame.visible.top);
  view.CellAt(width - 1, height - 1, frame.visible.right, frame.visible.bottom);
  // A selection and a paste are outlined only: a tint over a large one would
  // cost every frame the blending of the whole canvas.
  if (tools.GetSelection()) DrawRect(frame, *tools.GetSelection(), kNone, kSelectOutline);
  if (tools.GetDrag()) {
    const bool selecting = tools.GetTool() == RkMapEditor::Tool::Select;
    DrawRect(frame, *tools.GetDrag(), selecting ? kNone : kPaintFill, selecting ? kSelectOutline : kPaintOutline);
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

// The block under the mouse: its images faded in the cells in view, its
// outline, its NPCs as dots at their cells.
void RkToolPreview::DrawPaste(const Frame& frame) {
  const RkCellBlock& block = tools.GetClipboard();
  const int32_t left = tools.GetHoverX();
  const int32_t top = tools.GetHoverY();
  const int32_t firstX = std::max(frame.visible.left, left);
  const int32_t lastX = std::min<int64_t>(frame.visible.right, int64_t{left} + block.GetWidth() - 1);
  const int32_t firstY = std::max(frame.visible.top, top);
  const int32_t lastY = std::min<int64_t>(frame.visible.bottom, int64_t{top} + block.GetHeight() - 1);
  const int64_t cellsInView = (int64_t{lastX} - firstX + 1) * (int64_t{lastY} - firstY + 1);
  for (int32_t viewX = firstX; viewX <= lastX && cellsInView <= kMostPasteImages; ++viewX) {
    for (int32_t viewY = firstY; viewY <= lastY; ++viewY) {
      const RkSprite* image = ImageOf(block.GetTile(viewX - left, viewY - top).GetImageFile());
      SDL_Texture* texture = image != nullptr ? image->GetTexture() : nullptr;
      int textureWidth = 0;
      int textureHeight = 0;
      if (texture == nullptr || SDL_QueryTexture(texture, nullptr, nullptr, &textureWidth, &textureHeight) != 0 ||
          textureWidth == 0 || textureHeight == 0) {
        continue;
      }
      const RkRect source = image->GetSourceRect();
      const ImVec2 corner = frame.Corner(view, viewX, viewY);
      frame.list->AddImage(reinterpret_cast<ImTextureID>(texture), corner,
                           ImVec2(corner.x + frame.cellSize, corner.y + frame.cellSize),
                           ImVec2(static_cast<float>(source.left) / textureWidth,
                                  static_cast<float>(source.top) / textureHeight),
                           ImVec2(static_cast<float>(source.right) / textureWidth,
                                  static_cast<float>(source.bottom) / textureHeight),
                           kPasteImageTint);
    }
  }
  DrawRect(frame, {left, top, left + block.GetWidth() - 1, top + block.GetHeight() - 1}, kNone, kPasteOutline);
  for (const RkNPC& npc : block.GetNPCs()) {
    const ImVec2 corner = frame.Corner(view, int64_t{left} + npc.GetX(), int64_t{top} + npc.GetY());
    frame.list->AddCircleFilled(ImVec2(corner.x + frame.cellSize / 2, corner.y + frame.cellSize / 2),
                                frame.cellSize / 4, kPasteNPC);
  }
}

const RkSprite* RkToolPreview::ImageOf(const char* file) {
  if (file[0] == '\0' || device == nullptr) return nullptr;
  auto known = images.find(file);
  if (known == images.end()) {
    std::unique_ptr<RkSprite> sprite;
    if (RkSprite::TryLoadImage(device, file, RkGridMath::kCellSize, RkGridMath::kCellSize, false).empty()) {
      const RkVector3 zero{0.0f, 0.0f, 0.0f};
      sprite = std::make_unique<RkSprite>(device, file, RkGridMath::kCellSize, RkGridMath::kCellSize, zero, zero,
                                          RK_COLOR_WHITE, 0, 0);
    }
    known = images.emplace(file, std::move(sprite)).first;
  }
  return known->second.get();
}
