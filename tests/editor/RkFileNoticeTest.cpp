// Files the user picks, types or loads that cannot be used give a notice and
// leave the editor's work as it was.
#include <fstream>

#include "RkEditorFixture.h"
#include "RkMapEditorActions.h"
#include "RkWorld.h"

class RkFileNoticeTest : public RkEditorTest {
 protected:
  void SaveMapWithTile(const std::string& name, const std::string& image) {
    RkWorld world;
    world.Grow(1, 0);
    for (int x = 0; x < 2; ++x) world.SetTileImageFile(x, 0, image.c_str());
    world.Save(name.c_str());
  }

  void PaintOneTile() {
    PrepareTilePainting(RkMapEditor::ChoiceOpen);
    PressCanvas(10, 10);
    ReleaseButton();
  }
};

TEST_F(RkFileNoticeTest, ASpriteThatIsNotAnImageChangesNothing) {
  OpenMapEditor();
  PaintOneTile();
  std::ofstream("notes.png") << "not an image";
  ChooseNext("notes.png");
  Panel().Click(RkMapEditor::Button::LoadSprite);
  engine->PollMapEditor();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("notes.png"), std::string::npos);
  EXPECT_STREQ(Panel().GetTileImageFile(), "images/grass.png");
}

TEST_F(RkFileNoticeTest, ADamagedMapLeavesTheMapBeingEdited) {
  OpenMapEditor();
  PaintOneTile();
  Panel().SetMapName("mine");
  std::ofstream("bad.rkm", std::ios::binary) << std::string("\xff\xff\xff\xff\x01\x00\x00\x00", 8);
  ChooseNext("bad.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  ASSERT_FALSE(notices.empty());
  EXPECT_NE(notices.back().text.find("bad.rkm"), std::string::npos);
  EXPECT_STREQ(Panel().GetMapName(), "mine");
  EXPECT_STREQ(engine->GetWorld().GetTileImageFile(0, 0), "images/grass.png");
}

TEST_F(RkFileNoticeTest, AMapWithMissingImagesOpensWithOneNoticeListingThem) {
  SaveMapWithTile("old.rkm", "gone/rock.png");
  OpenMapEditor();
  ChooseNext("old.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetWorld().GetWidth(), 2);
  EXPECT_EQ(SpritesAt(32, 0, 0), 1);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("gone/rock.png"), std::string::npos);
  EXPECT_EQ(notices[0].text.find("gone/rock.png"), notices[0].text.rfind("gone/rock.png"));
}

TEST_F(RkFileNoticeTest, MissingImagesNoticeListsTheFirstFiveAndCountsTheRest) {
  std::vector<std::string> missing;
  for (int i = 0; i < 7; ++i) missing.push_back("m" + std::to_string(i) + ".png");
  const std::string text = RkMapEditorActions::MissingImagesNotice(missing);
  EXPECT_NE(text.find("m4.png"), std::string::npos);
  EXPECT_EQ(text.find("m5.png"), std::string::npos);
  EXPECT_NE(text.find("2 more"), std::string::npos);
}

TEST_F(RkFileNoticeTest, AFailedSaveKeepsTheMapAndTheOldFileWhole) {
  OpenMapEditor();
  PaintOneTile();
  Panel().SetMapName("no/such/folder/town");
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("no/such/folder/town.rkm"), std::string::npos);
  EXPECT_STREQ(engine->GetWorld().GetTileImageFile(0, 0), "images/grass.png");
}

TEST_F(RkFileNoticeTest, NamesKeepAllButTheLastExtensionAndGetNoSecondRkm) {
  SaveMapWithTile("town.backup.rkm", "");
  OpenMapEditor();
  ChooseNext("town.backup.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  EXPECT_STREQ(Panel().GetMapName(), "town.backup");
  EXPECT_EQ(RkMapEditorActions::MapFileName("x.rkm"), "x.rkm");
  EXPECT_EQ(RkMapEditorActions::MapFileName("x"), "x.rkm");
}

TEST_F(RkFileNoticeTest, OpeningAPanelKeepsUnsavedLibraryEdits) {
  AddBramToLibrary();
  RkNPCEditor& npcEditor = engine->GetNPCEditor();
  ASSERT_TRUE(npcEditor.HasUnsavedLibrary());
  OpenMapEditor();
  ASSERT_EQ(Panel().GetNPCNameCount(), 1);
  EXPECT_STREQ(Panel().GetNPCName(0), "Bram");
}

// The map panel's NPC whose image is gone: a notice naming the file and the
// cause, once for the choice, and no preview.
TEST_F(RkFileNoticeTest, AnNPCWhoseImageDoesNotLoadIsANoticeOncePerChoice) {
  RkNPCList library;
  library.SaveNPC("Ghost", "images/ghost.png");
  library.SaveNPCFile();
  OpenMapEditor();
  Panel().SetNPCSelection(0);
  engine->PollMapEditor();
  engine->PollMapEditor();
  ASSERT_EQ(notices.size(), 1u);
  const std::string head = "The image of NPC Ghost could not be loaded:\nimages/ghost.png\n";
  EXPECT_EQ(notices[0].text.rfind(head, 0), 0u) << notices[0].text;
  EXPECT_GT(notices[0].text.size(), head.size());  // and the cause
  EXPECT_EQ(Panel().GetNPCSprite(), nullptr);
}
