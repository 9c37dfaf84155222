// The files of a game packed into one file for its web page ("game.data"):
// the page fetches it and unpacks every file into the game's folder in the
// browser's memory before the game starts (index.html's unpackGame), so the
// game opens its maps and images there at the same paths as on a disk.
//
// Layout, every number 32-bit little-endian:
//   "RKGAME01"                      8 bytes
//   count                           the number of files
//   count times: path length, path  (UTF-8, '/' between folders, below the
//                size                game's folder)
//   the files' bytes, in the order of the list above
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class RkWebPack {
 public:
  static constexpr const char* kMagic = "RKGAME01";
  static constexpr std::size_t kMagicSize = 8;
  static constexpr const char* kFileName = "game.data";
  // What one 32-bit size can say.
  static constexpr uint64_t kLargestFile = 0xFFFFFFFFu;

  struct File {
    std::string path;    // below the game's folder
    std::string source;  // the file to read
  };

  // The pack of the files, read from their sources; false with the cause (the
  // file and the system's text, or a file too large for the pack).
  static bool Pack(const std::vector<File>& files, std::string& pack, std::string& error);

 private:
  static bool ReadWhole(const std::string& source, std::string& bytes, std::string& error);
  static void AppendUInt32(std::string& pack, uint32_t value);
};
