// The findings list of Tools > Check Maps, and the way from a finding to its cell.
#include "RkCheckMapsWindow.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "RkMapChecker.h"
#include "RkMapPath.h"

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
  RkMapChecker checker(folder);
  unsavedMap.clear();
  if (isMapUnsaved && isMapUnsaved()) unsavedMap = EditedMapInFolder();
  if (!unsavedMap.empty()) checker.UseWorldFor(unsavedMap, world);
  findings = checker.Check();
  picked.reset();
  placeWindow = !open;
  open = true;
}

// The edited map's file name when its file lies in the checked folder (paths
// from the file dialog may be absolute, the folder relative); empty otherwise.
std::string RkCheckMapsWindow::EditedMapInFolder() const {
  namespace fs = std::filesystem;
  if (world.GetFileName().empty()) return "";
  std::error_code error;
  const fs::path file = fs::absolute(world.GetFileName(), error).lexically_normal();
  if (error) return "";
  const fs::path checked = fs::absolute(folder.empty() ? "." : folder, error).lexically_normal();
  if (error) return "";
  const auto withoutSlash = [](const fs::path& path) {
    std::string text = path.generic_string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
  };
  if (withoutSlash(file.parent_path()) != withoutSlash(checked)) return "";
  return file.filename().string();
}

std::string RkCheckMapsWindow::LineOf(const RkMapFinding& finding) const {
  if (unsavedMap.empty() || finding.GetFile() != unsavedMap) return finding.ToLine();
  const std::string shown = finding.GetFile() + " (unsaved)";
  if (finding.HasCell()) {
    return RkMapFinding(finding.GetSeverity(), shown, finding.GetX(), finding.GetY(), finding.GetSentence()).ToLine();
  }
  return RkMapFinding(finding.GetSeverity(), shown, finding.GetSentence()).ToLine();
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
  if (RkMapPath::Normalized(world.GetFileName().c_str()) == RkMapPath::Normalized(file.string().c_str())) {
    return true;
  }
  return loadMap(file.string());
}

// The cell's centre goes to the canvas's centre, at the zoom the user chose.
void RkCheckMapsWindow::CentreOn(int32_t cellX, int32_t cellY, int canvasWidth, int canvasHeight) {
  const float zoom = view.GetZoom();
  constexpr int kCell = RkGridMath::kCellSize;
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
    if (!unsavedMap.empty()) {
      const std::string note = unsavedMap + " (unsaved) is checked as it is in the editor, not as its file holds it.";
      ImGui::TextWrapped("%s", note.c_str());
    }
    ImGui::Separator();
    ImGui::BeginChild("##findings", ImVec2(0, 0), false);
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
  // The line wraps at the window's edge: the whole row, every line of it, is the click.
  const std::string line = LineOf(finding);
  const float wrapWidth = ImGui::GetContentRegionAvail().x;
  const ImVec2 textSize = ImGui::CalcTextSize(line.c_str(), nullptr, false, wrapWidth);
  const ImVec2 corner = ImGui::GetCursorScreenPos();
  if (ImGui::Selectable("##finding", false, 0, ImVec2(0.0f, textSize.y))) Pick(index);
  ImGui::GetWindowDrawList()->AddText(ImGui::GetFont(), ImGui::GetFontSize(), corner,
                                      ImGui::GetColorU32(ImGuiCol_Text), line.c_str(), nullptr, wrapWidth);
  ImGui::PopStyleColor();
  ImGui::PopID();
}
