// The NPC editor panel's polling, driven through its plain controls without a
// window: NPCs, dialogues and response options made, shown, changed and removed,
// and "NPCs.rk" written only by SAVE CHANGES.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NPCEditorSession.h"
#include "RkNPCEditorEntry.h"

using Button = RkNPCEditor::Button;
using Entries = std::vector<std::string>;

class NPCEditorPoll : public testing::Test {
 protected:
  void SetUp() override { session.OpenPanel(); }

  Entries NPCEntries() { return NPCEditorSession::Entries(panel.GetNPCListBox()); }
  Entries DialogueEntries() { return NPCEditorSession::Entries(panel.GetDialogueListBox()); }
  Entries ResponseEntries() { return NPCEditorSession::Entries(panel.GetResponseListBox()); }
  // Guard with dialogue 1 "Hello" selected.
  void MakeGuardWithHelloSelected() {
    session.SaveNPC("Guard", "guard.png");
    session.SelectNPC("Guard");
    session.SaveDialogue("1", "Hello");
    session.Select(panel.GetDialogueListBox(), "1: Hello");
  }

  NPCEditorSession session;
  RkNPCEditor& panel = session.panel;
  RkNPCList& list = session.list;
};

TEST_F(NPCEditorPoll, SavingANameTwiceWithTwoImagesKeepsOneEntryAndTakesTheNewImage) {
  session.SaveNPC("Guard", "guard.png");
  EXPECT_EQ(NPCEntries(), Entries{"Guard"});
  // Saved: nothing selected, nothing on show.
  EXPECT_FALSE(panel.GetNPCListBox().HasSelection());
  EXPECT_TRUE(panel.GetNameEdit().IsEmpty());
  EXPECT_EQ(panel.GetSprite(), nullptr);

  session.SaveNPC("Guard", "guard2.png");
  EXPECT_EQ(NPCEntries(), Entries{"Guard"});
  ASSERT_EQ(list.GetCount(), 1u);
  EXPECT_STREQ(list.GetNPC(0).GetImageFile(), "guard2.png");
  EXPECT_EQ(list.GetNPC(0).GetType(), NPCNormal);

  session.SelectNPC("Guard");
  EXPECT_STREQ(panel.GetNameEdit().GetText(), "Guard");
  EXPECT_STREQ(panel.GetImageFile(), "guard2.png");
  EXPECT_NE(panel.GetSprite(), nullptr);
  EXPECT_EQ(panel.GetSelectedNPC(), "Guard");
}

TEST_F(NPCEditorPoll, SaveNPCNeedsANameAndAShownImage) {
  panel.GetNameEdit().SetText("Guard");
  session.Click(Button::SaveNPC);
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_TRUE(NPCEntries().empty());
  EXPECT_STREQ(panel.GetNameEdit().GetText(), "Guard");

  session.ChooseImage("guard.png");
  session.Click(Button::LoadSprite);
  panel.GetNameEdit().SetText("");
  session.Click(Button::SaveNPC);
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_NE(panel.GetSprite(), nullptr);  // the preview stays for the next try
}

TEST_F(NPCEditorPoll, LoadSpriteChangesOnlyThePreviewAndACancelKeepsIt) {
  session.SaveNPC("Guard", "guard.png");
  session.SelectNPC("Guard");
  session.ChooseImage("guard2.png");
  session.Click(Button::LoadSprite);
  EXPECT_STREQ(panel.GetImageFile(), "guard2.png");
  EXPECT_STREQ(list.GetNPC(0).GetImageFile(), "guard.png");

  session.ChooseImage("");  // the dialog is cancelled
  session.Click(Button::LoadSprite);
  EXPECT_STREQ(panel.GetImageFile(), "guard2.png");
  EXPECT_NE(panel.GetSprite(), nullptr);

  // A path that no 500-byte text field could hold counts as no choice.
  session.ChooseImage(std::string(500, 'x') + ".png");
  session.Click(Button::LoadSprite);
  EXPECT_STREQ(panel.GetImageFile(), "guard2.png");
}

