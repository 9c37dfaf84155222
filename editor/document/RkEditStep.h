// One step of the editor's history: a user's action on the map or on the NPC
// library, kept as what it changed, so that it can be taken back and made again.
// The history calls Undo and Redo in strict turn: a step is undone only from the
// state right after it, and redone only from the state right before it.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

class RkEditStep {
 public:
  explicit RkEditStep(std::string label) : label(std::move(label)) {}
  virtual ~RkEditStep() = default;
  RkEditStep(const RkEditStep&) = delete;
  RkEditStep& operator=(const RkEditStep&) = delete;

  virtual void Undo() = 0;
  virtual void Redo() = 0;
  // Roughly the memory the step holds, for the history's budget.
  virtual std::size_t GetByteSize() const = 0;

  // What the Edit menu names the step by ("Paint 12 cells", "Place NPC Bram").
  const std::string& GetLabel() const { return label; }

 private:
  std::string label;
};
