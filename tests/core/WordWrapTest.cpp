// Word wrapping against a width: words kept whole where they fit, a word wider
// than a line broken between characters, and cut texts marked.
#include <gtest/gtest.h>

#include "RkWordWrap.h"

namespace {

// Every character 10 pixels wide.
int TenPerCharacter(const std::string& text) { return static_cast<int>(text.size()) * 10; }

TEST(WordWrap, BreaksBetweenWordsAndThroughWordsWiderThanALine) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(RkWordWrap::Wrap("one two three", 70, TenPerCharacter), (Lines{"one two", "three"}));
  EXPECT_EQ(RkWordWrap::Wrap("ab abcdefghij", 40, TenPerCharacter), (Lines{"ab", "abcd", "efgh", "ij"}));
  EXPECT_EQ(RkWordWrap::Wrap("up\ndown  ", 200, TenPerCharacter), (Lines{"up", "down"}));
  EXPECT_EQ(RkWordWrap::Wrap("wide", 5, TenPerCharacter), (Lines{"w", "i", "d", "e"}));  // still ends
  EXPECT_TRUE(RkWordWrap::Wrap("   ", 50, TenPerCharacter).empty());
}

TEST(WordWrap, FitCutsWithAMarkOnlyWhenTooWide) {
  EXPECT_EQ(RkWordWrap::Fit("short", 50, TenPerCharacter), "short");
  EXPECT_EQ(RkWordWrap::Fit("much too long", 80, TenPerCharacter), "much ...");
}

}  // namespace
