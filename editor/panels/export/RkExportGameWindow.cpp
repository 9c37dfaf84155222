// The Export Game window: the target, the copy's progress and the report.
#include "RkExportGameWindow.h"

#include <imgui.h>

#include <cstring>
#include <filesystem>
#include <utility>

#include "RkFontFinder.h"

namespace fs = std::filesystem;

namespace {

constexpr float kWindowWidth = 600.0f;
constexpr float kWindowHeight = 400.0f;
constexpr float kWindowCorner = 140.0f;
constexpr std::size_t kTargetCapacity = 1024;

// "/home/maker/moss" gives "/home/maker/moss-export": beside the game, never
// inside it (the export would otherwise find itself next time).
std::string TargetBeside(const std::string& folder) {
  std::error_code error;
  fs::path game = fs::absolute(folder.empty() ? "." : folder, error).lexically_normal();
  if (game.filename().empty()) game = game.parent_path();
  return (game.parent_path() / (game.filename().string() + "-export")).string();
}

}  // namespace

RkExportGameWindow::RkExportGameWindow(std::string gameProgram, ExportGate mayExport)
    : gameProgram(std::move(gameProgram)), mayExport(std::move(mayExport)) {}

RkExportGameWindow::~RkExportGameWindow() {
  stop = true;
  if (copier.joinable()) copier.join();
}

void RkExportGameWindow::Open(const std::string& gameFolder) {
  if (state == State::Copying) return;  // the running copy stays on show
  folder = gameFolder;
  if (state == State::Closed) target = TargetBeside(folder);
  state = State::Choosing;
  placeWindow = true;
}

void RkExportGameWindow::Poll() {
  if (state == State::Copying && copied) FinishCopy();
  if (closePressed) {
    closePressed = false;
    if (state != State::Copying) state = State::Closed;
  }
  if (exportPressed) {
    exportPressed = false;
    if (state == State::Choosing && (!mayExport || mayExport())) Start();
  }
}

// Collected and checked here; copied on the thread.
void RkExportGameWindow::Start() {
  RkGameExporter::Setup setup;
  setup.folder = folder;
  setup.out = target;
  setup.program = gameProgram;
  setup.font = RkFontFinder::Find("Arial");
  exporter = std::make_unique<RkGameExporter>(setup);
  if (!exporter->Prepare(report)) {
    state = State::Done;
    return;
  }
  stop = false;
  copied = false;
  doneBytes = 0;
  totalBytes = 0;
  state = State::Copying;
  copier = std::thread([this] {
    exporter->Finish(report, [this](const RkExportWriter::Progress& progress) {
      doneBytes = progress.doneBytes;
      totalBytes = progress.totalBytes;
      {
        std::lock_guard<std::mutex> lock(pathMutex);
        copyingPath = progress.path;
      }
      return !stop;
    });
    copied = true;
  });
}

void RkExportGameWindow::FinishCopy() {
  if (copier.joinable()) copier.join();
  state = State::Done;
}

void RkExportGameWindow::WaitForCopy() {
  if (copier.joinable()) copier.join();
  Poll();
}

float RkExportGameWindow::GetProgress() const {
  const uint64_t total = totalBytes;
  return total == 0 ? 0.0f : static_cast<float>(static_cast<double>(doneBytes) / static_cast<double>(total));
}

std::string RkExportGameWindow::GetCopyingPath() const {
  std::lock_guard<std::mutex> lock(pathMutex);
  return copyingPath;
}

std::vector<std::string> RkExportGameWindow::GetReportLines() const {
  std::vector<std::string> lines;
  if (report.written) lines.push_back("The game is in " + target + ": run play there to start it.");
  for (const std::string& line : report.ToLines()) lines.push_back(line);
  return lines;
}

void RkExportGameWindow::Draw() {
  if (state == State::Closed) return;
  if (placeWindow) {
    ImGui::SetNextWindowPos(ImVec2(kWindowCorner, kWindowCorner));
    ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight));
    placeWindow = false;
  }
  bool keepOpen = true;
  if (ImGui::Begin(kTitle, &keepOpen, ImGuiWindowFlags_NoCollapse)) {
    switch (state) {
      case State::Choosing: DrawChoosing(); break;
      case State::Copying: DrawCopying(); break;
      case State::Done: DrawDone(); break;
      case State::Closed: break;
    }
  }
  ImGui::End();
  if (!keepOpen) closePressed = true;
}

void RkExportGameWindow::DrawChoosing() {
  ImGui::TextWrapped("The game of this folder goes to players as one folder: the maps its first map reaches, "
                     "their images, the game program, its font and libraries. The maps are checked first.");
  ImGui::Spacing();
  ImGui::TextUnformatted("Export into (a new or empty folder):");
  char buffer[kTargetCapacity];
  std::strncpy(buffer, target.c_str(), sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  ImGui::SetNextItemWidth(-1.0f);
  if (ImGui::InputText("##target", buffer, sizeof buffer)) target = buffer;
  ImGui::Spacing();
  if (ImGui::Button("Export")) exportPressed = true;
  ImGui::SameLine();
  if (ImGui::Button("Close")) closePressed = true;
}

void RkExportGameWindow::DrawCopying() {
  ImGui::TextWrapped("Copying %s", GetCopyingPath().c_str());
  const std::string done = RkGameExporter::SizeText(doneBytes) + " of " + RkGameExporter::SizeText(totalBytes);
  ImGui::ProgressBar(GetProgress(), ImVec2(-1.0f, 0.0f), done.c_str());
  if (ImGui::Button("Stop")) PressStop();
}

void RkExportGameWindow::DrawDone() {
  const float buttonsHeight = ImGui::GetFrameHeightWithSpacing();
  ImGui::BeginChild("report", ImVec2(0.0f, -buttonsHeight), true, ImGuiWindowFlags_HorizontalScrollbar);
  for (const std::string& line : GetReportLines()) ImGui::TextWrapped("%s", line.c_str());
  ImGui::EndChild();
  if (ImGui::Button("Close")) closePressed = true;
  ImGui::SameLine();
  if (ImGui::Button("Export Again")) state = State::Choosing;
}
