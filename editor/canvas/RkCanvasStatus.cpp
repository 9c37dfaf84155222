// The texts of the status bar and tooltip, and their ImGui windows.
#include "RkCanvasStatus.h"

#include <imgui.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "RkNPC.h"

namespace {

const char* KindName(int type) {
  switch (type) {
    case TileOpen:
      return "Open";
    case TileImpassable:
      return "Impassable";
    case TileNewArea:
      return "New Area";
    default:
      return "Null";
  }
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
  char buffer[1200];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  return buffer;
}

}  // namespace

RkCanvasStatus::RkCanvasStatus(const RkWorld& world, const RkCanvasView& view, const RkEntity& origin)
    : world(world), view(view), origin(origin) {}

void RkCanvasStatus::MapCellAt(int canvasX, int canvasY, int& cellX, int& cellY) const {
  view.CellAt(canvasX, canvasY, cellX, cellY);
  cellX -= origin.GetX();
  cellY -= origin.GetY();
}

std::string RkCanvasStatus::DescribeMapAndZoom() const {
  return Format("Map %d x %d   Zoom %d %%", world.GetWidth(), world.GetHeight(),
                static_cast<int>(std::lround(view.GetZoom() * 100.0f)));
}

std::string RkCanvasStatus::DescribeCell(int canvasX, int canvasY, bool onCanvas) const {
  if (!onCanvas) return DescribeMapAndZoom();
  int x = 0;
  int y = 0;
  MapCellAt(canvasX, canvasY, x, y);
  std::string cell = Format("Cell (%d, %d)   ", x, y);
  if (!world.IsInBounds(x, y)) {
    cell += "outside the map";
  } else {
    const int type = world.GetTileType(x, y);
    const char* image = world.GetTileImageFile(x, y);
    cell += Format("%s   %s", KindName(type), image[0] != '\0' ? image : "no image");
    if (type == TileNewArea) {
      cell += Format("   -> %s (%d, %d)", world.GetTileNewAreaName(x, y), world.GetTileNewAreaStartX(x, y),
                     world.GetTileNewAreaStartY(x, y));
    }
  }
  return cell + "   |   " + DescribeMapAndZoom();
}

std::string RkCanvasStatus::DescribeLinks(int canvasX, int canvasY) const {
  int x = 0;
  int y = 0;
  MapCellAt(canvasX, canvasY, x, y);
  if (!world.IsInBounds(x, y)) return "";
  std::string lines;
  if (world.GetTileType(x, y) == TileNewArea) {
    lines += Format("New Area: %s, start (%d, %d)\n", world.GetTileNewAreaName(x, y),
                    world.GetTileNewAreaStartX(x, y), world.GetTileNewAreaStartY(x, y));
  }
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    if (npc.GetX() == x && npc.GetY() == y) {
      lines += Format("NPC: %s (%s)\n", npc.GetName(), npc.GetType() == NPCNormal ? "Normal, wanders" : "Static, stands");
    }
  }
  if (!lines.empty()) lines.pop_back();
  return lines;
}

void RkCanvasStatus::Draw(int windowWidth, int windowHeight, int canvasX, int canvasY, bool onCanvas,
                          const std::string& hint, const std::string& tool) const {
  const float barHeight = ImGui::GetFrameHeight();
  ImGui::SetNextWindowPos(ImVec2(0.0f, windowHeight - barHeight));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(windowWidth), barHeight));
  constexpr ImGuiWindowFlags kBarFlags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                                         ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing |
                                         ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoBringToFrontOnFocus;
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(6.0f, 3.0f));
  if (ImGui::Begin("##status", nullptr, kBarFlags)) {
    if (!tool.empty()) {
      ImGui::TextColored(ImVec4(0.05f, 0.25f, 0.65f, 1.0f), "%s", tool.c_str());
      ImGui::SameLine(0.0f, 18.0f);
    }
    ImGui::TextUnformatted(DescribeCell(canvasX, canvasY, onCanvas).c_str());
    if (!hint.empty()) {
      ImGui::SameLine(0.0f, 24.0f);
      ImGui::TextColored(ImVec4(1.0f, 0.85f, 0.3f, 1.0f), "%s", hint.c_str());
    }
  }
  ImGui::End();
  ImGui::PopStyleVar();
  if (!onCanvas) return;
  const std::string links = DescribeLinks(canvasX, canvasY);
  if (!links.empty()) {
    ImGui::BeginTooltip();
    ImGui::TextUnformatted(links.c_str());
    ImGui::EndTooltip();
  }
}
