// The canvas tools' keys, taken once a pass while the map panel is open and no
// text field has the keyboard: B Brush, P Rectangle, F Fill, R Select; Ctrl+C,
// Ctrl+X and Ctrl+V copy, cut and paste the selection; Delete erases it. Each
// acts once per press. Escape stays with RkEditorKeys; RkEngine lets the tools
// drop a paste or a selection with it first.
#pragma once

#include <array>
#include <cstdint>

#include "RkEditorKeys.h"
#include "RkMapEditor.h"
#include "RkMapTools.h"
#include "RkToolStrip.h"

class RkToolKeys {
 public:
  RkToolKeys(const RkEditorKeys& keys, RkMapEditor& panel, RkMapTools& tools)
      : keys(keys), panel(panel), tools(tools) {}

  // After RkEditorKeys::Handle has taken the same table (it knows which keys
  // a text field holds).
  void Handle(const uint8_t* table);
  // What the tool strip's edit buttons do: the same as their keys.
  void Run(RkToolStrip::Action action);

 private:
  bool WentDown(const uint8_t* table, uint8_t key) const;

  const RkEditorKeys& keys;
  RkMapEditor& panel;
  RkMapTools& tools;
  std::array<bool, RK_KEY_TABLE_SIZE> wasDown{};
};
