// RkCheckMaps [folder]: checks the maps of a folder (default: the working folder)
// and their "NPCs.rk", one line per finding, so that a game build can stop on a
// map that would end the game or strand the player.
// Exit code: 1 when there is an error, 0 otherwise (warnings alone included).
#include <cstdio>
#include <filesystem>
#include <string>

#include "RkMapChecker.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: RkCheckMaps [folder]\n");
    return 2;
  }
  const std::string folder = argc == 2 ? argv[1] : "";
  std::error_code error;
  if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
    std::fprintf(stderr, "RkCheckMaps: %s is not a folder\n", folder.c_str());
    return 2;
  }
  RkMapChecker checker(folder);
  const std::vector<RkMapFinding> findings = checker.Check();
  for (const RkMapFinding& finding : findings) std::printf("%s\n", finding.ToLine().c_str());
  return RkMapChecker::HasErrors(findings) ? 1 : 0;
}
