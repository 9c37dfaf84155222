// The high-resolution counter that the game's fixed-step loop runs on. The
// program uses the platform's performance counter (PerformanceCounterClock);
// tests and benchmarks hand EmberHollow::Run a clock of their own, so the real
// loop runs in-process with time that they control.
#pragma once

#include <cstdint>

class GameClock {
 public:
  virtual ~GameClock() = default;
  // Counts per second into frequency; false when the counter cannot tell.
  virtual bool QueryFrequency(int64_t& frequency) = 0;
  // The current count into counter; false when it cannot be read.
  virtual bool QueryCounter(int64_t& counter) = 0;
};
