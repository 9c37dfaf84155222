// The ImGui drawing and mouse handling of a tile sheet's cell grid.
#include "RkSheetGrid.h"

#include <imgui.h>

#include <algorithm>

namespace {

constexpr ImU32 kGridLine = IM_COL32(255, 255, 255, 60);
constexpr ImU32 kCurrentFrame = IM_COL32(255, 140, 0, 255);
constexpr ImU32 kSpanFill = IM_COL32(80, 160, 255, 70);
constexpr ImU32 kSpanFrame = IM_COL32(80, 160, 255, 255);

void FrameCells(ImDrawList* list, const ImVec2& corner, const RkSheetGrid::Block& block, ImU32 frame, ImU32 fill) {
  const float cell = RkSheetGrid::kCellShown;
  const ImVec2 from(corner.x + block.column * cell, corner.y + block.row * cell);
  const ImVec2 to(from.x + block.columns * cell, from.y + block.rows * cell);
  if (fill != 0) list->AddRectFilled(from, to, fill);
  list->AddRect(from, to, frame, 0.0f, 0, 2.0f);
}

}  // namespace

RkSheetGrid::Block RkSheetGrid::Spanning(int column1, int row1, int column2, int row2) {
  Block block;
  block.column = std::min(column1, column2);
  block.row = std::min(row1, row2);
  block.columns = std::max(column1, column2) - block.column + 1;
  block.rows = std::max(row1, row2) - block.row + 1;
  return block;
}

bool RkSheetGrid::Draw(const std::string& id, SDL_Texture* texture, int width, int height, int size,
                       const Block* current, bool canPick, Block& picked) {
  const int columns = ColumnsOf(width, size);
  const int rows = RowsOf(height, size);
  if (texture == nullptr || columns <= 0 || rows <= 0) return false;
  const ImVec2 shown(columns * kCellShown, rows * kCellShown);
  const float scrollbar = shown.x > ImGui::GetContentRegionAvail().x ? ImGui::GetStyle().ScrollbarSize : 0.0f;
  ImGui::PushID(id.c_str());
  ImGui::BeginChild("cells", ImVec2(0.0f, std::min(shown.y, kMaxHeight) + scrollbar), false,
                    ImGuiWindowFlags_HorizontalScrollbar);
  const ImVec2 corner = ImGui::GetCursorScreenPos();
  ImGui::InvisibleButton("grid", shown);
  ImDrawList* list = ImGui::GetWindowDrawList();
  // Only whole cells are shown: the texture's right and bottom edges may hold a
  // remainder that is no cell.
  const ImVec2 uvEnd(static_cast<float>(columns * size) / width, static_cast<float>(rows * size) / height);
  const ImU32 tint = canPick ? IM_COL32_WHITE : IM_COL32(255, 255, 255, 100);
  list->AddImage(reinterpret_cast<ImTextureID>(texture), corner, ImVec2(corner.x + shown.x, corner.y + shown.y),
                 ImVec2(0, 0), uvEnd, tint);
  for (int column = 1; column < columns; ++column) {
    const float x = corner.x + column * kCellShown;
    list->AddLine(ImVec2(x, corner.y), ImVec2(x, corner.y + shown.y), kGridLine);
  }
  for (int row = 1; row < rows; ++row) {
    const float y = corner.y + row * kCellShown;
    list->AddLine(ImVec2(corner.x, y), ImVec2(corner.x + shown.x, y), kGridLine);
  }
  if (current != nullptr) FrameCells(list, corner, *current, kCurrentFrame, 0);

  const ImVec2 mouse = ImGui::GetIO().MousePos;
  const int hoverColumn = std::clamp(static_cast<int>((mouse.x - corner.x) / kCellShown), 0, columns - 1);
  const int hoverRow = std::clamp(static_cast<int>((mouse.y - corner.y) / kCellShown), 0, rows - 1);
  if (ImGui::IsItemHovered()) {
    if (size == 32) {
      ImGui::SetTooltip("#%d,%d", hoverColumn, hoverRow);
    } else {
      ImGui::SetTooltip("#%d,%d,%d", hoverColumn, hoverRow, size);
    }
  }
  if (ImGui::IsItemActivated()) {
    dragId = id;
    anchorColumn = hoverColumn;
    anchorRow = hoverRow;
  }
  bool done = false;
  if (dragId == id) {
    const Block span = Spanning(anchorColumn, anchorRow, hoverColumn, hoverRow);
    if (ImGui::IsItemActive()) FrameCells(list, corner, span, kSpanFrame, kSpanFill);
    if (ImGui::IsItemDeactivated()) {
      dragId.clear();
      done = canPick;
      picked = span;
    }
  }
  ImGui::EndChild();
  ImGui::PopID();
  return done;
}
