// List entries of the NPC editor: what is written reads back whole, IDs read like atoi.
#include <gtest/gtest.h>

#include <string>

#include "RkNPCEditorEntry.h"

TEST(NPCEditorEntry, DialogueTextHoldingColonsReadsBackWhole) {
  const std::string entry = RkNPCEditorEntry::FormatDialogue(12, "Note: the gate: closed");
  EXPECT_EQ(entry, "12: Note: the gate: closed");
  EXPECT_EQ(RkNPCEditorEntry::DialogueTextID(entry), "12");
  EXPECT_EQ(RkNPCEditorEntry::DialogueText(entry), "Note: the gate: closed");
}

TEST(NPCEditorEntry, ResponseTextHoldingBracketsAndSpacesReadsBackWhole) {
  const std::string entry = RkNPCEditorEntry::FormatResponse(-3, "[Lie] I am  a friend.");
  EXPECT_EQ(entry, "-3[next]: [Lie] I am  a friend.");
  EXPECT_EQ(RkNPCEditorEntry::ResponseNextID(entry), "-3");
  EXPECT_EQ(RkNPCEditorEntry::ResponseText(entry), "[Lie] I am  a friend.");
  EXPECT_EQ(RkNPCEditorEntry::ToNumber(RkNPCEditorEntry::ResponseNextID(entry).c_str()), -3);
}

TEST(NPCEditorEntry, EmptyTextAndMalformedEntriesGiveEmptyTexts) {
  EXPECT_EQ(RkNPCEditorEntry::DialogueText(RkNPCEditorEntry::FormatDialogue(5, "")), "");
  EXPECT_EQ(RkNPCEditorEntry::DialogueText("no separator"), "");
  EXPECT_EQ(RkNPCEditorEntry::DialogueText("7:nospace"), "");
  EXPECT_EQ(RkNPCEditorEntry::ResponseText("7 without bracket"), "");
  EXPECT_EQ(RkNPCEditorEntry::DialogueTextID("no separator"), "no separator");
}

TEST(NPCEditorEntry, NumbersReadLikeAtoi) {
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("42"), 42);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("  -17abc"), -17);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("+8"), 8);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("abc"), 0);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber(""), 0);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("-"), 0);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("1 2"), 1);
}

TEST(NPCEditorEntry, NumbersBeyondInt32SaturateAndStillFitTheEntryLength) {
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("2147483647"), 2147483647);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("2147483648"), 2147483647);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("-99999999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(RkNPCEditorEntry::ToNumber("00000000000000000000000007"), 7);
  const std::string widest = RkNPCEditorEntry::FormatDialogue(-2147483647 - 1, "");
  EXPECT_EQ(widest.size(), static_cast<size_t>(RkNPCEditorEntry::kMaxNumberLength) + 2);
}
