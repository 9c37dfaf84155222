// The platform's high-resolution performance counter (SDL's), behind the
// game loop's clock interface. Constructed by the game's entry point.
#pragma once

#include "GameClock.h"

class PerformanceCounterClock : public GameClock {
 public:
  bool QueryFrequency(int64_t& frequency) override;
  bool QueryCounter(int64_t& counter) override;
};
