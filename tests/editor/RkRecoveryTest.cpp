// The recovery file of the map being edited: written after 30 seconds of the
// editor's clock with unsaved work and never without, removed by a save and by
// DiscardRecovery, offered on start and after Load Map only while newer than
// its map, and restored byte for byte.
#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "RkEditorFixture.h"
#include "RkQuestion.h"
#include "RkRecoveryFile.h"
#include "RkWorldSnapshot.h"

namespace {

constexpr const char* kRecovery = ".World.rkm.recover";
constexpr const char* kUnnamedRecovery = ".Untitled.rkm.recover";

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

void SetWrittenAt(const std::string& path, long secondsFromNow) {
  struct timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec += secondsFromNow;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class RkRecoveryTest : public RkEditorTest {
 protected:
  void SetUp() override {
    RkEditorTest::SetUp();
    engine->SetClock([this] { return clock; });
    SetQuestionHandler([this](const std::string& text, const char*, const std::vector<std::string>& buttons, int) {
      // The question about unsaved changes before a load or a clear: the work is let go.
      if (buttons.size() == 3) return 1;
      questions.push_back(text);
      EXPECT_EQ(buttons, (std::vector<std::string>{"Yes", "No"}));
      return answer;
    });
  }
  void TearDown() override {
    SetQuestionHandler(nullptr);
    RkEditorTest::TearDown();
  }

  void PaintCell(int x) {
    PressCanvas(x, 40);
    ReleaseButton();
  }

  // The clock goes on; the pass's last part runs and its write, if any, finishes.
  void After(double seconds) {
    clock += seconds;
    engine->KeepRecovery();
    engine->GetRecovery().Wait();
  }

  // A map of two painted cells saved as World.rkm, and a recovery file of it
  // with a third cell, written a minute later.
  void MakeMapAndNewerRecovery() {
    OpenMapEditor();
    PrepareTilePainting(RkMapEditor::ChoiceOpen);
    PaintCell(10);
    PaintCell(50);
    Panel().SetMapName("World");
    Panel().Click(RkMapEditor::Button::SaveMap);
    engine->PollMapEditor();
    PaintCell(90);
    ASSERT_FALSE(RkWorldSnapshot(engine->GetWorld()).Save(kRecovery));
    SetWrittenAt(kRecovery, 60);
    recoveredBytes = FileBytes(kRecovery);
  }

  // The map as Save Map would write it now.
  std::string SavedBytes() {
    EXPECT_FALSE(engine->GetWorld().TrySave("now.rkm"));
    return FileBytes("now.rkm");
  }

  double clock = 100.0;
  int answer = 0;
  std::vector<std::string> questions;
  std::string recoveredBytes;
};

}  // namespace

TEST_F(RkRecoveryTest, WrittenAfterThirtySecondsOfUnsavedWorkUntilTheMapIsSaved) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  After(60);
  EXPECT_FALSE(Exists(kUnnamedRecovery)) << "nothing unsaved";
  PaintCell(10);
  After(0);
  After(29.5);
  EXPECT_FALSE(Exists(kUnnamedRecovery));
  After(0.5);
  ASSERT_TRUE(Exists(kUnnamedRecovery));
  EXPECT_TRUE(FileBytes(kUnnamedRecovery) == SavedBytes());

  // The next write holds the next change, under the map's new name.
  Panel().SetMapName("town");
  PaintCell(50);
  After(30);
  EXPECT_FALSE(Exists(kUnnamedRecovery));
  ASSERT_TRUE(Exists(".town.rkm.recover"));
  EXPECT_TRUE(FileBytes(".town.rkm.recover") == SavedBytes());

  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_FALSE(Exists(".town.rkm.recover"));
  After(30);
  After(30);
  EXPECT_FALSE(Exists(".town.rkm.recover"));
  EXPECT_EQ(engine->GetRecovery().GetWriteCount(), 2);
}

TEST_F(RkRecoveryTest, DiscardRecoveryRemovesTheFileAndStartsTheWaitAgain) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintCell(10);
  After(0);
  After(30);
  ASSERT_TRUE(Exists(kUnnamedRecovery));
  engine->DiscardRecovery();
  EXPECT_FALSE(Exists(kUnnamedRecovery));
  PaintCell(50);
  After(0);
  After(29);
  EXPECT_FALSE(Exists(kUnnamedRecovery));
  After(1);
  EXPECT_TRUE(Exists(kUnnamedRecovery));
}

