// The findings list of Tools > Check Maps, and the way from a finding to its cell.
#include "RkCheckMapsWindow.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "RkMapChecker.h"
#include "RkMapLinks.h"

namespace {

// Below the canvas's centre, where a picked cell is shown, and right of the map panel.
constexpr float kLeft = 400.0f;
constexpr float kTop = 400.0f;
constexpr float kWidth = 480.0f;
constexpr float kHeight = 240.0f;
const ImVec4 kErrorColour(0.7f, 0.05f, 0.05f, 1.0f);
const ImVec4 kWarningColour(0.55f, 0.4f, 0.0f, 1.0f);

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

RkCheckMapsWindow::RkCheckMapsWindow(const RkWorld& world, RkCanvasView& view, const RkEntity& origin,
                                     MapLoader loadMap)
    : world(world), view(view), origin(origin), loadMap(std::move(loadMap)) {}

void RkCheckMapsWindow::Open(const std::string& checkedFolder) {
  folder = checkedFolder;
  findings = RkMapChecker(folder).Check();
  picked.reset();
  placeWindow = !open;
  open = true;
}

std::string RkCheckMapsWindow::Summary() const {
  const std::size_t errors =
      static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(), [](const RkMapFinding& f) {
        return f.IsError();
      }));
  if (findings.empty()) return "No errors and no warnings.";
  return Counted(errors, "error", "errors") + ", " + Counted(findings.size() - errors, "warning", "warnings") +
         ". Click one to see its cell.";
}

void RkCheckMapsWindow::Poll(int canvasWidth, int canvasHeight) {
  if (!picked || *picked >= findings.size()) {
    picked.reset();
    return;
  }
  const RkMapFinding finding = findings[*picked];
  picked.reset();
  if (ShowMapOf(finding) && finding.HasCell()) {
    CentreOn(finding.GetX(), finding.GetY(), canvasWidth, canvasHeight);
  }
}

// Only a map file that is there can be shown ("NPCs.rk", or the missing
// "World.rkm", has no cell to go to). The map being edited is not read again:
// that would throw its edits away.
bool RkCheckMapsWindow::ShowMapOf(const RkMapFinding& finding) {
  const std::filesystem::path file = std::filesystem::path(folder) / finding.GetFile();
  std::error_code error;
  if (file.extension() != ".rkm" || !std::filesystem::is_regular_file(file, error)) return false;
  if (RkMapLinks::Normalized(world.GetFileName().c_str()) == RkMapLinks::Normalized(file.string().c_str())) {
    return true;
  }
  return loadMap(file.string());
}

// The cell's centre goes to the canvas's centre, at the zoom the user chose.
void RkCheckMapsWindow::CentreOn(int32_t cellX, int32_t cellY, int canvasWidth, int canvasHeight) {
  const float zoom = view.GetZoom();
  constexpr int kCell = RkCanvasView::kCellSize;
  const double left = double{kCell} * (cellX + origin.GetX()) + kCell / 2.0 - canvasWidth / 2.0 / zoom;
  const double top = double{kCell} * (cellY + origin.GetY()) + kCell / 2.0 - canvasHeight / 2.0 / zoom;
  view.ShowAt(left, top);
}

void RkCheckMapsWindow::Draw() {
  if (!open) return;
  if (placeWindow) {
    ImGui::SetNextWindowPos(ImVec2(kLeft, kTop), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(kWidth, kHeight), ImGuiCond_Always);
    placeWindow = false;
  }
  bool keepOpen = true;
  if (ImGui::Begin(kTitle, &keepOpen, ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings)) {
    ImGui::TextUnformatted(Summary().c_str());
    ImGui::SameLine();
    if (ImGui::SmallButton("Check Again")) Open(folder);
    ImGui::Separator();
    ImGui::BeginChild("##findings", ImVec2(0, 0), false, ImGuiWindowFlags_HorizontalScrollbar);
    for (std::size_t i = 0; i < findings.size(); ++i) DrawFinding(i);
    ImGui::EndChild();
  }
  ImGui::End();
  if (!keepOpen) open = false;
}

void RkCheckMapsWindow::DrawFinding(std::size_t index) {
  const RkMapFinding& finding = findings[index];
  ImGui::PushID(static_cast<int>(index));
  ImGui::PushStyleColor(ImGuiCol_Text, finding.IsError() ? kErrorColour : kWarningColour);
  if (ImGui::Selectable(finding.ToLine().c_str(), false)) Pick(index);
  ImGui::PopStyleColor();
  ImGui::PopID();
}
