// The panel's plain controls: list boxes keep order and a sane selection, edits
// hold what fits.
#include <gtest/gtest.h>

#include <string>

#include "RkNPCEditorEdit.h"
#include "RkNPCEditorList.h"

TEST(NPCEditorList, DeletingBeforeTheSelectionKeepsTheSameEntrySelected) {
  RkNPCEditorList list;
  for (const char* name : {"Guard", "Smith", "Witch"}) {
    list.AddString(name);
  }
  list.SetCurSel(2);
  list.DeleteString(0);
  ASSERT_TRUE(list.HasSelection());
  EXPECT_EQ(list.GetSelectedText(), "Witch");
  list.DeleteString(1);
  EXPECT_FALSE(list.HasSelection());
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetText(0), "Smith");
}

TEST(NPCEditorList, OutOfRangeIndexesChangeNothingOrClearTheSelection) {
  RkNPCEditorList list;
  list.AddString("Guard");
  list.SetCurSel(0);
  list.DeleteString(5);
  list.DeleteString(-1);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetCurSel(), 0);
  list.SetCurSel(1);
  EXPECT_FALSE(list.HasSelection());
  list.SetCurSel(0);
  list.ResetContent();
  EXPECT_FALSE(list.HasSelection());
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(NPCEditorEdit, TypingStopsAtTheLimitButAShownLongerTextIsKeptWhole) {
  RkNPCEditorEdit edit(11);
  EXPECT_EQ(edit.GetInputBufferSize(), 12);
  const std::string longText(499, 'a');
  edit.SetText(longText.c_str());
  EXPECT_EQ(std::string(edit.GetText()), longText);
  EXPECT_EQ(edit.GetInputBufferSize(), 500);
  edit.SetText("");
  EXPECT_TRUE(edit.IsEmpty());
  EXPECT_EQ(edit.GetInputBufferSize(), 12);
}

TEST(NPCEditorEdit, TextsBeyondTheFieldAreCutAt499) {
  RkNPCEditorEdit edit;
  const std::string tooLong(700, 'b');
  edit.SetText(tooLong.c_str());
  EXPECT_EQ(std::string(edit.GetText()), std::string(499, 'b'));
  EXPECT_LE(edit.GetInputBufferSize(), RkNPCEditorEdit::kFieldSize);
}
