// Set Start Here as a step of the map's history: the game's first map and the
// player's start cell on it, before and after. Undo puts back the settings'
// map and start; the settings are written when the map is saved.
#pragma once

#include <cstdint>
#include <string>

#include "RkEditStep.h"

class RkGameSettingsDocument;

class RkSetStartStep : public RkEditStep {
 public:
  struct Start {
    std::string map;
    int32_t x;
    int32_t y;
  };

  RkSetStartStep(RkGameSettingsDocument& settings, Start before, Start after);

  void Undo() override { Apply(before); }
  void Redo() override { Apply(after); }
  std::size_t GetByteSize() const override { return sizeof(*this) + before.map.size() + after.map.size(); }

 private:
  void Apply(const Start& start);

  RkGameSettingsDocument& settings;
  Start before;
  Start after;
};
