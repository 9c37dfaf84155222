// The tool strip: a narrow window at the canvas's right edge with one button per
// canvas tool (Brush, Rectangle, Fill, Select) and its key, the chosen one lit,
// and Copy, Cut, Paste and Delete for the selection. It binds the map panel's
// tool choice; the edit buttons queue what their keys do.
#pragma once

#include <functional>

#include "RkMapEditor.h"

class RkToolStrip {
 public:
  enum class Action { Copy, Cut, Paste, Delete };
  using ActionRunner = std::function<void(Action action)>;

  static constexpr const char* kWindowTitle = "Tools";
  static constexpr float kButtonWidth = 104.0f;
  // The window's width: the buttons and ImGui's window padding.
  static constexpr float kWidth = kButtonWidth + 16.0f;

  RkToolStrip(RkMapEditor& panel, ActionRunner runAction) : panel(panel), runAction(std::move(runAction)) {}

  // The tool's name as the strip and the status bar show it.
  static const char* NameOf(RkMapEditor::Tool tool);

  // Drawn while the map panel is open, its top-left corner at window pixel
  // (left, top). Between ImGui's NewFrame and Render.
  void Draw(float left, float top);

 private:
  void ToolButton(RkMapEditor::Tool tool, const char* key);
  void ActionButton(Action action, const char* text);

  RkMapEditor& panel;
  ActionRunner runAction;
};
