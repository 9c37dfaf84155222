// One list box of the NPC editor panel as plain data: entries in insertion
// order (no sorting) and a single selection. The operations mirror the list-box
// messages the panel's polling uses; RkNPCEditor's Draw binds them to ImGui.
#pragma once

#include <string>
#include <vector>

class RkNPCEditorList {
 public:
  static constexpr int kNoSelection = -1;

  // Appends an entry at the end, as an unsorted list box does.
  void AddString(const std::string& entry);
  // Removes the entry at index; a selection after it moves up with it, the
  // selection of the removed entry is dropped. An index out of range does nothing.
  void DeleteString(int index);
  // Removes every entry and the selection.
  void ResetContent();

  int GetCount() const { return static_cast<int>(entries_.size()); }
  const std::string& GetText(int index) const { return entries_.at(static_cast<size_t>(index)); }

  // kNoSelection when nothing is selected.
  int GetCurSel() const { return selection_; }
  bool HasSelection() const { return selection_ != kNoSelection; }
  // Selects the entry at index; kNoSelection, or an index out of range, clears the selection.
  void SetCurSel(int index);
  // The selected entry; only valid while HasSelection().
  const std::string& GetSelectedText() const { return GetText(selection_); }

 private:
  std::vector<std::string> entries_;
  int selection_ = kNoSelection;
};
