// The game's entry point: the command line read, one application object, the
// main thread pinned to the first processor (so every counter reading comes
// from the same one), the loop on the platform's performance counter, then
// exit code 0; --help prints the usage, a bad argument ends with exit code 2.
#include <sched.h>

#include <cstdio>
#include <cstdlib>

#include "EmberHollow.h"
#include "GameCommandLine.h"
#include "PerformanceCounterClock.h"
#include "RkError.h"
#include "RkMessageBox.h"

namespace {

// Affinity mask 1: processor 0 only. Where the platform refuses, the game runs
// unpinned; the counter is consistent across processors there.
void PinToFirstProcessor() {
  cpu_set_t processors;
  CPU_ZERO(&processors);
  CPU_SET(0, &processors);
  sched_setaffinity(0, sizeof processors, &processors);
}

// The editor's playtest reads the game's report from its standard error and
// shows it itself: a box of the game's own would show it twice.
constexpr const char* kReportsToEditor = "RK_PLAYTEST";
// The playtest's --map is a copy of the edited map, whose own file this names.
constexpr const char* kEditedMapFile = "RK_PLAYTEST_MAP";

}  // namespace

int main(int argc, char** argv) {
  const GameCommandLine commandLine = GameCommandLine::Parse(argc, argv);
  if (!commandLine.GetError().empty()) {
    std::fprintf(stderr, "%s\n%s", commandLine.GetError().c_str(), GameCommandLine::UsageLine());
    return GameCommandLine::kBadArgumentExitCode;
  }
  if (commandLine.WantsHelp()) {
    std::fputs(GameCommandLine::Usage(), stdout);
    return 0;
  }
  SetRunningProgram(RkProgram::Game);
  RkMessageBox::Install();
  const char* playtest = std::getenv(kReportsToEditor);
  const bool inPlaytest = playtest != nullptr && *playtest != '\0';
  if (inPlaytest) SetFatalBoxHandler(nullptr);
  EmberHollow game;
  game.SetCommandLine(commandLine);
  const char* editedMap = std::getenv(kEditedMapFile);
  if (inPlaytest && editedMap != nullptr) game.SetPlaytestMapFile(editedMap);
  PinToFirstProcessor();
  PerformanceCounterClock clock;
  game.Run(clock);
  return 0;
}
