// Dialogues and responses edited through the NPC by Text ID.
#include <gtest/gtest.h>

#include "RecordFiles.h"
#include "RkDialogue.h"
#include "RkNPC.h"

TEST(DialogueEditing, SameResponseTwiceGivesTwoAndRemovingIsExact) {
  RkDialogue dialogue(1, "Ready?");
  dialogue.AddResponse("Yes", 2);
  dialogue.AddResponse("yes", 3);
  dialogue.AddResponse("Yes", 4);
  ASSERT_EQ(dialogue.GetResponseCount(), 3u);
  dialogue.RemoveResponse("Yes");
  ASSERT_EQ(dialogue.GetResponseCount(), 1u);
  EXPECT_STREQ(dialogue.GetResponseText(0), "yes");
  EXPECT_EQ(dialogue.GetResponseNextID(0), 3);
}

TEST(DialogueEditing, AddingAnExistingIdReplacesItsText) {
  RkNPC npc("Bard");
  npc.AddDialogue(3, "La");
  npc.AddDialogue(3, "La la");
  ASSERT_EQ(npc.GetDialogueCount(), 1u);
  EXPECT_STREQ(npc.GetDialogueText(0), "La la");
  EXPECT_EQ(npc.GetDialogueID(0), 3);
}

TEST(DialogueEditing, RemoveDialogueRemovesNeighboursWithTheSameId) {
  // Two dialogues with one ID can only come from a file: patch the third
  // dialogue's ID to the second's.
  RkNPC npc("Twin");
  npc.AddDialogue(1, "a");
  npc.AddDialogue(2, "b");
  npc.AddDialogue(3, "c");
  Bytes bytes = WriteRecordBytes(npc);
  bytes[1016 + 512 + 512] = 2;
  RkNPC read;
  ReadRecordBytes(bytes, read);
  ASSERT_EQ(read.GetDialogueCount(), 3u);
  read.RemoveDialogue(2);
  ASSERT_EQ(read.GetDialogueCount(), 1u);
  EXPECT_STREQ(read.GetDialogueText(0), "a");
}

TEST(DialogueEditing, ResponsesGoToTheDialogueWithThatId) {
  RkNPC npc("Guide");
  npc.AddDialogue(1, "Hi");
  npc.AddDialogue(2, "Bye");
  npc.AddResponse(2, "Later", 1);
  npc.AddResponse(5, "Nobody", 1);
  EXPECT_EQ(npc.GetResponseCount(1), 0u);
  EXPECT_EQ(npc.GetResponseCount(2), 1u);
  EXPECT_STREQ(npc.GetResponseText(2, 0), "Later");
  npc.RemoveResponse(2, "later");
  EXPECT_EQ(npc.GetResponseCount(2), 1u);
  npc.RemoveResponse(2, "Later");
  EXPECT_EQ(npc.GetResponseCount(2), 0u);
}

TEST(DialogueEditing, MissingDialoguesAndIndexesAnswerEmpty) {
  RkNPC npc("Quiet");
  npc.AddDialogue(1, "Hm.");
  npc.AddResponse(1, "Ok", 1);
  EXPECT_EQ(npc.GetResponseCount(8), 0u);
  EXPECT_EQ(npc.GetResponseNextID(8, 0), 0);
  EXPECT_EQ(npc.GetResponseText(8, 0), nullptr);
  EXPECT_EQ(npc.GetResponseText(1, 1), nullptr);
  EXPECT_EQ(npc.GetDialogueText(1), nullptr);
  EXPECT_EQ(npc.GetDialogueID(1), 0);
}
