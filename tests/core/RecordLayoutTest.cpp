// Tile, text, dialogue and NPC records against layouts computed by hand.
#include <gtest/gtest.h>

#include "RecordFiles.h"
#include "RkDialogue.h"
#include "RkNPC.h"
#include "RkText.h"
#include "RkTile.h"

TEST(RecordLayout, FreshTileIs1012BytesOfZero) {
  const Bytes bytes = WriteRecordBytes(RkTile());
  ASSERT_EQ(bytes.size(), 1012u);
  EXPECT_EQ(bytes, Bytes(1012, 0));
}

TEST(RecordLayout, TileFieldsSitAtTheirOffsets) {
  RkTile tile;
  tile.SetType(TileNewArea);
  tile.SetImageFile("images/tiles/grass.png");
  tile.SetNewAreaName("maps\\cave.rkm");
  tile.SetNewAreaStart(-3, 70000);
  const Bytes bytes = WriteRecordBytes(tile);
  ASSERT_EQ(bytes.size(), 1012u);
  EXPECT_EQ(Int32At(bytes, 0), 3);
  EXPECT_EQ(TextAt(bytes, 4), "images/tiles/grass.png");
  EXPECT_EQ(TextAt(bytes, 504), "maps\\cave.rkm");
  EXPECT_EQ(Int32At(bytes, 1004), -3);
  EXPECT_EQ(Int32At(bytes, 1008), 70000);
  // Writers put zeros after a text's terminating zero.
  EXPECT_EQ(bytes[4 + 22], 0);
  EXPECT_EQ(bytes[503], 0);
}

TEST(RecordLayout, DialogueWithoutResponsesIs512Bytes) {
  const Bytes bytes = WriteRecordBytes(RkDialogue(4, "Hello"));
  Bytes expected;
  AppendInt32(expected, 4);
  AppendText(expected, "Hello");
  AppendInt32(expected, -1);
  AppendInt32(expected, 0);
  EXPECT_EQ(bytes, expected);
}

TEST(RecordLayout, ResponseOptionRecordCarriesMinusOneThenNextId) {
  RkDialogue dialogue(4, "Hello");
  dialogue.AddResponse("Bye", 7);
  const Bytes bytes = WriteRecordBytes(dialogue);
  ASSERT_EQ(bytes.size(), 512u + 508u);
  EXPECT_EQ(Int32At(bytes, 508), 1);
  EXPECT_EQ(Int32At(bytes, 512), -1);
  EXPECT_EQ(TextAt(bytes, 516), "Bye");
  EXPECT_EQ(Int32At(bytes, 1016), 7);
}

TEST(RecordLayout, NPCWithoutDialoguesIs1016BytesEndingInAZeroCount) {
  RkNPC npc("Guard");
  npc.SetPosition(5, -2);
  npc.SetImageFile("images/characters/guard.png");
  npc.SetType(NPCStatic);
  const Bytes bytes = WriteRecordBytes(npc);
  ASSERT_EQ(bytes.size(), 1016u);
  EXPECT_EQ(TextAt(bytes, 0), "Guard");
  EXPECT_EQ(Int32At(bytes, 500), 5);
  EXPECT_EQ(Int32At(bytes, 504), -2);
  EXPECT_EQ(TextAt(bytes, 508), "images/characters/guard.png");
  EXPECT_EQ(Int32At(bytes, 1008), 2);
  EXPECT_EQ(Int32At(bytes, 1012), 0);
}

TEST(RecordLayout, NPCDialoguesFollowItsBaseRecordInOrder) {
  RkNPC npc("Guard");
  npc.AddDialogue(1, "Halt!");
  npc.AddDialogue(2, "Move along.");
  npc.AddResponse(1, "Sorry", 2);
  const Bytes bytes = WriteRecordBytes(npc);
  ASSERT_EQ(bytes.size(), 1016u + (512u + 508u) + 512u);
  EXPECT_EQ(Int32At(bytes, 1012), 2);
  EXPECT_EQ(Int32At(bytes, 1016), 1);
  EXPECT_EQ(Int32At(bytes, 1016 + 508), 1);
  EXPECT_EQ(TextAt(bytes, 1016 + 512 + 4), "Sorry");
  EXPECT_EQ(Int32At(bytes, 1016 + 1020), 2);
  EXPECT_EQ(TextAt(bytes, 1016 + 1020 + 4), "Move along.");
}