TEST_F(NPCEditorPoll, DialoguesListLastFirstAndShowAgainAfterSaveNPC) {
  session.SaveNPC("Guard", "guard.png");
  session.SelectNPC("Guard");
  session.SaveDialogue("1", "Hello");
  session.SaveDialogue("2", "Bye");
  EXPECT_EQ(DialogueEntries(), (Entries{"2: Bye", "1: Hello"}));
  EXPECT_TRUE(panel.GetDialogueTextEdit().IsEmpty());
  EXPECT_TRUE(panel.GetTextIDEdit().IsEmpty());

  // Saving the NPC again (a new image) clears the view; picking it shows all again.
  session.SaveNPC("Guard", "guard2.png");
  EXPECT_TRUE(DialogueEntries().empty());
  session.SelectNPC("Guard");
  EXPECT_STREQ(panel.GetNameEdit().GetText(), "Guard");
  EXPECT_STREQ(panel.GetImageFile(), "guard2.png");
  EXPECT_EQ(DialogueEntries(), (Entries{"2: Bye", "1: Hello"}));
}

TEST_F(NPCEditorPoll, ResavingATextIDReplacesItsTextAndKeepsItsResponses) {
  MakeGuardWithHelloSelected();
  session.SaveResponse("2", "Yes");
  session.SaveDialogue("1", "Hi there");
  EXPECT_EQ(DialogueEntries(), Entries{"1: Hi there"});
  EXPECT_TRUE(panel.GetSelectedDialogue().empty());
  EXPECT_TRUE(ResponseEntries().empty());

  const RkNPC guard = list.FindNPC("Guard");
  ASSERT_EQ(guard.GetDialogueCount(), 1u);
  EXPECT_EQ(guard.GetResponseCount(1), 1u);
  session.Select(panel.GetDialogueListBox(), "1: Hi there");
  EXPECT_EQ(ResponseEntries(), Entries{"2[next]: Yes"});
}

TEST_F(NPCEditorPoll, ResponsesListLastFirstAndASelectionFillsTheEdits) {
  MakeGuardWithHelloSelected();
  EXPECT_STREQ(panel.GetDialogueTextEdit().GetText(), "Hello");
  EXPECT_STREQ(panel.GetTextIDEdit().GetText(), "1");
  session.SaveResponse("2", "Yes");
  session.SaveResponse("3", "No");
  EXPECT_EQ(ResponseEntries(), (Entries{"3[next]: No", "2[next]: Yes"}));
  EXPECT_TRUE(panel.GetResponseTextEdit().IsEmpty());

  session.Select(panel.GetResponseListBox(), "2[next]: Yes");
  EXPECT_STREQ(panel.GetResponseTextEdit().GetText(), "Yes");
  EXPECT_STREQ(panel.GetNextIDEdit().GetText(), "2");
  EXPECT_EQ(panel.GetSelectedResponse(), "2[next]: Yes");
}

TEST_F(NPCEditorPoll, ButtonsWithoutTheirSelectionDoNothingNowOrLater) {
  session.SaveNPC("Guard", "guard.png");
  // No NPC selected: the dialogue's Save Text does nothing.
  session.SaveDialogue("1", "Hello");
  EXPECT_EQ(list.FindNPC("Guard").GetDialogueCount(), 0u);
  session.Click(Button::RemoveNPC);
  EXPECT_EQ(list.GetCount(), 1u);

  session.SelectNPC("Guard");
  session.SaveDialogue("1", "Hello");
  // No dialogue selected: the response's Save Text and Remove Dialogue do nothing.
  session.SaveResponse("2", "Yes");
  session.Click(Button::RemoveDialogue);
  EXPECT_EQ(list.FindNPC("Guard").GetDialogueCount(), 1u);
  EXPECT_EQ(list.FindNPC("Guard").GetResponseCount(1), 0u);

  // The ignored click is not kept for the pass that finds a selection.
  session.Select(panel.GetDialogueListBox(), "1: Hello");
  EXPECT_EQ(list.FindNPC("Guard").GetResponseCount(1), 0u);
  EXPECT_TRUE(ResponseEntries().empty());
}

