// The game's entry point: one application object, the main thread pinned to
// the first processor (so every counter reading comes from the same one), the
// loop on the platform's performance counter, then exit code 0.
#include <sched.h>

#include "EmberHollow.h"
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

}  // namespace

int main(int, char**) {
  SetRunningProgram(RkProgram::Game);
  RkMessageBox::Install();
  EmberHollow game;
  PinToFirstProcessor();
  PerformanceCounterClock clock;
  game.Run(clock);
  return 0;
}
