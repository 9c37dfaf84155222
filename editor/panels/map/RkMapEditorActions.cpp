// The map editor panel's button actions and its NPC preview.
#include "RkMapEditorActions.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "RkGridMath.h"
#include "RkLinkedMapsMover.h"
#include "RkPathParts.h"
#include "RkSheetCell.h"
#include "RkSprite.h"

namespace {

constexpr const char* kNoMapName = "No map name was provided.";
constexpr const char* kMapExtension = ".rkm";
constexpr int kCellSize = RkGridMath::kCellSize;
constexpr size_t kMissingListed = 5;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The failure's cause without the line feed that the system's texts end in.
std::string CauseOf(const RkFailure& failure) {
  std::string cause = failure.GetSystemText();
  while (!cause.empty() && (cause.back() == '\n' || cause.back() == '\r')) cause.pop_back();
  return cause;
}

std::string FileNotice(const std::string& what, const std::string& file, const std::string& cause) {
  return what + "\n" + file + "\n" + cause;
}

}  // namespace

std::string RkMapEditorActions::MapFileName(const std::string& typedName) {
  return EndsWith(typedName, kMapExtension) ? typedName : typedName + kMapExtension;
}

RkMapEditorActions::RkMapEditorActions(RkMapEditor& panel, RkMapDocument& document, RkDirect3D& renderer,
                                       RkNPCList& npcList, FileChooser chooseFile, NoticeShower showNotice)
    : panel(panel),
      document(document),
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
  SaveAs(MapFileName(name));
}

std::string RkMapEditorActions::GetSaveTarget() const {
  const std::string name = panel.GetMapName();
  return name.empty() ? document.GetFile() : MapFileName(name);
}

bool RkMapEditorActions::SaveToTarget() {
  const std::string file = GetSaveTarget();
  if (file.empty()) {
    showNotice(kNoMapName);
    return false;
  }
  return SaveAs(file);
}

bool RkMapEditorActions::SaveAs(const std::string& file) {
  if (!MayWriteOver(file)) {
    return false;
  }
  if (const auto failure = document.GetWorld().TrySave(file.c_str())) {
    showNotice(FileNotice("The map could not be saved; it stays open, unsaved:", file,
                          failure->GetMessage() + " " + CauseOf(*failure)).c_str());
    return false;
  }
  if (linkedMaps != nullptr) linkedMaps->AfterSave(document.GetWorld(), file);
  document.MarkSaved(file);
  if (mapSaved) mapSaved(file);
  return true;
}

// A name taken from a loaded file ("town" of "maps/town.rkm") or typed anew may
// name another map that already stands in the folder: that one is replaced only
// when the user says so.
bool RkMapEditorActions::MayWriteOver(const std::string& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) {
    return true;
  }
  const std::string& mapFile = document.GetFile();
  if (!mapFile.empty() && std::filesystem::equivalent(file, mapFile, error)) {
    return true;
  }
  constexpr int kYes = 0;
  constexpr int kNo = 1;
  return ask && ask("Replace " + file + "?", {"Yes", "No"}, kNo) == kYes;
}

void RkMapEditorActions::LoadMap() {
  if (mayReplaceMap && !mayReplaceMap()) {
    return;
  }
  std::string path;
  if (!chooseFile(RkFileDialog::MapsFilter(), path)) {
    return;
  }
  LoadChosenFile(path);
}

bool RkMapEditorActions::LoadMapFile(const std::string& path) {
  if (mayReplaceMap && !mayReplaceMap()) {
    return false;
  }
  return LoadChosenFile(path);
}

bool RkMapEditorActions::LoadChosenFile(const std::string& path) {
  if (!ReadMapFile(path)) return false;
  if (mapLoaded) mapLoaded(path);
  return true;
}

bool RkMapEditorActions::ReadMapFile(const std::string& path) { return OpenMapFile(path, path); }

// Read into a world of its own: the map being edited stays unless this one reads whole.
bool RkMapEditorActions::OpenMapFile(const std::string& path, const std::string& fileOfMap) {
  RkWorld loaded;
  if (const auto failure = loaded.TryLoad(path.c_str())) {
    showNotice(FileNotice("The map could not be opened:", path,
                          failure->GetMessage() + " " + CauseOf(*failure)).c_str());
    return false;
  }
  loaded.SetFileName(fileOfMap.c_str());
  panel.SetMapName(RkPathParts::Stem(fileOfMap).c_str());
  const std::vector<std::string> missing = UsePlaceholdersForMissingImages(loaded);
  document.Replace(std::move(loaded));
  if (resetView) resetView();
  if (!missing.empty()) showNotice(MissingImagesNotice(missing).c_str());
  return true;
}

