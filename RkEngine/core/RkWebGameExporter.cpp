// The web export's stages and its report.
#include "RkWebGameExporter.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "RkGameExporter.h"
#include "RkGameSettings.h"
#include "RkWebPack.h"
#include "RkWebPage.h"

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

bool ReadText(const std::string& file, std::string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

const std::vector<std::string>& RkWebGameExporter::ProgramFiles() {
  static const std::vector<std::string> files = {"EmberHollow.js", "EmberHollow.wasm", "EmberHollow.data"};
  return files;
}

RkWebGameExporter::RkWebGameExporter(Setup setup) : setup_(std::move(setup)) {}

// The desktop export's collection and check decide what the page gets; only
// the writing differs.
RkWebGameExporter::Report RkWebGameExporter::Export(const RkExportWriter::ProgressHandler& progress) {
  Report report;
  if (Prepare(report)) Finish(report, progress);
  return report;
}

bool RkWebGameExporter::Prepare(Report& report) {
  report = Report();
  files_.clear();
  if (!RkExportWriter::CanWriteTo(setup_.out, report.failure)) return false;
  RkGameExporter::Setup gameSetup;
  gameSetup.folder = setup_.folder;
  gameSetup.out = setup_.out;
  RkGameExporter exporter(gameSetup);
  const RkExportCollection& collection = exporter.Collect();
  for (RkMapFinding& finding : exporter.Check()) (finding.IsError() ? report.errors : report.warnings).push_back(finding);
  if (!report.errors.empty()) {
    report.failure = "the game has " + Counted(report.errors.size(), "error", "errors") + "; nothing was written";
    return false;
  }
  // A Game.ini that the game would refuse has refused the export above.
  const std::string title = RkGameSettings::ReadFrom(setup_.folder).GetTitle();
  return MakeFileList(collection, title, report, files_, report.failure);
}

void RkWebGameExporter::Finish(Report& report, const RkExportWriter::ProgressHandler& progress) {
  RkExportWriter writer(setup_.out);
  report.written = writer.MeasureFiles(files_, report.bytes, report.failure) &&
                   writer.Write(files_, progress, report.failure);
  files_.clear();
}

bool RkWebGameExporter::MakeFileList(const RkExportCollection& collection, const std::string& title, Report& report,
                                     std::vector<RkExportWriter::File>& files, std::string& error) const {
  std::vector<RkWebPack::File> packed;
  for (const auto& item : collection.GetItems()) {
    packed.push_back({item.path, item.source});
    switch (item.kind) {
      case RkExportCollection::Kind::Map: report.maps.push_back(item.path); break;
      case RkExportCollection::Kind::Image: report.images.push_back(item.path); break;
      default: report.others.push_back(item.path); break;
    }
  }
  const std::string webGame = setup_.webGame.empty() ? "." : setup_.webGame;
  std::string page;
  if (!ReadText((fs::path(webGame) / RkWebPage::kFileName).string(), page)) {
    error = "the web build of the game is missing in " + webGame + "; run scripts/web-setup.sh first";
    return false;
  }
  files.push_back({RkWebPage::kFileName, "", RkWebPage::Fill(page, title), false});
  for (const std::string& name : ProgramFiles()) {
    const std::string source = (fs::path(webGame) / name).string();
    std::error_code code;
    if (!fs::is_regular_file(source, code)) {
      error = "the web build of the game is missing " + source + "; run scripts/web-setup.sh first";
      return false;
    }
    files.push_back({name, source, "", false});
  }
  std::string pack;
  if (!RkWebPack::Pack(packed, pack, error)) return false;
  files.push_back({RkWebPack::kFileName, "", std::move(pack), false});
  for (const auto& file : files) report.pageFiles.push_back(file.path);
  return true;
}

std::vector<std::string> RkWebGameExporter::Report::ToLines() const {
  std::vector<std::string> lines;
  for (const RkMapFinding& finding : errors) lines.push_back(finding.ToLine());
  if (written) {
    lines.push_back("Exported for the web " + Counted(maps.size(), "map", "maps") + " and " +
                    Counted(images.size(), "image", "images") + ": " + Counted(pageFiles.size(), "file", "files") +
                    ", " + RkGameExporter::SizeText(bytes) + ".");
    lines.push_back("Maps: " + Joined(maps));
    lines.push_back("Images: " + Joined(images));
    if (!others.empty()) lines.push_back("Also: " + Joined(others));
    lines.push_back("The page's files: " + Joined(pageFiles) + " (the game's files are packed in " +
                    RkWebPack::kFileName + ")");
  }
  for (const RkMapFinding& finding : warnings) lines.push_back(finding.ToLine());
  if (!written && !failure.empty()) lines.push_back("Not exported: " + failure);
  return lines;
}
