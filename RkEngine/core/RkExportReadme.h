// The two texts an exported game brings besides its files: the "play" launcher,
// which starts the game in its own folder from any working folder, and the
// player's README.txt (the game's name, how to start it, the keys, what the
// folder holds and what the player's system must have).
#pragma once

#include <string>
#include <vector>

class RkExportReadme {
 public:
  struct Contents {
    std::string title;
    std::string program;
    std::vector<std::string> maps;
    std::size_t imageCount = 0;
    bool npcLibrary = false;
    bool settings = false;
    std::string font;                     // below the folder
    std::vector<std::string> libraries;   // their names in lib/
  };

  static std::string PlayScript(const std::string& program);
  static std::string Readme(const Contents& contents);
};
