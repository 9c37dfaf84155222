// The editor never ends or replaces unsaved work without asking: the unsaved
// mark and the title follow the histories, the three ways to end ask "Save
// changes to ...?" and act on each answer, Escape first closes an open menu, and
// Save Map asks before it replaces another map's file.
#include <SDL.h>

#include <fstream>

#include "RkEditorFixture.h"

namespace {

enum class Way { Escape, Exit, CloseBox };

struct EndCase {
  Way way;
  int answer;
  bool ends;
  bool written;
};

std::string EndCaseName(const ::testing::TestParamInfo<EndCase>& info) {
  static const char* const ways[] = {"Escape", "Exit", "CloseBox"};
  static const char* const answers[] = {"Save", "DontSave", "Cancel"};
  return std::string(ways[static_cast<int>(info.param.way)]) + answers[info.param.answer];
}

}  // namespace

class RkUnsavedWorkTest : public RkEditorTest, public ::testing::WithParamInterface<EndCase> {
 protected:
  void PaintCell(int x = 10) {
    PressCanvas(x, 10);
    ReleaseButton();
  }

  void PressKeys(std::initializer_list<uint8_t> keys) {
    uint8_t table[RK_KEY_TABLE_SIZE] = {};
    for (const uint8_t key : keys) table[key] = RK_KEY_DOWN;
    engine->GetInput().SetKeyboardState(table);
    engine->HandleKeys();
  }

  // True when the editor ends.
  bool EndBy(Way way) {
    switch (way) {
      case Way::Escape:
        PressKeys({});
        PressKeys({DIK_ESCAPE});
        return !engine->IsRunning();
      case Way::Exit:
        return !engine->HandleMenuCommand(RkEngine::CommandExit);
      case Way::CloseBox: {
        SDL_InitSubSystem(SDL_INIT_EVENTS);
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return !engine->TakeMessages();
      }
    }
    return false;
  }

  void Save() {
    Panel().Click(RkMapEditor::Button::SaveMap);
    engine->PollMapEditor();
  }

  std::string Title() {
    engine->RunPass();
    return engine->GetWindowTitle();
  }

};

TEST_P(RkUnsavedWorkTest, EndingWithAnUnsavedMapAsksFirst) {
  const EndCase& end = GetParam();
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintCell();
  Panel().SetMapName("World");
  answers = {end.answer};
  EXPECT_EQ(EndBy(end.way), end.ends);
  ASSERT_EQ(questions, std::vector<std::string>{"Save changes to World.rkm?"});
  EXPECT_EQ(questionButtons, (std::vector<std::string>{"Save", "Don't Save", "Cancel"}));
  EXPECT_EQ(std::filesystem::exists("World.rkm"), end.written);
  if (!end.ends) {
    // The editor goes on; once saved it ends at once, asking nothing.
    Save();
    questions.clear();
    EXPECT_TRUE(EndBy(end.way));
    EXPECT_TRUE(questions.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    ThreeWaysThreeAnswers, RkUnsavedWorkTest,
    ::testing::Values(EndCase{Way::Escape, 0, true, true}, EndCase{Way::Escape, 1, true, false},
                      EndCase{Way::Escape, 2, false, false}, EndCase{Way::Exit, 0, true, true},
                      EndCase{Way::Exit, 1, true, false}, EndCase{Way::Exit, 2, false, false},
                      EndCase{Way::CloseBox, 0, true, true}, EndCase{Way::CloseBox, 1, true, false},
                      EndCase{Way::CloseBox, 2, false, false}),
    EndCaseName);

// A save that fails keeps the editor; the library is asked about after the map.
TEST_F(RkUnsavedWorkTest, FailedSaveKeepsTheEditorAndTheLibraryIsAskedAfterTheMap) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintCell();
  Panel().SetMapName("missing/World");
  answers = {RkUnsavedWork::AnswerSave};
  EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandExit));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("missing/World.rkm"), std::string::npos);

  AddBramToLibrary();
  questions.clear();
  answers = {RkUnsavedWork::AnswerDontSave, RkUnsavedWork::AnswerCancel};
  EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandExit));
  EXPECT_EQ(questions, (std::vector<std::string>{"Save changes to World.rkm?", "Save changes to NPCs.rk?"}));
  answers = {RkUnsavedWork::AnswerDontSave, RkUnsavedWork::AnswerSave};
  EXPECT_FALSE(engine->HandleMenuCommand(RkEngine::CommandExit));
  EXPECT_TRUE(std::filesystem::exists("NPCs.rk"));
  EXPECT_FALSE(std::filesystem::exists("missing"));
}

