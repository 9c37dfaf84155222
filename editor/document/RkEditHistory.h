// The steps that can be taken back and made again, in the order they were made,
// with a marker for the state that was last saved, so that "unsaved" follows the
// history: undoing back to the saved state makes the work saved again. The
// history keeps the newest 1,000 steps, fewer when they hold more than 256 MB
// (the newest step is always kept).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "RkEditStep.h"

class RkEditHistory {
 public:
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;

  explicit RkEditHistory(std::size_t maxSteps = kMaxSteps, std::size_t maxBytes = kMaxBytes);

  // A step that has just been made: the steps undone before it can no longer be
  // redone.
  void Push(std::unique_ptr<RkEditStep> step);
  // Told after each Push: the user just worked on what this history records.
  void SetPushListener(std::function<void()> listener) { pushed = std::move(listener); }
  bool CanUndo() const { return done > 0; }
  bool CanRedo() const { return done < steps.size(); }
  // Empty when there is nothing to take back (or to make again).
  std::string GetUndoLabel() const;
  std::string GetRedoLabel() const;
  // False, changing nothing, when there is no step to undo (redo).
  bool Undo();
  bool Redo();

  // A new history (a map was loaded): no steps, and the present state is saved.
  void Clear();
  // The present state was saved.
  void MarkSaved() { saved = done; }
  // No state of the history is the saved one (work taken from elsewhere).
  void ForgetSavedState() { saved.reset(); }
  // The present state is the one last saved (or the one the history began with).
  bool IsAtSavedState() const { return saved && *saved == done; }

  std::size_t GetUndoCount() const { return done; }
  std::size_t GetRedoCount() const { return steps.size() - done; }
  std::size_t GetByteSize() const { return bytes; }
  // How many steps were ever pushed (with the undo count, which state the
  // history is in).
  std::size_t GetPushCount() const { return pushes; }

 private:
  void DropOldest();

  std::size_t maxSteps;
  std::size_t maxBytes;
  std::deque<std::unique_ptr<RkEditStep>> steps;
  // Steps [0, done) are made; [done, size) were undone and may be redone.
  std::size_t done = 0;
  // How many steps were made at the saved state; none once that state can no
  // longer be reached (its steps were dropped or replaced).
  std::optional<std::size_t> saved = std::size_t{0};
  std::size_t bytes = 0;
  std::size_t pushes = 0;
  std::function<void()> pushed;
};
