// Records written and read back, short reads at the end of a file, and the
// 499-character limit of text fields.
#include <gtest/gtest.h>

#include <string>

#include "RecordFiles.h"
#include "RkDialogue.h"
#include "RkNPC.h"
#include "RkText.h"
#include "RkTile.h"

TEST(RecordRoundTrip, TileKeepsEveryFieldIncludingAnUnknownKind) {
  RkTile tile;
  tile.SetType(7);
  tile.SetImageFile(std::string(499, 'i').c_str());
  tile.SetNewAreaName("cave.rkm");
  tile.SetNewAreaStart(12, 34);
  RkTile read;
  ReadRecordBytes(WriteRecordBytes(tile), read);
  EXPECT_EQ(read.GetType(), 7);
  EXPECT_EQ(std::string(read.GetImageFile()), std::string(499, 'i'));
  EXPECT_STREQ(read.GetNewAreaName(), "cave.rkm");
  EXPECT_EQ(read.GetNewAreaStartX(), 12);
  EXPECT_EQ(read.GetNewAreaStartY(), 34);
}

TEST(RecordRoundTrip, TileReadAtTheEndOfAFileStaysUnchanged) {
  RkTile tile;
  tile.SetType(TileOpen);
  tile.SetImageFile("keep.png");
  ReadRecordBytes(Bytes(), tile);
  EXPECT_EQ(tile.GetType(), TileOpen);
  EXPECT_STREQ(tile.GetImageFile(), "keep.png");
}

TEST(RecordRoundTrip, TileCutInsideAFieldFillsOnlyWhatTheFileHolds) {
  Bytes bytes;
  AppendInt32(bytes, TileImpassable);
  bytes.push_back('a');
  bytes.push_back('b');
  RkTile tile;
  tile.SetImageFile("xyz.png");
  ReadRecordBytes(bytes, tile);
  EXPECT_EQ(tile.GetType(), TileImpassable);
  EXPECT_STREQ(tile.GetImageFile(), "abz.png");
}

TEST(RecordRoundTrip, TextFieldWithoutZeroIsCutAt499Characters) {
  Bytes bytes;
  AppendInt32(bytes, TileOpen);
  bytes.insert(bytes.end(), 500, 'x');
  AppendText(bytes, "next.rkm");
  AppendInt32(bytes, 1);
  AppendInt32(bytes, 2);
  RkTile tile;
  ReadRecordBytes(bytes, tile);
  EXPECT_EQ(std::string(tile.GetImageFile()), std::string(499, 'x'));
  EXPECT_STREQ(tile.GetNewAreaName(), "next.rkm");
  EXPECT_EQ(tile.GetNewAreaStartY(), 2);
}

TEST(RecordRoundTrip, DialogueKeepsIdTextAndResponsesInOrder) {
  RkDialogue dialogue(9, "Where to?");
  dialogue.AddResponse("North", 10);
  dialogue.AddResponse("South", 11);
  dialogue.AddResponse("North", 12);
  RkDialogue read;
  ReadRecordBytes(WriteRecordBytes(dialogue), read);
  EXPECT_EQ(read.GetID(), 9);
  EXPECT_STREQ(read.GetText(), "Where to?");
  ASSERT_EQ(read.GetResponseCount(), 3u);
  EXPECT_STREQ(read.GetResponseText(1), "South");
  EXPECT_EQ(read.GetResponseNextID(2), 12);
}

TEST(RecordRoundTrip, NPCKeepsEverythingButItsWanderClock) {
  RkNPC npc("Smith");
  npc.SetPosition(3, 4);
  npc.SetImageFile("smith.png");
  npc.SetType(NPCStatic);
  npc.AddDialogue(1, "Need a blade?");
  npc.AddResponse(1, "Yes", 2);
  npc.AddDialogue(2, "Here.");
  npc.Wander(5.0);
  ASSERT_EQ(npc.GetLastMoveTime(), 5.0);
  RkNPC read;
  ReadRecordBytes(WriteRecordBytes(npc), read);
  EXPECT_STREQ(read.GetName(), "Smith");
  EXPECT_EQ(read.GetX(), 3);
  EXPECT_EQ(read.GetY(), 4);
  EXPECT_STREQ(read.GetImageFile(), "smith.png");
  EXPECT_EQ(read.GetType(), NPCStatic);
  ASSERT_EQ(read.GetDialogueCount(), 2u);
  EXPECT_STREQ(read.GetDialogueText(0), "Need a blade?");
  EXPECT_STREQ(read.GetResponseText(1, 0), "Yes");
  EXPECT_EQ(read.GetResponseNextID(1, 0), 2);
  EXPECT_EQ(read.GetDialogueID(1), 2);
  EXPECT_EQ(read.GetLastMoveTime(), 0.0);
}

TEST(RecordRoundTrip, NPCCutBeforeItsDialogueCountHasNoDialogues) {
  Bytes bytes = WriteRecordBytes(RkNPC("Cut"));
  bytes.resize(1012);
  RkNPC read;
  ReadRecordBytes(bytes, read);
  EXPECT_STREQ(read.GetName(), "Cut");
  EXPECT_EQ(read.GetType(), NPCNormal);
  EXPECT_EQ(read.GetDialogueCount(), 0u);
}

TEST(RecordRoundTrip, HugeDialogueAndResponseCountsStopAtTheEndOfTheFile) {
  RkNPC npc("Liar");
  npc.AddDialogue(1, "One");
  npc.AddResponse(1, "Only", 1);
  Bytes bytes = WriteRecordBytes(npc);
  bytes[1012] = bytes[1013] = bytes[1014] = bytes[1015] = 0xFF;                // dialogues
  bytes[1016 + 508] = bytes[1016 + 509] = bytes[1016 + 510] = bytes[1016 + 511] = 0xFF;  // responses
  RkNPC read;
  ReadRecordBytes(bytes, read);
  ASSERT_EQ(read.GetDialogueCount(), 1u);
  EXPECT_EQ(read.GetResponseCount(1), 1u);
  EXPECT_STREQ(read.GetResponseText(1, 0), "Only");
}
