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

// "/home/maker/moss" gives "/home/maker/moss-export" (for the web
// "/home/maker/moss-web"): beside the game, never inside it (the export would
// otherwise find itself next time).
std::string TargetBeside(const std::string& folder, RkExportGameWindow::Audience audience) {
  std::error_code error;
  fs::path game = fs::absolute(folder.empty() ? "." : folder, error).lexically_normal();
  if (game.filename().empty()) game = game.parent_path();
  const char* suffix = audience == RkExportGameWindow::Audience::Web ? "-web" : "-export";
  return (game.parent_path() / (game.filename().string() + suffix)).string();
}

}  // namespace

RkExportGameWindow::RkExportGameWindow(std::string gameProgram, ExportGate mayExport, std::string webGame)
    : gameProgram(std::move(gameProgram)), mayExport(std::move(mayExport)), webGame(std::move(webGame)) {}

RkExportGameWindow::~RkExportGameWindow() {
  stop = true;
  if (copier.joinable()) copier.join();
}

void RkExportGameWindow::Open(const std::string& gameFolder) {
  if (state == State::Copying) return;  // the running copy stays on show
  folder = gameFolder;
  if (state == State::Closed) target = TargetBeside(folder, audience);
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

void RkExportGameWindow::SetAudience(Audience chosen) {
  if (target == TargetBeside(folder, audience)) target = TargetBeside(folder, chosen);
  audience = chosen;
}

// Collected and checked here; copied on the thread.
void RkExportGameWindow::Start() {
  if (!Prepare()) {
    state = State::Done;
    return;
  }
  stop = false;
  copied = false;
  doneBytes = 0;
  totalBytes = 0;
  state = State::Copying;
  copier = std::thread([this] {
    Finish([this](const RkExportWriter::Progress& progress) {
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

bool RkExportGameWindow::Prepare() {
  if (audience == Audience::Web) {
    webExporter = std::make_unique<RkWebGameExporter>(RkWebGameExporter::Setup{folder, target, webGame});
    return webExporter->Prepare(webReport);
  }
  RkGameExporter::Setup setup;
  setup.folder = folder;
  setup.out = target;
  setup.program = gameProgram;
  setup.font = RkFontFinder::Find("Arial");
  exporter = std::make_unique<RkGameExporter>(setup);
  return exporter->Prepare(report);
}

void RkExportGameWindow::Finish(const RkExportWriter::ProgressHandler& progress) {
  if (audience == Audience::Web) {
    webExporter->Finish(webReport, progress);
  } else {
    exporter->Finish(report, progress);
  }
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
  if (audience == Audience::Web) {
    if (webReport.written) {
      lines.push_back("The game's page is in " + target + ": upload its files to a web server, or try it with "
                      "python3 -m http.server --bind 127.0.0.1 --directory " + target +
                      " 8000 and http://127.0.0.1:8000/ in a browser.");
    }
    for (const std::string& line : webReport.ToLines()) lines.push_back(line);
    return lines;
  }
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
  if (ImGui::RadioButton("For this computer", audience == Audience::ThisComputer)) SetAudience(Audience::ThisComputer);
  ImGui::SameLine();
  if (ImGui::RadioButton("For the web", audience == Audience::Web)) SetAudience(Audience::Web);
  if (audience == Audience::Web) {
    ImGui::TextWrapped("The game of this folder goes into a web page: the maps its first map reaches and their "
                       "images, packed for the page, with the game compiled for browsers. The maps are checked "
                       "first.");
  } else {
    ImGui::TextWrapped("The game of this folder goes to players as one folder: the maps its first map reaches, "
                       "their images, the game program, its font and libraries. The maps are checked first.");
  }
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
