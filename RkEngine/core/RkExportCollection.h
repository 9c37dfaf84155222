// What a game needs of its folder, as the export collects it: every file the
// game opens, each with the path below the folder where the game finds it, and
// what the collection could not find (in the map checker's words).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "RkMapFinding.h"

class RkExportCollection {
 public:
  enum class Kind { Map, NPCLibrary, Settings, Image };

  struct Item {
    Kind kind;
    std::string source;  // the file to read, as seen from the working folder
    std::string path;    // below the exported folder: where the game asks for it
  };

  // Adds the file once; false when that path was already collected.
  bool Add(Kind kind, const std::string& source, const std::string& path);
  bool Has(const std::string& path) const;

  const std::vector<Item>& GetItems() const { return items_; }
  std::vector<std::string> PathsOf(Kind kind) const;

  void AddFinding(const RkMapFinding& finding) { findings_.push_back(finding); }
  const std::vector<RkMapFinding>& GetFindings() const { return findings_; }

 private:
  std::vector<Item> items_;
  std::unordered_set<std::string> paths_;  // a game names one image on thousands of cells
  std::vector<RkMapFinding> findings_;
};
