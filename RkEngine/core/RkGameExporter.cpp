// The export's stages and its report.
#include "RkGameExporter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <unordered_set>
#include <utility>

#include "RkExportCollector.h"
#include "RkExportReadme.h"
#include "RkMapChecker.h"
#include "RkNPCList.h"
#include "RkSharedLibraries.h"

namespace fs = std::filesystem;

namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

RkGameExporter::RkGameExporter(Setup setup) : setup_(std::move(setup)) {}

// With "Game.ini" the game finds its first map like a New Area map (even
// "World.rkm"); without, it opens "World.rkm" by its exact name.
const RkExportCollection& RkGameExporter::Collect() {
  settings_ = RkGameSettings::ReadFrom(setup_.folder);
  RkExportCollector collector(setup_.folder);
  if (settings_.CameFromFile()) collector.SetFirstMap(settings_.GetMap());
  // A hero that Game.ini names is the checker's to report, on its line.
  collector.SetHero(settings_.GetPlayerImage(), settings_.LineOf(RkGameSettings::Key::Player) == 0);
  collection_ = collector.Collect();
  return collection_;
}

// The checker reads the whole folder; what it says about files that are not
// exported (a map no link reaches, a library no NPC speaks from) does not
// concern the players and is left out. The collection's own findings cover
// maps outside the folder's top level, which the checker does not read.
std::vector<RkMapFinding> RkGameExporter::Check() const {
  std::unordered_set<std::string> concerned;
  for (const auto& item : collection_.GetItems()) {
    if (item.kind != RkExportCollection::Kind::Image) concerned.insert(item.path);
  }
  if (!settings_.CameFromFile()) concerned.insert(RkMapChecker::kStartMap);
  std::vector<RkMapFinding> findings;
  std::set<std::string> lines;
  for (const RkMapFinding& finding : RkMapChecker(setup_.folder).Check()) {
    if (concerned.count(finding.GetFile()) != 0 && lines.insert(finding.ToLine()).second) findings.push_back(finding);
  }
  for (const RkMapFinding& finding : collection_.GetFindings()) {
    if (lines.insert(finding.ToLine()).second) findings.push_back(finding);
  }
  std::stable_partition(findings.begin(), findings.end(), [](const RkMapFinding& f) { return f.IsError(); });
  return findings;
}

bool RkGameExporter::Write(const RkExportWriter::ProgressHandler& progress, std::string& error) {
  std::vector<RkExportWriter::File> files;
  if (!MakeFileList(files, error)) return false;
  RkExportWriter writer(setup_.out);
  if (!writer.MeasureFiles(files, written_.bytes, error)) return false;
  written_.fileCount = files.size();
  return writer.Write(files, progress, error);
}

bool RkGameExporter::MakeFileList(std::vector<RkExportWriter::File>& files, std::string& error) {
  written_ = Report();
  for (const auto& item : collection_.GetItems()) {
    files.push_back({item.path, item.source, "", false});
    switch (item.kind) {
      case RkExportCollection::Kind::Map: written_.maps.push_back(item.path); break;
      case RkExportCollection::Kind::Image: written_.images.push_back(item.path); break;
      default: written_.others.push_back(item.path); break;
    }
  }
  return AddProgramFiles(files, error) && !FindCollision(files, error);
}

