// Clear Map as one step of the map's history. Clearing replaces the whole map,
// so the step keeps the whole world from before it, with the camera, the origin
// and the map name; undoing puts them back and registers the map's sprites as a
// fresh load of it does.
#pragma once

#include <cstddef>
#include <string>

#include "RkDirect3D.h"
#include "RkEditStep.h"
#include "RkEntity.h"
#include "RkMapEditor.h"
#include "RkWorld.h"

class RkClearMapStep : public RkEditStep {
 public:
  // Takes what Clear Map is about to throw away; null when the map, camera and
  // origin are already as a cleared map leaves them (clearing changes nothing).
  static std::unique_ptr<RkClearMapStep> Capture(RkWorld& world, RkEntity& camera, RkEntity& origin,
                                                 RkDirect3D& renderer, RkMapEditor& panel);

  void Undo() override;
  void Redo() override;
  std::size_t GetByteSize() const override { return byteSize; }

 private:
  std::size_t CountBytes() const;
  RkClearMapStep(RkWorld& world, RkEntity& camera, RkEntity& origin, RkDirect3D& renderer, RkMapEditor& panel);

  RkWorld& world;
  RkEntity& camera;
  RkEntity& origin;
  RkDirect3D& renderer;
  RkMapEditor& panel;
  RkWorld worldBefore;
  RkEntity cameraBefore;
  RkEntity originBefore;
  std::string mapNameBefore;
  // Counted once: the world it keeps does not change.
  std::size_t byteSize = 0;
};
