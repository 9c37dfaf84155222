// The editor's main menu bar: File, Edit, View, Tools and Help. It only draws: a chosen
// item queues its command, which the application object takes at the start of
// the next pass. It shows the undo items' texts, the layers shown and whether
// the tile palette is open.
#pragma once

#include <functional>

#include "RkMapOverlay.h"
#include "RkTilePalette.h"
#include "RkUndoControl.h"

class RkEditorMenuBar {
 public:
  using CommandQueue = std::function<void(int command)>;

  RkEditorMenuBar(const RkUndoControl& undo, const RkMapOverlay& overlay, const RkTilePalette& palette,
                  CommandQueue queue)
      : undo(undo), overlay(overlay), palette(palette), queue(std::move(queue)) {}

  // Draws the bar inside the current ImGui frame; its height in pixels, or 0
  // when no bar could be begun.
  int Draw();

 private:
  void DrawFileMenu();
  // Between File and View; an item with nothing to take back is greyed out.
  void DrawEditMenu();
  void DrawViewMenu();
  void DrawToolsMenu();
  void DrawHelpMenu();

  const RkUndoControl& undo;
  const RkMapOverlay& overlay;
  const RkTilePalette& palette;
  CommandQueue queue;
};
