// The editor's keys, taken once a pass: Escape, the arrows that move the view
// (one cell a pass while held), Home, the layer toggles G, K and L, F5
// (playtest) and T (Set Start Here), and the undo keys. A key pressed while a text field, a box
// or a dialog had the keyboard belongs to it until released.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "RkCanvasView.h"
#include "RkImGuiLayer.h"
#include "RkInput.h"
#include "RkMapDocument.h"
#include "RkUndoControl.h"

class RkEditorKeys {
 public:
  // Runs a menu command at once (the layer toggles G, K and L).
  using CommandRunner = std::function<void(int command)>;

  RkEditorKeys(const RkImGuiLayer& ui, RkUndoControl& undo, RkCanvasView& view, RkMapDocument& map,
               CommandRunner runCommand)
      : ui(ui), undo(undo), view(view), map(map), runCommand(std::move(runCommand)) {}

  // Acts on the key table read this pass; false when Escape was pressed: the
  // engine closes what is open, or ends when nothing is. A held Escape acts once.
  bool Handle(const uint8_t* keys);
  // Whether a key is down for the editor (not held for a field, box or dialog).
  bool IsDown(const uint8_t* keys, uint8_t key) const;
  // A modal box or dialog took the keys: those down at the next read are its own.
  void HoldOnNextRead() { holdOnNextRead = true; }
  // Called with each fresh read of the keyboard.
  void AfterRead(const uint8_t* keys);

 private:
  void UpdateHeldForText(const uint8_t* keys);
  void HoldDown(const uint8_t* keys);
  bool WentDown(const uint8_t* keys, uint8_t key) const;
  RkDirection HeldArrow(const uint8_t* keys) const;
  void ToggleLayers(const uint8_t* keys);
  void HandleUndo(const uint8_t* keys);
  void MoveView(const uint8_t* keys);

  const RkImGuiLayer& ui;
  RkUndoControl& undo;
  RkCanvasView& view;
  RkMapDocument& map;
  CommandRunner runCommand;
  std::array<bool, RK_KEY_TABLE_SIZE> heldForText{};
  bool holdOnNextRead = false;
  // The keys as the last pass read them, for the presses that toggle a layer.
  std::array<uint8_t, RK_KEY_TABLE_SIZE> previous{};
};
