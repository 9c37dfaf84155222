// SDL's performance counter: a frequency of 0 or a count of 0 means the
// platform could not read it, as the loop's failure checks expect.
#include "PerformanceCounterClock.h"

#include <SDL.h>

bool PerformanceCounterClock::QueryFrequency(int64_t& frequency) {
  frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
  return frequency != 0;
}

bool PerformanceCounterClock::QueryCounter(int64_t& counter) {
  counter = static_cast<int64_t>(SDL_GetPerformanceCounter());
  return counter != 0;
}
