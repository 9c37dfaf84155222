// The tool keys of one pass.
#include "RkToolKeys.h"

void RkToolKeys::Handle(const uint8_t* table) {
  const bool control = keys.IsDown(table, DIK_LCONTROL) || keys.IsDown(table, DIK_RCONTROL);
  if (panel.IsOpen()) {
    if (control) {
      if (WentDown(table, DIK_C)) Run(RkToolStrip::Action::Copy);
      if (WentDown(table, DIK_X)) Run(RkToolStrip::Action::Cut);
      if (WentDown(table, DIK_V)) Run(RkToolStrip::Action::Paste);
    } else {
      if (WentDown(table, DIK_B)) panel.SetTool(RkMapEditor::Tool::Brush);
      if (WentDown(table, DIK_P)) panel.SetTool(RkMapEditor::Tool::Rectangle);
      if (WentDown(table, DIK_F)) panel.SetTool(RkMapEditor::Tool::Fill);
      if (WentDown(table, DIK_R)) panel.SetTool(RkMapEditor::Tool::Select);
    }
    if (WentDown(table, DIK_DELETE)) Run(RkToolStrip::Action::Delete);
  }
  for (int key = 0; key < RK_KEY_TABLE_SIZE; ++key) {
    wasDown[key] = keys.IsDown(table, static_cast<uint8_t>(key));
  }
}

void RkToolKeys::Run(RkToolStrip::Action action) {
  switch (action) {
    case RkToolStrip::Action::Copy:
      tools.Copy();
      break;
    case RkToolStrip::Action::Cut:
      tools.Cut();
      break;
    case RkToolStrip::Action::Paste:
      tools.BeginPaste();
      break;
    case RkToolStrip::Action::Delete:
      tools.Delete();
      break;
  }
}

// A key held for a text field counts as up, so it acts only when pressed again.
bool RkToolKeys::WentDown(const uint8_t* table, uint8_t key) const {
  return keys.IsDown(table, key) && !wasDown[key];
}
