// The edit history: pushing, undoing and redoing steps, its limits, and the
// saved-state marker.
#include "RkEditHistory.h"

#include <utility>

RkEditHistory::RkEditHistory(std::size_t maxSteps, std::size_t maxBytes)
    : maxSteps(maxSteps), maxBytes(maxBytes) {}

void RkEditHistory::Push(std::unique_ptr<RkEditStep> step) {
  while (steps.size() > done) {
    bytes -= steps.back()->GetByteSize();
    steps.pop_back();
  }
  if (saved && *saved > done) {
    saved.reset();
  }
  ++pushes;
  bytes += step->GetByteSize();
  steps.push_back(std::move(step));
  ++done;
  while (steps.size() > maxSteps || (bytes > maxBytes && steps.size() > 1)) {
    DropOldest();
  }
  if (pushed) pushed();
}

void RkEditHistory::DropOldest() {
  bytes -= steps.front()->GetByteSize();
  steps.pop_front();
  --done;
  if (saved) {
    if (*saved == 0) {
      saved.reset();
    } else {
      --*saved;
    }
  }
}

std::string RkEditHistory::GetUndoLabel() const { return CanUndo() ? steps[done - 1]->GetLabel() : std::string(); }

std::string RkEditHistory::GetRedoLabel() const { return CanRedo() ? steps[done]->GetLabel() : std::string(); }

bool RkEditHistory::Undo() {
  if (!CanUndo()) {
    return false;
  }
  --done;
  steps[done]->Undo();
  return true;
}

bool RkEditHistory::Redo() {
  if (!CanRedo()) {
    return false;
  }
  steps[done]->Redo();
  ++done;
  return true;
}

void RkEditHistory::Clear() {
  steps.clear();
  done = 0;
  saved = 0;
  bytes = 0;
}
