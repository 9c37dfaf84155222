// Tools > Check Maps: the map checker's findings on the working folder as a list
// window. A click on a finding loads its map through the map panel's own load
// (RkMapEditorActions::LoadMapFile) and centres the canvas on the finding's cell.
// RkEngine opens it from the menu, polls it once per pass (outside the ImGui
// frame, since loading may show a notice) and draws it with the other windows.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RkCanvasView.h"
#include "RkEntity.h"
#include "RkMapFinding.h"
#include "RkWorld.h"

class RkCheckMapsWindow {
 public:
  static constexpr const char* kTitle = "Check Maps";

  // Loads a map file as Load Map does; false when it was not loaded.
  using MapLoader = std::function<bool(const std::string& path)>;
  // Whether the edited map has changes not yet saved to its file.
  using UnsavedQuery = std::function<bool()>;

  RkCheckMapsWindow(const RkWorld& world, RkCanvasView& view, const RkEntity& origin, MapLoader loadMap);
  RkCheckMapsWindow(const RkCheckMapsWindow&) = delete;
  RkCheckMapsWindow& operator=(const RkCheckMapsWindow&) = delete;

  // Without it every map is checked as its file holds it.
  void SetMapUnsavedQuery(UnsavedQuery query) { isMapUnsaved = std::move(query); }

  // Checks the maps of folder ("" is the working folder) and shows the list;
  // the edited map, when it is one of the folder's and unsaved, as it is now.
  void Open(const std::string& folder = "");
  bool IsOpen() const { return open; }
  const std::vector<RkMapFinding>& GetFindings() const { return findings; }

  // A click on the finding at that place of the list; acted on by the next Poll.
  void Pick(std::size_t index) { picked = index; }
  // Loads the picked finding's map (unless it is the one being edited) and centres
  // a canvas of that many pixels on its cell.
  void Poll(int canvasWidth, int canvasHeight);
  void Draw();

  // The summary above the list ("2 errors, 1 warning").
  std::string Summary() const;
  // The finding's line as the list shows it: the edited map's file is named
  // "World.rkm (unsaved)" when its unsaved state was checked.
  std::string LineOf(const RkMapFinding& finding) const;
  // The edited map's file name in the folder when the last check took it from
  // memory; empty when every map came from its file.
  const std::string& GetUnsavedMap() const { return unsavedMap; }

 private:
  std::string EditedMapInFolder() const;
  bool ShowMapOf(const RkMapFinding& finding);
  void CentreOn(int32_t cellX, int32_t cellY, int canvasWidth, int canvasHeight);
  void DrawFinding(std::size_t index);

  const RkWorld& world;
  RkCanvasView& view;
  const RkEntity& origin;
  MapLoader loadMap;
  UnsavedQuery isMapUnsaved;
  std::string folder;
  std::string unsavedMap;
  std::vector<RkMapFinding> findings;
  std::optional<std::size_t> picked;
  bool open = false;
  bool placeWindow = false;
};
