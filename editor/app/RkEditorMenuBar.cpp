// The menu bar's items, each queueing its command.
#include "RkEditorMenuBar.h"

#include <imgui.h>

#include "RkMenuCommands.h"

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
  if (ImGui::MenuItem("Map Editor")) queue(RkMenuCommands::CommandMapEditor);
  if (ImGui::MenuItem("NPC Editor")) queue(RkMenuCommands::CommandNPCEditor);
  if (ImGui::MenuItem("Creature Editor")) queue(RkMenuCommands::CommandCreatureEditor);
  if (ImGui::MenuItem("Item Editor")) queue(RkMenuCommands::CommandItemEditor);
  ImGui::Separator();
  if (ImGui::MenuItem("Game Settings...")) queue(RkMenuCommands::CommandGameSettings);
  if (ImGui::MenuItem("Export Game...")) queue(RkMenuCommands::CommandExportGame);
  ImGui::Separator();
  if (ImGui::MenuItem("Exit")) queue(RkMenuCommands::CommandExit);
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawEditMenu() {
  if (!ImGui::BeginMenu("Edit")) {
    return;
  }
  const RkEditHistory& history = undo.Active();
  if (ImGui::MenuItem(undo.GetUndoItemText().c_str(), "Ctrl+Z", false, history.CanUndo())) {
    queue(RkMenuCommands::CommandUndo);
  }
  if (ImGui::MenuItem(undo.GetRedoItemText().c_str(), "Ctrl+Y", false, history.CanRedo())) {
    queue(RkMenuCommands::CommandRedo);
  }
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawViewMenu() {
  if (!ImGui::BeginMenu("View")) {
    return;
  }
  const RkMapOverlay::Layers& layers = overlay.GetLayers();
  if (ImGui::MenuItem("Grid", "G", layers.grid)) queue(RkMenuCommands::CommandViewGrid);
  if (ImGui::MenuItem("Cell Kinds", "K", layers.kinds)) queue(RkMenuCommands::CommandViewCellKinds);
  if (ImGui::MenuItem("Links and NPCs", "L", layers.links)) queue(RkMenuCommands::CommandViewLinks);
  ImGui::Separator();
  if (ImGui::MenuItem("Tile Palette", nullptr, palette.IsOpen())) {
    queue(RkMenuCommands::CommandViewTilePalette);
  }
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawToolsMenu() {
  if (!ImGui::BeginMenu("Tools")) {
    return;
  }
  if (ImGui::MenuItem("Check Maps")) queue(RkMenuCommands::CommandCheckMaps);
  if (ImGui::MenuItem("Playtest", "F5")) queue(RkMenuCommands::CommandPlaytest);
  ImGui::EndMenu();
}

void RkEditorMenuBar::DrawHelpMenu() {
  if (!ImGui::BeginMenu("Help")) {
    return;
  }
  if (ImGui::MenuItem("About")) queue(RkMenuCommands::CommandAbout);
  ImGui::EndMenu();
}
