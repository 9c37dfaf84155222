// RkExportGame [--game PROGRAM] FOLDER OUT: exports the game of FOLDER for
// players into the new (or empty) folder OUT: the files that its first map
// reaches, checked by the map checker first, with the game program, its font,
// its libraries, a "play" launcher and a README.txt. Prints what was copied and
// the checker's warnings.
// Exit code: 0 when OUT was written; 1 when the game has errors or the export
// failed (nothing is written then); 2 for a wrong command line.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "RkFontFinder.h"
#include "RkGameExporter.h"

namespace {

constexpr const char* kUsage = "usage: RkExportGame [--game PROGRAM] FOLDER OUT\n";

// On a terminal, one line that follows the copy.
bool ShowProgress(const RkExportWriter::Progress& progress) {
  if (!isatty(STDERR_FILENO) || progress.totalBytes == 0) return true;
  const unsigned percent = static_cast<unsigned>(progress.doneBytes * 100 / progress.totalBytes);
  std::fprintf(stderr, "\r\033[Kwriting %3u%%  %s", percent, progress.path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string program = RK_GAME_PROGRAM;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--game") == 0) {
    program = argv[2];
    first = 3;
  }
  if (argc - first != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  RkGameExporter::Setup setup;
  setup.folder = argv[first];
  setup.out = argv[first + 1];
  setup.program = program;
  setup.font = RkFontFinder::Find("Arial");
  std::error_code error;
  if (!std::filesystem::is_directory(setup.folder, error)) {
    std::fprintf(stderr, "RkExportGame: %s is not a folder\n", setup.folder.c_str());
    return 2;
  }
  RkGameExporter exporter(setup);
  const RkGameExporter::Report report = exporter.Export(ShowProgress);
  if (isatty(STDERR_FILENO)) std::fputs("\r\033[K", stderr);
  for (const std::string& line : report.ToLines()) std::printf("%s\n", line.c_str());
  return report.written ? 0 : 1;
}