// A dialogue typed and "saved" while the NPC was still being made goes to that
// NPC when it is saved, as part of its one step.
TEST_F(NPCEditorPoll, ADialogueTypedBeforeItsNPCWasSavedIsKeptWithIt) {
  session.ChooseImage("guard.png");
  session.Click(Button::LoadSprite);
  panel.GetNameEdit().SetText("Hermit");
  session.SaveDialogue("1", "Who goes there?");
  session.Click(Button::SaveNPC);
  const RkNPC hermit = list.FindNPC("Hermit");
  ASSERT_EQ(hermit.GetDialogueCount(), 1u);
  EXPECT_EQ(hermit.GetDialogueID(0), 1);
  EXPECT_STREQ(hermit.GetDialogueText(0), "Who goes there?");
  session.SelectNPC("Hermit");
  EXPECT_EQ(DialogueEntries(), Entries{"1: Who goes there?"});
}

TEST_F(NPCEditorPoll, EachClickActsOnceAndAClosedPanelDoesNothing) {
  MakeGuardWithHelloSelected();
  panel.GetNextIDEdit().SetText("2");
  panel.GetResponseTextEdit().SetText("Yes");
  panel.Click(Button::SaveResponseText);
  session.Pass();
  panel.GetNextIDEdit().SetText("2");
  panel.GetResponseTextEdit().SetText("Yes");
  session.Pass();
  EXPECT_EQ(list.FindNPC("Guard").GetResponseCount(1), 1u);

  panel.Close();
  panel.Click(Button::SaveChanges);
  session.Pass();
  EXPECT_TRUE(NPCEditorSession::ReadFileBytes("NPCs.rk").empty());
}

TEST_F(NPCEditorPoll, ClosingWithoutSaveChangesAndReopeningShowsTheFileAsItStands) {
  session.SaveNPC("Guard", "guard.png");
  session.Click(Button::SaveChanges);
  session.SaveNPC("Smith", "smith.png");
  MakeGuardWithHelloSelected();
  panel.Close();

  session.OpenPanel();
  EXPECT_EQ(NPCEntries(), Entries{"Guard"});
  EXPECT_FALSE(panel.GetNPCListBox().HasSelection());
  EXPECT_TRUE(panel.GetSelectedNPC().empty());
  EXPECT_TRUE(panel.GetSelectedDialogue().empty());
  EXPECT_TRUE(panel.GetNameEdit().IsEmpty());
  EXPECT_TRUE(DialogueEntries().empty());
  EXPECT_EQ(panel.GetSprite(), nullptr);
  EXPECT_STREQ(panel.GetImageFile(), "");

  session.SelectNPC("Guard");
  EXPECT_TRUE(DialogueEntries().empty());
  EXPECT_STREQ(panel.GetImageFile(), "guard.png");
}

TEST_F(NPCEditorPoll, RemovingANameThatTwoNPCsShareRemovesBothAndOneEntry) {
  NPCFileBytes file(3);
  file.NPC("Guard", "guard.png", 1).Dialogue(1, "Halt!", 0);
  file.NPC("Smith", "smith.png", 0);
  file.NPC("Guard", "guard2.png", 0);
  NPCEditorSession::WriteFileBytes("NPCs.rk", file.Get());
  session.OpenPanel();
  EXPECT_EQ(NPCEntries(), (Entries{"Guard", "Smith", "Guard"}));

  panel.GetNPCListBox().SetCurSel(0);
  session.Pass();
  session.Click(Button::RemoveNPC);
  ASSERT_EQ(list.GetCount(), 1u);
  EXPECT_STREQ(list.GetNPC(0).GetName(), "Smith");
  EXPECT_EQ(NPCEntries(), (Entries{"Smith", "Guard"}));
  EXPECT_TRUE(panel.GetNameEdit().IsEmpty());

  // The entry left over finds no NPC: its name shows, with no image and no dialogues.
  session.SelectNPC("Guard");
  EXPECT_STREQ(panel.GetNameEdit().GetText(), "Guard");
  EXPECT_EQ(panel.GetSprite(), nullptr);
  EXPECT_TRUE(DialogueEntries().empty());
  session.SaveDialogue("1", "Hello");
  EXPECT_TRUE(DialogueEntries().empty());
  EXPECT_EQ(list.GetCount(), 1u);
}