// The program, its font, its libraries in lib/ (its run path is $ORIGIN/lib),
// the launcher and the README.
bool RkGameExporter::AddProgramFiles(std::vector<RkExportWriter::File>& files, std::string& error) {
  std::error_code code;
  if (!fs::is_regular_file(setup_.program, code)) {
    error = "the game program " + setup_.program + " does not exist; build it first";
    return false;
  }
  if (setup_.font.empty() || !fs::is_regular_file(setup_.font, code)) {
    error = "no font for the game's texts was found on this machine";
    return false;
  }
  std::vector<RkSharedLibraries::Library> libraries;
  if (!RkSharedLibraries::ListCarried(setup_.program, libraries, error)) return false;

  const std::string program = fs::path(setup_.program).filename().string();
  const std::string font = std::string(kFontFolder) + "/" + fs::path(setup_.font).filename().string();
  files.push_back({program, setup_.program, "", true});
  files.push_back({font, setup_.font, "", false});
  for (const auto& library : libraries) {
    files.push_back({std::string(kLibraryFolder) + "/" + library.name, library.file, "", false});
    written_.libraries.push_back(library.name);
  }
  RkExportReadme::Contents contents;
  contents.title = settings_.GetTitle();
  contents.program = program;
  contents.maps = written_.maps;
  contents.imageCount = written_.images.size();
  contents.npcLibrary = std::count(written_.others.begin(), written_.others.end(), RkNPCList::kFileName) != 0;
  contents.settings = std::count(written_.others.begin(), written_.others.end(), RkExportCollector::kSettingsFile) != 0;
  contents.font = font;
  contents.libraries = written_.libraries;
  files.push_back({kLauncher, "", RkExportReadme::PlayScript(program), true});
  files.push_back({kReadme, "", RkExportReadme::Readme(contents), false});
  written_.program = {program, font, kLauncher, kReadme};
  return true;
}

// A game file at a path the program's own files take (an image "lib/..." next
// to a library of the same name, a map called "play") cannot be exported as
// it is.
bool RkGameExporter::FindCollision(const std::vector<RkExportWriter::File>& files, std::string& error) {
  std::set<std::string> paths;
  for (const auto& file : files) {
    if (!paths.insert(file.path).second) {
      error = file.path + " of the game has the name of a file that the exported game brings itself; rename it";
      return true;
    }
  }
  // A file where another one needs a folder of that name.
  for (const std::string& path : paths) {
    const auto next = paths.upper_bound(path + "/");
    if (paths.count(path + "/") != 0 || (next != paths.end() && next->rfind(path + "/", 0) == 0)) {
      error = path + " of the game has the name of a folder that the exported game needs; rename it";
      return true;
    }
  }
  return false;
}

RkGameExporter::Report RkGameExporter::Export(const RkExportWriter::ProgressHandler& progress) {
  Report report;
  if (Prepare(report)) Finish(report, progress);
  return report;
}

bool RkGameExporter::Prepare(Report& report) {
  report = Report();
  if (!RkExportWriter::CanWriteTo(setup_.out, report.failure)) return false;
  Collect();
  for (RkMapFinding& finding : Check()) (finding.IsError() ? report.errors : report.warnings).push_back(finding);
  if (report.errors.empty()) return true;
  report.failure = "the game has " + Counted(report.errors.size(), "error", "errors") + "; nothing was written";
  return false;
}

void RkGameExporter::Finish(Report& report, const RkExportWriter::ProgressHandler& progress) {
  std::string error;
  const bool written = Write(progress, error);
  std::vector<RkMapFinding> warnings = std::move(report.warnings);
  report = written_;
  report.warnings = std::move(warnings);
  report.written = written;
  report.failure = error;
}

std::string RkGameExporter::SizeText(uint64_t bytes) {
  char text[32];
  if (bytes >= 1000 * 1000) {
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  } else if (bytes >= 1000) {
    std::snprintf(text, sizeof text, "%.0f kB", static_cast<double>(bytes) / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%u bytes", static_cast<unsigned>(bytes));
  }
  return text;
}

std::vector<std::string> RkGameExporter::Report::ToLines() const {
  std::vector<std::string> lines;
  for (const RkMapFinding& finding : errors) lines.push_back(finding.ToLine());
  if (written) {
    lines.push_back("Exported " + Counted(maps.size(), "map", "maps") + ", " + Counted(images.size(), "image", "images") +
                    ", " + Counted(libraries.size(), "library", "libraries") + ": " +
                    Counted(fileCount, "file", "files") + ", " + SizeText(bytes) + ".");
    lines.push_back("Maps: " + Joined(maps));
    lines.push_back("Images: " + Joined(images));
    if (!others.empty()) lines.push_back("Also: " + Joined(others));
    lines.push_back("Libraries (lib/): " + Joined(libraries));
    lines.push_back("The game's own files: " + Joined(program));
  }
  for (const RkMapFinding& finding : warnings) lines.push_back(finding.ToLine());
  if (!written && !failure.empty()) lines.push_back("Not exported: " + failure);
  return lines;
}
