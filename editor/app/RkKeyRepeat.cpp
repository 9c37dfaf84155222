#include "RkKeyRepeat.h"

#include <algorithm>
#include <cmath>

int RkKeyRepeat::StepsFor(RkDirection held, double now) {
  if (held == DirectionNone) {
    direction = DirectionNone;
    return 0;
  }
  if (held != direction) {
    direction = held;
    pressTime = now;
    repeatsDone = 0;
    return 1;
  }
  const double repeating = now - pressTime - kDelay;
  if (repeating < 0.0) return 0;
  const int due = static_cast<int>(std::floor(repeating / kInterval)) + 1;
  const int steps = due - repeatsDone;
  repeatsDone = due;
  // A pass that came late (a modal box was up) moves no more than a second's worth.
  return std::min(steps, 15);
}
