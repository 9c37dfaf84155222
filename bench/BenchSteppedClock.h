// The game's clock for benchmarks: a counter that moves only when the
// benchmark says so, so that each pass runs exactly the steps it asks for.
#pragma once

#include <cstdint>

#include "EmberHollow.h"

class BenchSteppedClock : public GameClock {
 public:
  static constexpr int64_t kFrequency = 60000;
  static constexpr int64_t kCountsPerStep = kFrequency / 60;

  bool QueryFrequency(int64_t& frequency) override {
    frequency = kFrequency;
    return true;
  }
  bool QueryCounter(int64_t& counter) override {
    counter = now;
    return true;
  }
  void Advance(int64_t counts) { now += counts; }

 private:
  int64_t now = 100 * kFrequency;
};
