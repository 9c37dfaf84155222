// Clear Map as one step of the map's history. Clearing replaces the whole map,
// so the step keeps the whole world from before it (with its file), the camera,
// the origin and the map's name in the panel; undoing puts them back and the
// state tells its views that the whole map changed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "RkEditStep.h"
#include "RkEntity.h"
#include "RkMapNameField.h"
#include "RkWorld.h"

class RkMapState;

class RkClearMapStep : public RkEditStep {
 public:
  // Takes what Clear Map is about to throw away; null when the map, camera and
  // origin are already as a cleared map leaves them (clearing changes nothing).
  static std::unique_ptr<RkClearMapStep> Capture(RkMapState& state, RkMapNameField& nameField);

  void Undo() override;
  void Redo() override;
  std::size_t GetByteSize() const override { return byteSize; }

 private:
  RkClearMapStep(RkMapState& state, RkMapNameField& nameField);
  std::size_t CountBytes() const;

  RkMapState& state;
  RkMapNameField& nameField;
  RkWorld worldBefore;
  RkEntity cameraBefore;
  RkEntity originBefore;
  std::string mapNameBefore;
  // Counted once: the world it keeps does not change.
  std::size_t byteSize = 0;
};
