// Taking Clear Map back and clearing again.
#include "RkClearMapStep.h"

#include <cstring>

#include "RkMapDocument.h"

RkClearMapStep::RkClearMapStep(RkMapDocument& document, RkMapNameField& nameField)
    : RkEditStep("Clear Map"),
      document(document),
      nameField(nameField),
      worldBefore(document.GetWorld()),
      cameraBefore(document.GetCamera()),
      originBefore(document.GetOrigin()),
      mapNameBefore(nameField.GetMapName()),
      byteSize(CountBytes()) {}

std::unique_ptr<RkClearMapStep> RkClearMapStep::Capture(RkMapDocument& document, RkMapNameField& nameField) {
  const RkWorld& world = document.GetWorld();
  const RkEntity& camera = document.GetCamera();
  const RkEntity& origin = document.GetOrigin();
  const bool alreadyClear = world.GetWidth() == 0 && world.GetHeight() == 0 && world.GetNPCCount() == 0 &&
                            camera.GetX() == 0 && camera.GetY() == 0 && origin.GetX() == 0 &&
                            origin.GetY() == 0 && nameField.GetMapName()[0] == '\0';
  if (alreadyClear) {
    return nullptr;
  }
  return std::unique_ptr<RkClearMapStep>(new RkClearMapStep(document, nameField));
}

void RkClearMapStep::Undo() {
  document.EditWorld() = worldBefore;
  document.GetCamera() = cameraBefore;
  document.EditOrigin() = originBefore;
  nameField.SetMapName(mapNameBefore.c_str());
  document.Notify({RkMapDocument::Change::Kind::WholeMap, 0, 0});
}

void RkClearMapStep::Redo() {
  nameField.SetMapName("");
  document.Reset();
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
