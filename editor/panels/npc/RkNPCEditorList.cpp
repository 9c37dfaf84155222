// List boxes of the NPC editor panel, as plain entries and a selection.
#include "RkNPCEditorList.h"

void RkNPCEditorList::AddString(const std::string& entry) { entries_.push_back(entry); }

void RkNPCEditorList::DeleteString(int index) {
  if (index < 0 || index >= GetCount()) {
    return;
  }
  entries_.erase(entries_.begin() + index);
  if (selection_ == index) {
    selection_ = kNoSelection;
  } else if (selection_ > index) {
    --selection_;
  }
}

void RkNPCEditorList::ResetContent() {
  entries_.clear();
  selection_ = kNoSelection;
}

void RkNPCEditorList::SetCurSel(int index) {
  selection_ = (index >= 0 && index < GetCount()) ? index : kNoSelection;
}