// The recovered work is the map's, not yet saved to its file.
bool RkMapEditorActions::RestoreMap(const std::string& recoveryPath, const std::string& fileOfMap) {
  if (!OpenMapFile(recoveryPath, fileOfMap)) return false;
  document.GetHistory().ForgetSavedState();
  return true;
}

// A map whose images moved still opens: each missing image (or a cell outside
// its sheet, or a cell suffix that is no cell) draws as a checker, set up before
// its sprites are registered, and one notice names the first few of them, each
// with the first map cell or NPC that uses it and why it does not load.
std::vector<std::string> RkMapEditorActions::UsePlaceholdersForMissingImages(const RkWorld& world) {
  std::map<std::pair<std::string, bool>, std::string> files;  // the first user of each
  for (int x = 0; x < world.GetWidth(); ++x) {
    for (int y = 0; y < world.GetHeight(); ++y) {
      files.emplace(std::make_pair(std::string(world.GetTileImageFile(x, y)), false),
                    "map cell " + std::to_string(x) + ", " + std::to_string(y));
    }
  }
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    files.emplace(std::make_pair(std::string(world.GetNPCImageFile(i)), true),
                  std::string("NPC ") + world.GetNPC(i).GetName());
  }
  std::vector<std::string> missing;
  std::set<std::string> listed;
  for (const auto& [image, user] : files) {
    const auto& [file, isCharacter] = image;
    if (file.empty()) continue;
    std::string cause = RkSprite::TryLoadImage(renderer.GetDevice(), file.c_str(), kCellSize, kCellSize, isCharacter);
    if (cause.empty()) continue;
    const RkSheetCell cell = RkSheetCell::Locate("", file);
    if (cell.IsMalformed()) cause = cell.GetProblem();
    RkSprite::UsePlaceholder(renderer.GetDevice(), file.c_str(), kCellSize, kCellSize, isCharacter);
    if (listed.insert(file).second) missing.push_back(file + " (" + user + "): " + cause);
  }
  return missing;
}

std::string RkMapEditorActions::MissingImagesNotice(const std::vector<std::string>& missing) {
  std::string text = std::to_string(missing.size()) + " image(s) of this map could not be loaded; they show as checkers:";
  for (size_t i = 0; i < missing.size() && i < kMissingListed; ++i) text += "\n" + missing[i];
  if (missing.size() > kMissingListed) text += "\n... and " + std::to_string(missing.size() - kMissingListed) + " more";
  return text;
}

// The map and its name go as one step of the map's history; the panel's other
// fields start afresh.
void RkMapEditorActions::ClearMap() {
  if (mayReplaceMap && !mayReplaceMap()) {
    return;
  }
  document.Clear(panel);
  if (resetView) resetView();
  panel.SetNewAreaLabel("");
  panel.SetStartX("0");
  panel.SetStartY("0");
  panel.SetNPCSprite(nullptr);
  panel.SetTileSprite(nullptr);
  panel.SetNewAreaFile("");
  panel.SetNPCImageFile("");
  panel.SetTileImageFile("");
}

void RkMapEditorActions::LoadTileSprite() {
  std::string path;
  if (!chooseFile(RkFileDialog::SpritesFilter(), path)) {
    return;
  }
  UseTileImage(path);
}

void RkMapEditorActions::UseTileImage(const std::string& path) {
  const std::string cause = RkSprite::TryLoadImage(renderer.GetDevice(), path.c_str(), kCellSize, kCellSize, false);
  if (!cause.empty()) {
    showNotice(FileNotice("The image could not be loaded:", path, cause).c_str());
    return;
  }
  panel.SetTileImageFile(path.c_str());
  panel.SetTileSprite(MakePreviewSprite(path.c_str(), RkMapEditor::kTilePreviewRect));
}

void RkMapEditorActions::UseTileBlock(const std::string& path, int columns, int rows) {
  UseTileImage(path);
  if (path == panel.GetTileImageFile()) panel.SetTileBlock(columns, rows);
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
// the list no longer holds) shows no preview rather than failing on an empty file;
// an image that does not load is a notice, once per choice, as for any picked file.
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
  const std::string cause =
      RkSprite::TryLoadImage(renderer.GetDevice(), npc.GetImageFile(), kCellSize, kCellSize, false);
  if (!cause.empty()) {
    panel.SetNPCSprite(nullptr);
    showNotice(FileNotice("The image of NPC " + std::string(name) + " could not be loaded:", npc.GetImageFile(),
                          cause).c_str());
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
