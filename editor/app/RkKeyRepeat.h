// The arrow keys' pace: one cell on a press, then, after a short pause, a steady
// 15 cells a second for as long as the key is held, whatever the pass rate.
#pragma once

#include "RkEntity.h"

class RkKeyRepeat {
 public:
  static constexpr double kDelay = 0.3;
  static constexpr double kInterval = 1.0 / 15.0;

  // The direction held now (DirectionNone when none) at time now (seconds): how
  // many cells to move in it on this pass.
  int StepsFor(RkDirection held, double now);

 private:
  RkDirection direction = DirectionNone;
  double pressTime = 0.0;
  int repeatsDone = 0;
};
