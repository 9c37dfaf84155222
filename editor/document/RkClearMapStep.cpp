// Taking Clear Map back and clearing again.
#include "RkClearMapStep.h"

#include <cstring>

#include "RkMapState.h"

RkClearMapStep::RkClearMapStep(RkMapState& state, RkMapNameField& nameField)
    : RkEditStep("Clear Map"),
      state(state),
      nameField(nameField),
      worldBefore(state.GetWorld()),
      cameraBefore(state.GetCamera()),
      originBefore(state.GetOrigin()),
      mapNameBefore(nameField.GetMapName()),
      byteSize(CountBytes()) {}

std::unique_ptr<RkClearMapStep> RkClearMapStep::Capture(RkMapState& state, RkMapNameField& nameField) {
  const RkWorld& world = state.GetWorld();
  const RkEntity& camera = state.GetCamera();
  const RkEntity& origin = state.GetOrigin();
  const bool alreadyClear = world.GetWidth() == 0 && world.GetHeight() == 0 && world.GetNPCCount() == 0 &&
                            camera.GetX() == 0 && camera.GetY() == 0 && origin.GetX() == 0 &&
                            origin.GetY() == 0 && nameField.GetMapName()[0] == '\0';
  if (alreadyClear) {
    return nullptr;
  }
  return std::unique_ptr<RkClearMapStep>(new RkClearMapStep(state, nameField));
}

void RkClearMapStep::Undo() {
  state.GetWorld() = worldBefore;
  state.GetCamera() = cameraBefore;
  state.GetOrigin() = originBefore;
  nameField.SetMapName(mapNameBefore.c_str());
  state.Notify({RkMapState::Change::Kind::WholeMap, 0, 0});
}

void RkClearMapStep::Redo() {
  nameField.SetMapName("");
  state.Reset();
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
