// The game's command line: EmberHollow [--map FILE] [--start X,Y] [--help].
// The editor's playtest starts the game on a copy of the map being edited,
// with the player on a chosen cell; a player starts it without arguments, and
// it then plays exactly as before. Read by the entry point (main.cpp) before
// the game starts; a bad argument ends the program with exit code 2.
#pragma once

#include <cstdint>
#include <string>

class GameCommandLine {
 public:
  static constexpr int kBadArgumentExitCode = 2;

  // The arguments after the program's name (argv[1] to argv[argc - 1]).
  static GameCommandLine Parse(int argc, const char* const* argv);
  // The text of --help.
  static const char* Usage();
  // Its first line, shown after a bad argument.
  static const char* UsageLine();

  bool WantsHelp() const { return wantsHelp_; }
  // What is wrong with the arguments ("" when nothing is), one line without
  // its line end, such as: EmberHollow: unknown option "--fast"
  const std::string& GetError() const { return error_; }

  // --map FILE: the first map instead of Game.ini's (or "World.rkm"), found
  // like the maps of New Area cells.
  bool HasMap() const { return hasMap_; }
  const std::string& GetMap() const { return map_; }
  // --start X,Y: the player's first cell instead of Game.ini's (or 0, 0).
  bool HasStart() const { return hasStart_; }
  int32_t GetStartX() const { return startX_; }
  int32_t GetStartY() const { return startY_; }

 private:
  // Takes the option at argv[index] (and its value); false on an error.
  bool TakeOption(int argc, const char* const* argv, int& index);
  bool Fail(std::string error);

  bool wantsHelp_ = false;
  std::string error_;
  bool hasMap_ = false;
  std::string map_;
  bool hasStart_ = false;
  int32_t startX_ = 0;
  int32_t startY_ = 0;
};