// Undoing back to the saved state clears the mark, undoing past it sets it;
// saving and loading start from a saved state. The title is set on change only.
TEST_F(RkUnsavedWorkTest, MarkAndTitleFollowTheHistory) {
  OpenMapEditor();
  EXPECT_EQ(Title(), "RkEngine");
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintCell();
  EXPECT_EQ(Title(), "RkEngine - Untitled *");
  Panel().SetMapName("World");
  Save();
  EXPECT_EQ(Title(), "RkEngine - World.rkm");
  PaintCell(50);
  EXPECT_EQ(Title(), "RkEngine - World.rkm *");
  engine->GetUndoControl().Undo();
  EXPECT_EQ(Title(), "RkEngine - World.rkm");
  engine->GetUndoControl().Undo();
  EXPECT_EQ(Title(), "RkEngine - World.rkm *");
  engine->GetUndoControl().Redo();
  EXPECT_EQ(Title(), "RkEngine - World.rkm");
  PaintCell(90);
  ChooseNext("World.rkm");
  answers = {RkUnsavedWork::AnswerDontSave};
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_FALSE(engine->GetMapHistory().CanUndo());
  EXPECT_EQ(Title(), "RkEngine - World.rkm");
  // The panel opened again empties the name field: the title keeps the map's file.
  Panel().Close();
  OpenMapEditor();
  EXPECT_EQ(Title(), "RkEngine - World.rkm");
}

TEST_F(RkUnsavedWorkTest, LibraryMarkFollowsItsHistory) {
  AddBramToLibrary();
  RkNPCEditor& npcEditor = engine->GetNPCEditor();
  EXPECT_TRUE(npcEditor.HasUnsavedLibrary());
  engine->GetLibraryHistory().Undo();
  EXPECT_FALSE(npcEditor.HasUnsavedLibrary());
  engine->GetLibraryHistory().Redo();
  EXPECT_TRUE(npcEditor.HasUnsavedLibrary());
  npcEditor.Click(RkNPCEditor::Button::SaveChanges);
  engine->PollNPCEditor();
  EXPECT_FALSE(npcEditor.HasUnsavedLibrary());
  engine->GetLibraryHistory().Undo();
  EXPECT_TRUE(npcEditor.HasUnsavedLibrary());
}

TEST_F(RkUnsavedWorkTest, ClearMapAndLoadMapAskFirst) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintCell();
  answers = {RkUnsavedWork::AnswerCancel};
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetWorld().GetWidth(), 1);
  ChooseNext("elsewhere.rkm");
  answers = {RkUnsavedWork::AnswerCancel};
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  EXPECT_EQ(dialogFilters.size(), 1u);  // Load Sprite's only: no dialog after Cancel
  answers = {RkUnsavedWork::AnswerDontSave};
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_EQ(questions.size(), 3u);
}

// Load Map of "maps/town.rkm" names the map "town": saving must not write over
// another "town.rkm" without asking; its own file is written without a question.
TEST_F(RkUnsavedWorkTest, SaveMapAsksBeforeReplacingAnotherMapsFile) {
  std::filesystem::create_directories("maps");
  RkWorld().Save("maps/town.rkm");
  std::ofstream("town.rkm") << "another map";
  OpenMapEditor();
  ChooseNext("maps/town.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  ASSERT_STREQ(Panel().GetMapName(), "town");
  answers = {1};
  Save();
  EXPECT_EQ(questions, std::vector<std::string>{"Replace town.rkm?"});
  EXPECT_EQ(questionButtons, (std::vector<std::string>{"Yes", "No"}));
  EXPECT_EQ(std::filesystem::file_size("town.rkm"), 11u);
  answers = {0};
  Save();
  EXPECT_EQ(std::filesystem::file_size("town.rkm"), std::filesystem::file_size("maps/town.rkm"));
  Save();
  EXPECT_EQ(questions.size(), 2u);  // the map's own file now
}

// Escape closes the open menu and leaves the editor running; the next Escape,
// with nothing open, ends it.
TEST_F(RkUnsavedWorkTest, EscapeClosesAnOpenMenuFirst) {
  RkImGuiLayer& ui = engine->GetInterface();
  ui.SetPointer(20, 8, false);
  engine->DrawFrame();
  ui.SetPointer(20, 8, true);
  engine->DrawFrame();
  ui.SetPointer(20, 8, false);
  engine->DrawFrame();
  ASSERT_TRUE(ui.HasOpenMenu());
  PressKeys({DIK_ESCAPE});
  EXPECT_TRUE(engine->IsRunning());
  ui.SetPointer(700, 600, false);
  engine->DrawFrame();
  EXPECT_FALSE(ui.HasOpenMenu());
  PressKeys({});
  PressKeys({DIK_ESCAPE});
  EXPECT_FALSE(engine->IsRunning());
}
