// A counter for the game loop that tests move by hand: 60,000 counts a second,
// so a step (1/60 s) is exactly 1,000 counts. It can be told to fail, and it
// runs a hook at every reading so a test can press keys between passes.
#pragma once

#include <cstdint>
#include <functional>

#include "GameClock.h"

class ScriptedClock : public GameClock {
 public:
  static constexpr int64_t kFrequency = 60000;
  static constexpr int64_t kCountsPerStep = 1000;

  bool QueryFrequency(int64_t& frequency) override {
    frequency = frequencyFails ? 0 : kFrequency;
    return !frequencyFails;
  }

  bool QueryCounter(int64_t& counter) override {
    ++readings;
    if (onReading) onReading(readings);
    counter = counterFails ? 0 : now;
    return !counterFails;
  }

  void AdvanceCounts(int64_t counts) { now += counts; }
  void AdvanceSeconds(double seconds) { now += static_cast<int64_t>(seconds * kFrequency + 0.5); }
  double Seconds() const { return static_cast<double>(now) / kFrequency; }

  // Readings so far: one at start-up, then one per pass of the loop.
  int readings = 0;
  // Called at each reading with its number (1 = start-up), before the value is taken.
  std::function<void(int reading)> onReading;
  bool frequencyFails = false;
  bool counterFails = false;

 private:
  // Starts well away from zero, as a real counter does.
  int64_t now = 100 * kFrequency;
};
