// Export of a game for a web page. The same collection and check as the
// desktop export (RkGameExporter: the files the first map reaches, refused
// with the checker's errors), then one folder that any static web server can
// serve, or a hosting site can take zipped:
//   index.html        the page, with the title of the game's "Game.ini" (RkWebPage)
//   EmberHollow.js    the game compiled to WebAssembly: its loader,
//   EmberHollow.wasm  the program,
//   EmberHollow.data  and the font it draws with (all three from the web build)
//   game.data         the collected files at the paths the game asks for (RkWebPack)
// written under a hidden name and renamed at the end (RkExportWriter).
// RkExportGame --web calls it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RkExportCollection.h"
#include "RkExportWriter.h"
#include "RkMapFinding.h"

class RkWebGameExporter {
 public:
  // What the web build leaves in its game folder, copied as they are.
  static const std::vector<std::string>& ProgramFiles();

  // The first map, the hero and the page's title come from the game's
  // "Game.ini", as the game takes them.
  struct Setup {
    std::string folder;   // the game's folder ("" the working folder)
    std::string out;      // the folder to make
    std::string webGame;  // the web build's folder: the program files and index.html
  };

  struct Report {
    bool written = false;
    std::string failure;  // why nothing was written
    std::vector<RkMapFinding> errors;
    std::vector<RkMapFinding> warnings;
    std::vector<std::string> maps;
    std::vector<std::string> images;
    std::vector<std::string> others;  // "NPCs.rk", "Game.ini"
    std::vector<std::string> pageFiles;
    uint64_t bytes = 0;

    std::vector<std::string> ToLines() const;
  };

  explicit RkWebGameExporter(Setup setup);

  Report Export(const RkExportWriter::ProgressHandler& progress);
  // Export in two halves, for a caller that writes on a thread of its own
  // (collecting and checking use the path resolver, which belongs to one
  // thread): Prepare refuses a target in use, collects, checks and packs, and
  // returns false with the report's failure and errors when nothing may be
  // written; Finish writes and completes the report.
  bool Prepare(Report& report);
  void Finish(Report& report, const RkExportWriter::ProgressHandler& progress);

 private:
  // The page's files, with the collected files packed into game.data; lists
  // the collected files in the report.
  bool MakeFileList(const RkExportCollection& collection, const std::string& title, Report& report,
                    std::vector<RkExportWriter::File>& files, std::string& error) const;

  Setup setup_;
  std::vector<RkExportWriter::File> files_;
};
