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
  if (ImGui::MenuItem("Creature Editor")) engine.QueueMenuCommand(RkEngine::CommandCreatureEditor);
  if (ImGui::MenuItem("Item Editor")) engine.QueueMenuCommand(RkEngine::CommandItemEditor);
  ImGui::Separator();
  if (ImGui::MenuItem("Export Game...")) engine.QueueMenuCommand(RkEngine::CommandExportGame);
  ImGui::Separator();
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
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawHelpMenu() {
  if (!ImGui::BeginMenu("Help")) {
    return;
  }
  if (ImGui::MenuItem("About")) engine.QueueMenuCommand(RkEngine::CommandAbout);
  ImGui::EndMenu();
}
