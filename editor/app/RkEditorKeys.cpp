// The keys of one pass, in the order the editor takes them.
#include "RkEditorKeys.h"

#include <algorithm>

#include "RkEngine.h"

bool RkEditorKeys::Handle() {
  const uint8_t* keys = engine.GetInput().KeyboardState();
  UpdateHeldForText(keys);
  HandleUndo(keys);
  const bool escape = IsDown(keys, DIK_ESCAPE);
  if (escape) {
    arrowRepeat.StepsFor(DirectionNone, engine.GetTime());
  } else {
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
  const bool typing = engine.GetInterface().WantsTextInput();
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
  if (WentDown(keys, DIK_G)) engine.HandleMenuCommand(RkEngine::CommandViewGrid);
  if (WentDown(keys, DIK_K)) engine.HandleMenuCommand(RkEngine::CommandViewCellKinds);
  if (WentDown(keys, DIK_L)) engine.HandleMenuCommand(RkEngine::CommandViewLinks);
  // The game's keys act on the cell under the pointer, as it is now.
  if (WentDown(keys, DIK_F5)) engine.HandleMenuCommand(RkEngine::CommandPlaytest);
  if (WentDown(keys, DIK_T)) engine.HandleMenuCommand(RkEngine::CommandSetStartHere);
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; while a text field has the keyboard they
// are the field's (its own undo), as every key held for it.
void RkEditorKeys::HandleUndo(const uint8_t* keys) {
  const bool control = IsDown(keys, DIK_LCONTROL) || IsDown(keys, DIK_RCONTROL);
  const bool shift = IsDown(keys, DIK_LSHIFT) || IsDown(keys, DIK_RSHIFT);
  engine.GetUndoControl().HandleKeys(control, shift, IsDown(keys, DIK_Z), IsDown(keys, DIK_Y));
}

// The arrows move the view one cell on a press and then at a steady pace while
// held, however fast the loop runs; Home goes back to 100 % with the map's cell
// (0, 0) at the canvas's corner.
void RkEditorKeys::MoveView(const uint8_t* keys) {
  if (WentDown(keys, DIK_HOME)) engine.GetView().Reset(engine.GetOrigin().GetX(), engine.GetOrigin().GetY());
  const RkDirection direction = HeldArrow(keys);
  for (int steps = arrowRepeat.StepsFor(direction, engine.GetTime()); steps > 0; --steps) {
    engine.GetCamera().Move(direction);
  }
}
