// Undo and redo from the Edit menu and the keys.
#include "RkUndoControl.h"

namespace {

constexpr const char* kMapPanelTitle = "Map Editor";
constexpr const char* kNPCPanelTitle = "NPC Editor";

}  // namespace

RkUndoControl::RkUndoControl(RkMapDocument& map, RkEditHistory& libraryHistory)
    : map(map), libraryHistory(libraryHistory) {}

void RkUndoControl::NoteFocusedWindow(const std::string& title) {
  if (title == kMapPanelTitle) {
    last = Area::Map;
  } else if (title == kNPCPanelTitle) {
    last = Area::Library;
  }
}

bool RkUndoControl::Undo() {
  map.EndStroke();
  return Active().Undo();
}

bool RkUndoControl::Redo() {
  map.EndStroke();
  return Active().Redo();
}

std::string RkUndoControl::GetUndoItemText() const {
  const std::string label = Active().GetUndoLabel();
  return label.empty() ? "Undo" : "Undo " + label;
}

std::string RkUndoControl::GetRedoItemText() const {
  const std::string label = Active().GetRedoLabel();
  return label.empty() ? "Redo" : "Redo " + label;
}

void RkUndoControl::HandleKeys(bool control, bool shift, bool z, bool y) {
  const bool undoPressed = control && z && !shift;
  const bool redoPressed = control && (y || (z && shift));
  if (undoPressed && !undoKeyDown) {
    Undo();
  }
  if (redoPressed && !redoKeyDown) {
    Redo();
  }
  undoKeyDown = undoPressed;
  redoKeyDown = redoPressed;
}
