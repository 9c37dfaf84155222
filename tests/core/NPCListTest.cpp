// The editor's NPC list and its "NPCs.rk" file in the working directory.
#include <gtest/gtest.h>

#include "RkNPCList.h"
#include "RkNotice.h"
#include "ScratchDirectory.h"

namespace {

// Each test runs in its own scratch folder as the working directory.
class NPCListTest : public testing::Test {
 protected:
  ScratchDirectory scratch;
  WorkingDirectoryChange inScratch{scratch.Path()};
};

}  // namespace

TEST_F(NPCListTest, MissingFileGivesAnEmptyListSilently) {
  int notices = 0;
  SetNoticeHandler([&notices](const std::string&, const char*) { ++notices; });
  RkNPCList list;
  list.SaveNPC("Stale", "stale.png");
  list.LoadNPCFile();
  SetNoticeHandler(nullptr);
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_EQ(notices, 0);
}

TEST_F(NPCListTest, EmptyListSavesAsFourZeroBytes) {
  RkNPCList().SaveNPCFile();
  EXPECT_EQ(ReadFileBytes("NPCs.rk"), Bytes(4, 0));
}

TEST_F(NPCListTest, OneNPCSavesAsCountAndOneNormalRecord) {
  RkNPCList list;
  list.SaveNPC("Guard", "images/characters/guard.png");
  list.SaveNPCFile();
  const Bytes bytes = ReadFileBytes("NPCs.rk");
  ASSERT_EQ(bytes.size(), 4u + 1016u);
  EXPECT_EQ(Int32At(bytes, 0), 1);
  EXPECT_EQ(TextAt(bytes, 4), "Guard");
  EXPECT_EQ(TextAt(bytes, 4 + 508), "images/characters/guard.png");
  EXPECT_EQ(Int32At(bytes, 4 + 1008), NPCNormal);
}

TEST_F(NPCListTest, SaveAndLoadKeepOrderDialoguesAndResponses) {
  RkNPCList list;
  list.SaveNPC("Zed", "zed.png");
  list.SaveNPC("Amy", "amy.png");
  list.AddDialogue("Amy", 1, "Hello");
  list.AddDialogue("Amy", 2, "Goodbye");
  list.AddResponse("Amy", 1, "Bye", 2);
  list.AddResponse("Amy", 1, "Stay", 1);
  list.SaveNPCFile();

  RkNPCList loaded;
  loaded.LoadNPCFile();
  ASSERT_EQ(loaded.GetCount(), 2u);
  EXPECT_STREQ(loaded.GetNPC(0).GetName(), "Zed");
  EXPECT_STREQ(loaded.GetNPC(1).GetImageFile(), "amy.png");
  EXPECT_EQ(loaded.GetDialogueID("Amy", 1), 2);
  EXPECT_STREQ(loaded.GetDialogueText("Amy", 0), "Hello");
  EXPECT_STREQ(loaded.GetResponseText("Amy", 1, 1), "Stay");
  EXPECT_EQ(loaded.GetResponseNextID("Amy", 1, 0), 2);
  loaded.SaveNPCFile("again.rk");
  EXPECT_EQ(ReadFileBytes("again.rk"), ReadFileBytes("NPCs.rk"));
}

TEST_F(NPCListTest, SaveNPCWithAKnownNameOnlyChangesTheImage) {
  RkNPCList list;
  list.SaveNPC("Guard", "old.png");
  list.AddDialogue("Guard", 1, "Halt");
  list.SaveNPC("Guard", "new.png");
  ASSERT_EQ(list.GetCount(), 1u);
  EXPECT_STREQ(list.GetNPC(0).GetImageFile(), "new.png");
  EXPECT_EQ(list.GetNPC(0).GetDialogueCount(), 1u);
  list.SaveNPC("guard", "other.png");
  EXPECT_EQ(list.GetCount(), 2u);
}

TEST_F(NPCListTest, OperationsByNameReachEveryNPCOfThatName) {
  // A file may hold two NPCs of one name.
  Bytes bytes;
  AppendInt32(bytes, 3);
  for (const char* name : {"Twin", "Other", "Twin"}) {
    AppendText(bytes, name);
    AppendInt32(bytes, 0);
    AppendInt32(bytes, 0);
    AppendText(bytes, "");
    AppendInt32(bytes, NPCNormal);
    AppendInt32(bytes, 0);
  }
  WriteFileBytes("NPCs.rk", bytes);
  RkNPCList list;
  list.LoadNPCFile();
  ASSERT_EQ(list.GetCount(), 3u);
  list.AddDialogue("Twin", 4, "Same");
  list.AddResponse("Twin", 4, "Ok", 5);
  EXPECT_EQ(list.GetNPC(2).GetResponseCount(4), 1u);
  EXPECT_EQ(list.GetNPC(1).GetDialogueCount(), 0u);
  list.RemoveResponse("Twin", 4, "Ok");
  EXPECT_EQ(list.GetNPC(2).GetResponseCount(4), 0u);
  list.RemoveDialogue("Twin", 4);
  EXPECT_EQ(list.GetNPC(2).GetDialogueCount(), 0u);
  list.RemoveNPC("Twin");
  ASSERT_EQ(list.GetCount(), 1u);
  EXPECT_STREQ(list.GetNPC(0).GetName(), "Other");
}

TEST_F(NPCListTest, UnknownNamesAnswerEmpty) {
  RkNPCList list;
  list.SaveNPC("Known", "known.png");
  list.AddDialogue("Known", 1, "Hi");
  EXPECT_EQ(list.GetDialogueID("Nobody", 0), 0);
  EXPECT_EQ(list.GetDialogueText("Nobody", 0), nullptr);
  EXPECT_EQ(list.GetResponseText("Nobody", 1, 0), nullptr);
  EXPECT_EQ(list.GetResponseNextID("Nobody", 1, 0), 0);
  const RkNPC missing = list.FindNPC("Nobody");
  EXPECT_STREQ(missing.GetName(), "");
  EXPECT_EQ(missing.GetType(), NPCNone);
  EXPECT_EQ(missing.GetDialogueCount(), 0u);
  const RkNPC found = list.FindNPC("Known");
  EXPECT_STREQ(found.GetImageFile(), "known.png");
  EXPECT_EQ(found.GetDialogueCount(), 1u);
}

TEST_F(NPCListTest, FileCutShortLoadsWhatItHolds) {
  RkNPCList list;
  list.SaveNPC("First", "1.png");
  list.SaveNPC("Second", "2.png");
  list.SaveNPCFile();
  Bytes bytes = ReadFileBytes("NPCs.rk");
  bytes.resize(4 + 1016 + 10);
  WriteFileBytes("NPCs.rk", bytes);
  list.LoadNPCFile();
  ASSERT_EQ(list.GetCount(), 2u);
  EXPECT_STREQ(list.GetNPC(0).GetName(), "First");
  EXPECT_STREQ(list.GetNPC(1).GetName(), "Second");
  EXPECT_STREQ(list.GetNPC(1).GetImageFile(), "");

  WriteFileBytes("NPCs.rk", Bytes{1, 0});
  list.LoadNPCFile();
  EXPECT_EQ(list.GetCount(), 0u);
}
