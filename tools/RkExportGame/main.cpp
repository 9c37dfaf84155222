// RkExportGame [--game PROGRAM] FOLDER OUT: exports the game of FOLDER for
// players into the new (or empty) folder OUT: the files that its first map
// reaches, checked by the map checker first, with the game program, its font,
// its libraries, a "play" launcher and a README.txt. Prints what was copied and
// the checker's warnings.
// RkExportGame --web [--game WEBGAME] FOLDER OUT: the same game for a web page:
// the same files, checked the same way, packed for the page, with the page and
// the game compiled to WebAssembly from the web build's folder WEBGAME.
// Exit code: 0 when OUT was written; 1 when the game has errors or the export
// failed (nothing is written then); 2 for a wrong command line.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "RkFontFinder.h"
#include "RkGameExporter.h"
#include "RkWebGameExporter.h"

namespace {

constexpr const char* kUsage =
    "usage: RkExportGame [--game PROGRAM] FOLDER OUT\n"
    "       RkExportGame --web [--game WEBGAME] FOLDER OUT\n";

// On a terminal, one line that follows the copy.
bool ShowProgress(const RkExportWriter::Progress& progress) {
  if (!isatty(STDERR_FILENO) || progress.totalBytes == 0) return true;
  const unsigned percent = static_cast<unsigned>(progress.doneBytes * 100 / progress.totalBytes);
  std::fprintf(stderr, "\r\033[Kwriting %3u%%  %s", percent, progress.path.c_str());
  return true;
}

int ExportForTheWeb(const std::string& webGame, const char* folder, const char* out) {
  RkWebGameExporter::Setup setup;
  setup.folder = folder;
  setup.out = out;
  setup.webGame = webGame;
  const RkWebGameExporter::Report report = RkWebGameExporter(setup).Export(ShowProgress);
  if (isatty(STDERR_FILENO)) std::fputs("\r\033[K", stderr);
  for (const std::string& line : report.ToLines()) std::printf("%s\n", line.c_str());
  return report.written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool web = argc > 1 && std::strcmp(argv[1], "--web") == 0;
  if (web) first = 2;
  std::string program = web ? RK_WEB_GAME : RK_GAME_PROGRAM;
  if (argc > first + 1 && std::strcmp(argv[first], "--game") == 0) {
    program = argv[first + 1];
    first += 2;
  }
  if (argc - first != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  RkGameExporter::Setup setup;
  setup.folder = argv[first];
  setup.out = argv[first + 1];
  setup.program = program;
  std::error_code error;
  if (!std::filesystem::is_directory(setup.folder, error)) {
    std::fprintf(stderr, "RkExportGame: %s is not a folder\n", setup.folder.c_str());
    return 2;
  }
  if (web) return ExportForTheWeb(program, argv[first], argv[first + 1]);
  setup.font = RkFontFinder::Find("Arial");
  RkGameExporter exporter(setup);
  const RkGameExporter::Report report = exporter.Export(ShowProgress);
  if (isatty(STDERR_FILENO)) std::fputs("\r\033[K", stderr);
  for (const std::string& line : report.ToLines()) std::printf("%s\n", line.c_str());
  return report.written ? 0 : 1;
}
