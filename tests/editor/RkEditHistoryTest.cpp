// The edit history's limits: the newest 1,000 steps, fewer when they hold more
// than the memory budget, and a saved state that was dropped is never reached.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RkEditHistory.h"

namespace {

class CountingStep : public RkEditStep {
 public:
  CountingStep(int& value, std::size_t bytes) : RkEditStep("Add " + std::to_string(bytes)), value(value), bytes(bytes) {
    ++value;
  }
  void Undo() override { --value; }
  void Redo() override { ++value; }
  std::size_t GetByteSize() const override { return bytes; }

 private:
  int& value;
  std::size_t bytes;
};

}  // namespace

TEST(RkEditHistoryTest, KeepsTheNewestStepsWithinBothLimits) {
  int value = 0;
  RkEditHistory history;
  history.MarkSaved();
  for (int i = 0; i < 1005; ++i) history.Push(std::make_unique<CountingStep>(value, 100));
  EXPECT_EQ(history.GetUndoCount(), 1000u);
  while (history.Undo()) {
  }
  EXPECT_EQ(value, 5);
  // The state the history began with was dropped: undoing cannot reach it.
  EXPECT_FALSE(history.IsAtSavedState());

  RkEditHistory small(1000, 250);
  small.Push(std::make_unique<CountingStep>(value, 100));
  small.Push(std::make_unique<CountingStep>(value, 100));
  small.Push(std::make_unique<CountingStep>(value, 100));
  EXPECT_EQ(small.GetUndoCount(), 2u);
  EXPECT_EQ(small.GetByteSize(), 200u);
  small.Push(std::make_unique<CountingStep>(value, 1000));
  EXPECT_EQ(small.GetUndoCount(), 1u);
  EXPECT_EQ(small.GetUndoLabel(), "Add 1000");
  small.Undo();
  EXPECT_EQ(small.GetRedoLabel(), "Add 1000");
  EXPECT_EQ(small.GetUndoLabel(), "");
}
