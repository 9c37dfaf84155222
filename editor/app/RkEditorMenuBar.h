// The editor's main menu bar: File, Edit, View, Tools and Help. It only draws: a chosen
// item queues its command on the application object, which takes it at the
// start of the next pass.
#pragma once

class RkEngine;

class RkEditorMenuBar {
 public:
  explicit RkEditorMenuBar(RkEngine& engine) : engine(engine) {}

  // Draws the bar inside the current ImGui frame; its height in pixels, or 0
  // when no bar could be begun.
  int Draw();
  // The canvas's context menu (a right click on a cell): Set Start Here and
  // Playtest Here, for the cell that was clicked.
  void DrawCanvasMenu();

 private:
  void DrawFileMenu();
  // Between File and View; an item with nothing to take back is greyed out.
  void DrawEditMenu();
  void DrawViewMenu();
  void DrawToolsMenu();
  void DrawHelpMenu();

  RkEngine& engine;
  bool contextOnMap = false;
  int contextX = 0;
  int contextY = 0;
};
