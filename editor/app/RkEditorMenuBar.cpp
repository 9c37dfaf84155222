// The menu bar's items, each queueing its command.
#include "RkEditorMenuBar.h"

#include <imgui.h>

#include "RkEngine.h"

int RkEditorMenuBar::Draw() {
  if (!ImGui::BeginMainMenuBar()) {
    return 0;
  }
  const int height = static_cast<int>(ImGui::GetWindowHeight());
  DrawFileMenu();
  DrawEditMenu();
  DrawViewMenu();
  DrawToolsMenu();
  DrawHelpMenu();
  ImGui::EndMainMenuBar();
  return height;
}

void RkEditorMenuBar::DrawFileMenu() {
  if (!ImGui::BeginMenu("File")) {
    return;
  }
  if (ImGui::MenuItem("Map Editor")) engine.QueueMenuCommand(RkEngine::CommandMapEditor);
  if (ImGui::MenuItem("NPC Editor")) engine.QueueMenuCommand(RkEngine::CommandNPCEditor);
  if (ImGui::MenuItem("Game Settings...")) engine.QueueMenuCommand(RkEngine::CommandGameSettings);
  if (ImGui::MenuItem("Creature Editor")) engine.QueueMenuCommand(RkEngine::CommandCreatureEditor);
  if (ImGui::MenuItem("Item Editor")) engine.QueueMenuCommand(RkEngine::CommandItemEditor);
  if (ImGui::MenuItem("Exit")) engine.QueueMenuCommand(RkEngine::CommandExit);
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawEditMenu() {
  if (!ImGui::BeginMenu("Edit")) {
    return;
  }
  const RkUndoControl& undo = engine.GetUndoControl();
  const RkEditHistory& history = undo.Active();
  if (ImGui::MenuItem(undo.GetUndoItemText().c_str(), "Ctrl+Z", false, history.CanUndo())) {
    engine.QueueMenuCommand(RkEngine::CommandUndo);
  }
  if (ImGui::MenuItem(undo.GetRedoItemText().c_str(), "Ctrl+Y", false, history.CanRedo())) {
    engine.QueueMenuCommand(RkEngine::CommandRedo);
  }
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawViewMenu() {
  if (!ImGui::BeginMenu("View")) {
    return;
  }
  const RkMapOverlay::Layers& layers = engine.GetMapOverlay().GetLayers();
  if (ImGui::MenuItem("Grid", "G", layers.grid)) engine.QueueMenuCommand(RkEngine::CommandViewGrid);
  if (ImGui::MenuItem("Cell Kinds", "K", layers.kinds)) engine.QueueMenuCommand(RkEngine::CommandViewCellKinds);
  if (ImGui::MenuItem("Links and NPCs", "L", layers.links)) engine.QueueMenuCommand(RkEngine::CommandViewLinks);
  ImGui::Separator();
  if (ImGui::MenuItem("Tile Palette", nullptr, engine.GetTilePalette().IsOpen())) {
    engine.QueueMenuCommand(RkEngine::CommandViewTilePalette);
  }
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawToolsMenu() {
  if (!ImGui::BeginMenu("Tools")) {
    return;
  }
  if (ImGui::MenuItem("Check Maps")) engine.QueueMenuCommand(RkEngine::CommandCheckMaps);
  if (ImGui::MenuItem("Playtest", "F5")) engine.QueueMenuCommand(RkEngine::CommandPlaytest);
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawHelpMenu() {
  if (!ImGui::BeginMenu("Help")) {
    return;
  }
  if (ImGui::MenuItem("About")) engine.QueueMenuCommand(RkEngine::CommandAbout);
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawCanvasMenu() {
  constexpr const char* kMenu = "Canvas";
  if (engine.IsPointerOnCanvas() && ImGui::IsMouseClicked(ImGuiMouseButton_Right)) {
    contextOnMap = engine.HoveredMapCell(contextX, contextY);
    if (contextOnMap) ImGui::OpenPopup(kMenu);
  }
  if (!ImGui::BeginPopup(kMenu)) return;
  ImGui::TextDisabled("Cell (%d, %d)", contextX, contextY);
  if (ImGui::MenuItem("Set Start Here", "T")) engine.QueueCellCommand(RkEngine::CommandSetStartHere, contextX, contextY);
  if (ImGui::MenuItem("Playtest Here", "F5")) engine.QueueCellCommand(RkEngine::CommandPlaytest, contextX, contextY);
  ImGui::EndPopup();
}
