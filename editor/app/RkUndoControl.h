// The Edit menu's and the keys' way into the two histories: Undo and Redo act
// on the history of the window that the user worked in last, the map (canvas
// and map editor panel) or the NPC library (NPC editor). Ctrl+Z undoes, Ctrl+Y
// and Ctrl+Shift+Z redo, once per press; keys that a text field holds never
// reach here (the application object keeps them for the field).
#pragma once

#include <string>

#include "RkEditHistory.h"
#include "RkMapDocument.h"

class RkUndoControl {
 public:
  enum class Area { Map, Library };

  RkUndoControl(RkMapDocument& map, RkEditHistory& libraryHistory);
  RkUndoControl(const RkUndoControl&) = delete;
  RkUndoControl& operator=(const RkUndoControl&) = delete;

  void NoteWork(Area area) { last = area; }
  // The interface window with the keyboard focus tells where the user works;
  // other windows (the menu bar, a dialog) leave the last one.
  void NoteFocusedWindow(const std::string& title);
  RkEditHistory& Active() { return last == Area::Map ? map.GetHistory() : libraryHistory; }
  const RkEditHistory& Active() const { return last == Area::Map ? map.GetHistory() : libraryHistory; }

  // A stroke still being painted ends first, so that it is the step undone.
  bool Undo();
  bool Redo();
  // "Undo Paint 12 cells", or "Undo" when there is nothing to take back.
  std::string GetUndoItemText() const;
  std::string GetRedoItemText() const;

  // The keys of one pass, as the application object counts them down.
  void HandleKeys(bool control, bool shift, bool z, bool y);

 private:
  RkMapDocument& map;
  RkEditHistory& libraryHistory;
  Area last = Area::Map;
  bool undoKeyDown = false;
  bool redoKeyDown = false;
};
