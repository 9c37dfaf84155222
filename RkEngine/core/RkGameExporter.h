// Export of a game for players: one folder with everything the game needs.
// Three stages, each usable alone:
//   Collect  the files the game opens, from its first map (RkExportCollector);
//   Check    the map checker's findings about what was collected, together
//            with what the collection could not find; any error stops here;
//   Write    the collected files at the paths the game asks for, the game
//            program, its font, the libraries it carries (lib/, found through
//            the program's run path), the "play" launcher and README.txt, all
//            written under a hidden name and renamed at the end.
// Export runs all three and reports what was copied. RkExportGame and the
// editor's File > Export Game both call it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RkExportCollection.h"
#include "RkExportWriter.h"
#include "RkGameSettings.h"
#include "RkMapFinding.h"

class RkGameExporter {
 public:
  static constexpr const char* kLibraryFolder = "lib";
  static constexpr const char* kFontFolder = "fonts";
  static constexpr const char* kLauncher = "play";
  static constexpr const char* kReadme = "README.txt";

  struct Setup {
    std::string folder;   // the game's folder ("" the working folder)
    std::string out;      // the folder to make
    std::string program;  // the built game program
    std::string font;     // the font file the game draws its texts with
  };

  struct Report {
    bool written = false;
    std::string failure;  // why nothing was written
    std::vector<RkMapFinding> errors;
    std::vector<RkMapFinding> warnings;
    std::vector<std::string> maps;
    std::vector<std::string> images;
    std::vector<std::string> others;     // "NPCs.rk", "Game.ini"
    std::vector<std::string> libraries;
    std::vector<std::string> program;    // the program, font, launcher, README
    std::size_t fileCount = 0;
    uint64_t bytes = 0;

    std::vector<std::string> ToLines() const;
  };

  explicit RkGameExporter(Setup setup);

  // Reads the folder's "Game.ini" (first map, hero, title) and collects.
  const RkExportCollection& Collect();
  // The findings about the collected files (errors first); call after Collect.
  std::vector<RkMapFinding> Check() const;
  // Writes the collected files with the program's own; false with the reason.
  bool Write(const RkExportWriter::ProgressHandler& progress, std::string& error);

  Report Export(const RkExportWriter::ProgressHandler& progress);
  // Export in two halves, for a caller that copies on a thread of its own (the
  // path resolver, which collecting and checking use, belongs to one thread):
  // Prepare refuses a target in use, collects and checks, and returns false
  // with the report's failure and errors when nothing may be written; Finish
  // writes and completes the report.
  bool Prepare(Report& report);
  void Finish(Report& report, const RkExportWriter::ProgressHandler& progress);

  // "12.3 MB", "640 kB", "12 bytes".
  static std::string SizeText(uint64_t bytes);

 private:
  bool MakeFileList(std::vector<RkExportWriter::File>& files, std::string& error);
  bool AddProgramFiles(std::vector<RkExportWriter::File>& files, std::string& error);
  static bool FindCollision(const std::vector<RkExportWriter::File>& files, std::string& error);

  Setup setup_;
  RkGameSettings settings_;
  RkExportCollection collection_;
  Report written_;
};
