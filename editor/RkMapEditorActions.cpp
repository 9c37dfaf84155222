// The map editor panel's button actions and its NPC preview.
#include "RkMapEditorActions.h"

#include <utility>

#include "RkMapCanvas.h"
#include "RkPathParts.h"
#include "RkSprite.h"

namespace {

constexpr const char* kNoMapName = "No map name was provided.";
constexpr const char* kMapExtension = ".rkm";
constexpr int kCellSize = RkMapCanvas::kCellSize;

}  // namespace

RkMapEditorActions::RkMapEditorActions(RkMapEditor& panel, RkWorld& world, RkEntity& camera,
                                       RkEntity& origin, RkDirect3D& renderer, RkNPCList& npcList,
                                       FileChooser chooseFile, NoticeShower showNotice)
    : panel(panel),
      world(world),
      camera(camera),
      origin(origin),
      renderer(renderer),
      npcList(npcList),
      chooseFile(std::move(chooseFile)),
      showNotice(std::move(showNotice)) {}

void RkMapEditorActions::Poll() {
  if (panel.TakeClick(RkMapEditor::Button::SaveMap)) {
    SaveMap();
  }
  if (panel.TakeClick(RkMapEditor::Button::LoadMap)) {
    LoadMap();
  }
  if (panel.TakeClick(RkMapEditor::Button::ClearMap)) {
    ClearMap();
  }
  if (panel.TakeClick(RkMapEditor::Button::LoadSprite)) {
    LoadTileSprite();
  }
  if (panel.TakeClick(RkMapEditor::Button::LoadNewArea)) {
    LoadNewArea();
  }
  FollowNPCSelection();
}

void RkMapEditorActions::SaveMap() {
  const std::string name = panel.GetMapName();
  if (name.empty()) {
    showNotice(kNoMapName);
    return;
  }
  world.Save((name + kMapExtension).c_str());
}

void RkMapEditorActions::LoadMap() {
  std::string path;
  if (!chooseFile(RkFileDialog::MapsFilter(), path)) {
    return;
  }
  panel.SetMapName(RkPathParts::Stem(path).c_str());
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world.Clear();
  world.Load(path.c_str());
  renderer.ClearSprites();
  RebuildSprites();
}

void RkMapEditorActions::RebuildSprites() {
  for (int x = 0; x < world.GetWidth(); ++x) {
    for (int y = 0; y < world.GetHeight(); ++y) {
      renderer.AddSprite(world.GetTileImageFile(x, y), static_cast<float>(kCellSize * x),
                         static_cast<float>(kCellSize * y), kCellSize, kCellSize, 0, 0);
    }
  }
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    renderer.AddSprite(world.GetNPCImageFile(i), static_cast<float>(kCellSize * world.GetNPCX(i)),
                       static_cast<float>(kCellSize * world.GetNPCY(i)), kCellSize, kCellSize, 0, 1);
  }
}

void RkMapEditorActions::ClearMap() {
  panel.SetMapName("");
  panel.SetNewAreaLabel("");
  panel.SetStartX("0");
  panel.SetStartY("0");
  panel.SetNPCSprite(nullptr);
  panel.SetTileSprite(nullptr);
  panel.SetNewAreaFile("");
  panel.SetNPCImageFile("");
  panel.SetTileImageFile("");
  camera.SetPosition(0, 0);
  origin.SetPosition(0, 0);
  world.Clear();
  renderer.ClearSprites();
}

void RkMapEditorActions::LoadTileSprite() {
  std::string path;
  if (!chooseFile(RkFileDialog::SpritesFilter(), path)) {
    return;
  }
  panel.SetTileImageFile(path.c_str());
  panel.SetTileSprite(MakePreviewSprite(path.c_str(), RkMapEditor::kTilePreviewRect));
}

void RkMapEditorActions::LoadNewArea() {
  std::string path;
  if (!chooseFile(RkFileDialog::MapsFilter(), path)) {
    return;
  }
  panel.SetNewAreaFile(path.c_str());
  panel.SetNewAreaLabel(RkPathParts::FileName(path).c_str());
}

// The preview is built once per new choice. An NPC without an image (or a name
// the list no longer holds) shows no preview rather than failing on an empty file.
void RkMapEditorActions::FollowNPCSelection() {
  const int selection = panel.GetNPCSelection();
  if (selection < 0) {
    return;
  }
  const char* name = panel.GetNPCName(selection);
  if (selectedMapNPC == name) {
    return;
  }
  selectedMapNPC = name;
  const RkNPC npc = npcList.FindNPC(name);
  panel.SetNPCImageFile(npc.GetImageFile());
  if (npc.GetImageFile()[0] == '\0') {
    panel.SetNPCSprite(nullptr);
    return;
  }
  panel.SetNPCSprite(MakePreviewSprite(npc.GetImageFile(), RkMapEditor::kNPCPreviewRect));
}

std::unique_ptr<RkSprite> RkMapEditorActions::MakePreviewSprite(const char* imageFile,
                                                                const RkMapEditor::Rect& rect) {
  const RkVector3 center{0.0f, 0.0f, 0.0f};
  const RkVector3 position{static_cast<float>(rect.left), static_cast<float>(rect.top), 0.0f};
  return std::make_unique<RkSprite>(renderer.GetDevice(), imageFile, kCellSize, kCellSize, center,
                                    position, RK_COLOR_WHITE, 0, 0);
}