TEST_F(NPCEditorPoll, TextsHoldingTheSeparatorsReadBackWholeAndRemoveTheirRecords) {
  session.SaveNPC("Guard", "guard.png");
  session.SelectNPC("Guard");
  session.SaveDialogue("7", "Note: the gate: closed");
  session.SaveDialogue("8", "Open");
  session.Select(panel.GetDialogueListBox(), "7: Note: the gate: closed");
  EXPECT_STREQ(panel.GetDialogueTextEdit().GetText(), "Note: the gate: closed");
  EXPECT_STREQ(panel.GetTextIDEdit().GetText(), "7");

  session.SaveResponse("8", "[Lie] Yes: gladly");
  session.SaveResponse("9", "No");
  session.Select(panel.GetResponseListBox(), "8[next]: [Lie] Yes: gladly");
  EXPECT_STREQ(panel.GetResponseTextEdit().GetText(), "[Lie] Yes: gladly");
  session.Click(Button::RemoveResponse);
  EXPECT_EQ(ResponseEntries(), Entries{"9[next]: No"});
  EXPECT_EQ(list.FindNPC("Guard").GetResponseCount(7), 1u);
  EXPECT_TRUE(panel.GetResponseTextEdit().IsEmpty());

  session.Click(Button::RemoveDialogue);
  EXPECT_EQ(DialogueEntries(), Entries{"8: Open"});
  EXPECT_TRUE(ResponseEntries().empty());
  EXPECT_TRUE(panel.GetDialogueTextEdit().IsEmpty());
  ASSERT_EQ(list.FindNPC("Guard").GetDialogueCount(), 1u);
  EXPECT_EQ(list.FindNPC("Guard").GetDialogueID(0), 8);
}

TEST_F(NPCEditorPoll, IDsThatAreNotNumbersAreStoredAsZeroAndHugeOnesAtTheLimit) {
  session.SaveNPC("Guard", "guard.png");
  session.SelectNPC("Guard");
  session.SaveDialogue("abc", "Who?");
  session.SaveDialogue("99999999999", "Far");
  EXPECT_EQ(DialogueEntries(), (Entries{"2147483647: Far", "0: Who?"}));
}

TEST_F(NPCEditorPoll, TypingLimitsKeepEveryEntryWithin499Characters) {
  const int widestID = RkNPCEditorEntry::kMaxNumberLength;
  EXPECT_LE(panel.GetNameEdit().GetMaxLength(), 499);
  EXPECT_LE(panel.GetTextIDEdit().GetMaxLength(), widestID);
  EXPECT_LE(panel.GetNextIDEdit().GetMaxLength(), widestID);
  EXPECT_EQ(widestID + 2 + panel.GetDialogueTextEdit().GetMaxLength(), 499);
  EXPECT_EQ(widestID + 8 + panel.GetResponseTextEdit().GetMaxLength(), 499);
}

TEST_F(NPCEditorPoll, SaveChangesWritesTheSessionAsHandBuiltRecords) {
  session.SaveNPC("Guard", "guard.png");
  session.SaveNPC("Smith", "smith.png");
  session.SelectNPC("Guard");
  session.SaveDialogue("1", "Halt!");
  session.SaveDialogue("2", "Pass: friend");
  session.Select(panel.GetDialogueListBox(), "1: Halt!");
  session.SaveResponse("2", "A friend.");
  session.SaveResponse("5", "Nobody");
  session.Select(panel.GetResponseListBox(), "5[next]: Nobody");
  session.Click(Button::RemoveResponse);
  EXPECT_TRUE(NPCEditorSession::ReadFileBytes("NPCs.rk").empty());

  session.Click(Button::SaveChanges);
  NPCFileBytes expected(2);
  expected.NPC("Guard", "guard.png", 2).Dialogue(1, "Halt!", 1).Response("A friend.", 2);
  expected.Dialogue(2, "Pass: friend", 0);
  expected.NPC("Smith", "smith.png", 0);
  EXPECT_EQ(NPCEditorSession::ReadFileBytes("NPCs.rk"), expected.Get());
}
