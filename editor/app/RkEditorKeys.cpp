// The keys of one pass, in the order the editor takes them.
#include "RkEditorKeys.h"

#include <algorithm>

#include "RkMenuCommands.h"

bool RkEditorKeys::Handle(const uint8_t* keys) {
  UpdateHeldForText(keys);
  HandleUndo(keys);
  const bool escape = IsDown(keys, DIK_ESCAPE);
  if (!escape) {
    ToggleLayers(keys);
    MoveView(keys);
  }
  const bool escapePressed = escape && WentDown(keys, DIK_ESCAPE);
  std::copy(keys, keys + RK_KEY_TABLE_SIZE, previous.begin());
  return !escapePressed;
}

bool RkEditorKeys::IsDown(const uint8_t* keys, uint8_t key) const {
  return (keys[key] & RK_KEY_DOWN) != 0 && !heldForText[key];
}

void RkEditorKeys::AfterRead(const uint8_t* keys) {
  if (holdOnNextRead) {
    HoldDown(keys);
    holdOnNextRead = false;
  }
}

// A key pressed while a text field has the keyboard belongs to the field until
// it is released, so that the Escape that ends an edit does not end the editor.
void RkEditorKeys::UpdateHeldForText(const uint8_t* keys) {
  const bool typing = ui.WantsTextInput();
  for (int key = 0; key < RK_KEY_TABLE_SIZE; ++key) {
    if ((keys[key] & RK_KEY_DOWN) == 0) {
      heldForText[key] = false;
    } else if (typing) {
      heldForText[key] = true;
    }
  }
}

void RkEditorKeys::HoldDown(const uint8_t* keys) {
  for (int key = 0; key < RK_KEY_TABLE_SIZE; ++key) {
    if ((keys[key] & RK_KEY_DOWN) != 0) {
      heldForText[key] = true;
    }
  }
}

bool RkEditorKeys::WentDown(const uint8_t* keys, uint8_t key) const {
  return IsDown(keys, key) && (previous[key] & RK_KEY_DOWN) == 0;
}

RkDirection RkEditorKeys::HeldArrow(const uint8_t* keys) const {
  if (IsDown(keys, DIK_LEFT)) return DirectionLeft;
  if (IsDown(keys, DIK_RIGHT)) return DirectionRight;
  if (IsDown(keys, DIK_UP)) return DirectionUp;
  if (IsDown(keys, DIK_DOWN)) return DirectionDown;
  return DirectionNone;
}

void RkEditorKeys::ToggleLayers(const uint8_t* keys) {
  if (WentDown(keys, DIK_G)) runCommand(RkMenuCommands::CommandViewGrid);
  if (WentDown(keys, DIK_K)) runCommand(RkMenuCommands::CommandViewCellKinds);
  if (WentDown(keys, DIK_L)) runCommand(RkMenuCommands::CommandViewLinks);
  // The game's keys act on the cell under the pointer, as it is now.
  if (WentDown(keys, DIK_F5)) runCommand(RkMenuCommands::CommandPlaytest);
  if (WentDown(keys, DIK_T)) runCommand(RkMenuCommands::CommandSetStartHere);
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; while a text field has the keyboard they
// are the field's (its own undo), as every key held for it.
void RkEditorKeys::HandleUndo(const uint8_t* keys) {
  const bool control = IsDown(keys, DIK_LCONTROL) || IsDown(keys, DIK_RCONTROL);
  const bool shift = IsDown(keys, DIK_LSHIFT) || IsDown(keys, DIK_RSHIFT);
  undo.HandleKeys(control, shift, IsDown(keys, DIK_Z), IsDown(keys, DIK_Y));
}

// A held arrow moves the view one cell on every pass, the first one included:
// no pause and no pace of its own, so ten passes held are ten cells. Home goes
// back to 100 % with the map's cell (0, 0) at the canvas's corner.
void RkEditorKeys::MoveView(const uint8_t* keys) {
  if (WentDown(keys, DIK_HOME)) view.Reset(map.GetOrigin().GetX(), map.GetOrigin().GetY());
  const RkDirection direction = HeldArrow(keys);
  if (direction != DirectionNone) map.GetCamera().Move(direction);
}
