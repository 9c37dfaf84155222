// The tool strip's window and buttons.
#include "RkToolStrip.h"

#include <imgui.h>

#include <string>

const char* RkToolStrip::NameOf(RkMapEditor::Tool tool) {
  switch (tool) {
    case RkMapEditor::Tool::Rectangle:
      return "Rectangle";
    case RkMapEditor::Tool::Fill:
      return "Fill";
    case RkMapEditor::Tool::Select:
      return "Select";
    default:
      return "Brush";
  }
}

void RkToolStrip::Draw(float left, float top) {
  ImGui::SetNextWindowPos(ImVec2(left, top), ImGuiCond_Always);
  constexpr ImGuiWindowFlags kFlags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                      ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                                      ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoFocusOnAppearing |
                                      ImGuiWindowFlags_NoScrollbar;
  if (ImGui::Begin(kWindowTitle, nullptr, kFlags)) {
    ToolButton(RkMapEditor::Tool::Brush, "B");
    ToolButton(RkMapEditor::Tool::Rectangle, "P");
    ToolButton(RkMapEditor::Tool::Fill, "F");
    ToolButton(RkMapEditor::Tool::Select, "R");
    ImGui::Separator();
    ActionButton(Action::Copy, "Copy");
    ActionButton(Action::Cut, "Cut");
    ActionButton(Action::Paste, "Paste");
    ActionButton(Action::Delete, "Delete");
  }
  ImGui::End();
}

void RkToolStrip::ToolButton(RkMapEditor::Tool tool, const char* key) {
  const bool chosen = panel.GetTool() == tool;
  if (chosen) ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_ButtonActive));
  const std::string text = std::string(NameOf(tool)) + " (" + key + ")";
  if (ImGui::Button(text.c_str(), ImVec2(kButtonWidth, 0.0f))) panel.SetTool(tool);
  if (chosen) ImGui::PopStyleColor();
}

void RkToolStrip::ActionButton(Action action, const char* text) {
  if (ImGui::Button(text, ImVec2(kButtonWidth, 0.0f)) && runAction) runAction(action);
}
