// Taking Clear Map back and clearing again.
#include "RkClearMapStep.h"

#include <cstring>
#include <memory>

#include "RkMapSprites.h"

RkClearMapStep::RkClearMapStep(RkWorld& world, RkEntity& camera, RkEntity& origin, RkDirect3D& renderer,
                               RkMapEditor& panel)
    : RkEditStep("Clear Map"),
      world(world),
      camera(camera),
      origin(origin),
      renderer(renderer),
      panel(panel),
      worldBefore(world),
      cameraBefore(camera),
      originBefore(origin),
      mapNameBefore(panel.GetMapName()),
      byteSize(CountBytes()) {}

std::unique_ptr<RkClearMapStep> RkClearMapStep::Capture(RkWorld& world, RkEntity& camera, RkEntity& origin,
                                                        RkDirect3D& renderer, RkMapEditor& panel) {
  const bool alreadyClear = world.GetWidth() == 0 && world.GetHeight() == 0 && world.GetNPCCount() == 0 &&
                            camera.GetX() == 0 && camera.GetY() == 0 && origin.GetX() == 0 &&
                            origin.GetY() == 0 && panel.GetMapName()[0] == '\0';
  if (alreadyClear) {
    return nullptr;
  }
  return std::unique_ptr<RkClearMapStep>(new RkClearMapStep(world, camera, origin, renderer, panel));
}

void RkClearMapStep::Undo() {
  world = worldBefore;
  camera = cameraBefore;
  origin = originBefore;
  panel.SetMapName(mapNameBefore.c_str());
  renderer.ClearSprites();
  RkMapSprites::RegisterAll(world, origin, renderer);
}

void RkClearMapStep::Redo() {
  panel.SetMapName("");
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world.Clear();
  renderer.ClearSprites();
}

std::size_t RkClearMapStep::CountBytes() const {
  std::size_t bytes = sizeof(*this) + mapNameBefore.size();
  for (int32_t x = 0; x < worldBefore.GetWidth(); ++x) {
    for (int32_t y = 0; y < worldBefore.GetHeight(); ++y) {
      bytes += sizeof(RkTile) + std::strlen(worldBefore.GetTileImageFile(x, y)) +
               std::strlen(worldBefore.GetTileNewAreaName(x, y));
    }
  }
  for (unsigned i = 0; i < worldBefore.GetNPCCount(); ++i) {
    bytes += sizeof(RkNPC) + std::strlen(worldBefore.GetNPC(i).GetName()) + std::strlen(worldBefore.GetNPCImageFile(i));
  }
  return bytes;
}