TEST_F(RkRecoveryTest, YesOnStartRestoresTheWorkByteForByteAsUnsaved) {
  MakeMapAndNewerRecovery();
  engine = std::make_unique<RkEngine>();
  engine->InitializeOffscreen();
  EXPECT_TRUE(engine->OfferRecovery());
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], "Restore unsaved changes to World.rkm from " + RkRecoveryFile::WrittenAtText(kRecovery) +
                              "?");
  EXPECT_EQ(questions[0].size(), std::string("Restore unsaved changes to World.rkm from 10:42?").size());
  EXPECT_TRUE(SavedBytes() == recoveredBytes);
  EXPECT_FALSE(engine->GetMapHistory().IsAtSavedState());
  EXPECT_STREQ(Panel().GetMapName(), "World");
  EXPECT_EQ(engine->GetWorld().GetFileName(), "World.rkm");
  // Saving writes the map's own file and the recovery file is done with.
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_TRUE(FileBytes("World.rkm") == recoveredBytes);
  EXPECT_FALSE(Exists(kRecovery));
}

TEST_F(RkRecoveryTest, NoRemovesTheFileEscapeKeepsItAndAnOlderOneIsNotOffered) {
  MakeMapAndNewerRecovery();
  answer = -1;
  EXPECT_FALSE(engine->OfferRecovery());
  EXPECT_TRUE(Exists(kRecovery));
  answer = 1;
  EXPECT_FALSE(engine->OfferRecovery());
  EXPECT_FALSE(Exists(kRecovery));
  EXPECT_EQ(questions.size(), 2u);

  ASSERT_FALSE(RkWorldSnapshot(engine->GetWorld()).Save(kRecovery));
  SetWrittenAt(kRecovery, -60);
  answer = 0;
  EXPECT_FALSE(engine->OfferRecovery());
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_TRUE(Exists(kRecovery));
}

TEST_F(RkRecoveryTest, LoadMapOffersANewerRecoveryAndADamagedOneIsANotice) {
  MakeMapAndNewerRecovery();
  // Nothing unsaved in this editor: the load asks only about the recovery file.
  engine->GetMapHistory().MarkSaved();
  ChooseNext("World.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_TRUE(SavedBytes() == recoveredBytes);
  EXPECT_FALSE(engine->GetMapHistory().IsAtSavedState());

  // Saved, then a recovery file with a negative width: the loaded map stays, saved.
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  const std::string savedBytes = FileBytes("World.rkm");
  std::ofstream(kRecovery, std::ios::binary | std::ios::trunc) << std::string("\xff\xff\xff\xff\x01\0\0\0", 8);
  SetWrittenAt(kRecovery, 60);
  ChooseNext("World.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  ASSERT_EQ(questions.size(), 2u);
  ASSERT_FALSE(notices.empty());
  EXPECT_NE(notices.back().text.find(kRecovery), std::string::npos);
  EXPECT_TRUE(SavedBytes() == savedBytes);
  EXPECT_TRUE(engine->GetMapHistory().IsAtSavedState());
  EXPECT_TRUE(Exists(kRecovery));
}

// The work on a map without a name never takes the place of a map of the folder.
TEST_F(RkRecoveryTest, AMapWithoutANameIsRestoredWithoutOne) {
  MakeMapAndNewerRecovery();
  const std::string mapBytes = FileBytes("World.rkm");
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceImpassable);
  PaintCell(10);
  After(0);
  After(30);
  SetWrittenAt(kUnnamedRecovery, 120);
  const std::string kept = FileBytes(kUnnamedRecovery);
  engine = std::make_unique<RkEngine>();
  engine->InitializeOffscreen();
  EXPECT_TRUE(engine->OfferRecovery());  // the newest first
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], "Restore unsaved changes to Untitled from " +
                              RkRecoveryFile::WrittenAtText(kUnnamedRecovery) + "?");
  EXPECT_TRUE(SavedBytes() == kept);
  EXPECT_STREQ(Panel().GetMapName(), "");
  EXPECT_EQ(engine->GetWorld().GetFileName(), "");
  EXPECT_TRUE(FileBytes("World.rkm") == mapBytes);
}
