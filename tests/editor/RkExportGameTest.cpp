// File > Export Game in the editor: the question about unsaved work (which
// never gives the work up), the copy on its own thread to the end, and a
// refusal that shows the checker's words and writes nothing.
#include <filesystem>

#include "RkEditorFixture.h"

namespace fs = std::filesystem;

namespace {

class RkExportGameTest : public RkEditorTest {
 protected:
  void SetUp() override {
    RkEditorTest::SetUp();
    fs::copy(std::string(RK_SOURCE_DIR) + "/demo", scratch, fs::copy_options::recursive |
                                                                 fs::copy_options::overwrite_existing);
  }

  // The menu's command, the target, the Export button and the pass that acts on it.
  RkExportGameWindow& ExportTo(const std::string& out) {
    EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandExportGame));
    RkExportGameWindow& window = engine->GetExportGameWindow();
    EXPECT_EQ(window.GetState(), RkExportGameWindow::State::Choosing);
    window.SetTarget((scratch / out).string());
    window.PressExport();
    window.Poll();
    return window;
  }
};

}  // namespace

TEST_F(RkExportGameTest, UnsavedWorkIsAskedAboutFirstAndStaysUnsavedWhenExportedWithoutIt) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(40, 40);
  ReleaseButton();
  engine->RunPass();
  ASSERT_EQ(engine->GetWindowTitle(), "RkEngine - Untitled *");

  answers.push_back(RkUnsavedWork::AnswerCancel);
  RkExportGameWindow& window = ExportTo("cancelled");
  EXPECT_EQ(questions.back(), "The export reads the files on disk. Save changes to Untitled first?");
  EXPECT_EQ(questionButtons, (std::vector<std::string>{"Save", "Export Without Them", "Cancel"}));
  EXPECT_EQ(window.GetState(), RkExportGameWindow::State::Choosing);
  EXPECT_FALSE(fs::exists(scratch / "cancelled"));

  answers.push_back(RkUnsavedWork::AnswerDontSave);
  window.PressExport();
  window.Poll();
  window.WaitForCopy();
  ASSERT_EQ(window.GetState(), RkExportGameWindow::State::Done);
  EXPECT_TRUE(window.GetReport().written) << window.GetReport().failure;
  EXPECT_FLOAT_EQ(window.GetProgress(), 1.0f);
  for (const char* file : {"World.rkm", "House.rkm", "Grove.rkm", "EmberHollow", "play", "lib/libSDL2-2.0.so.0"}) {
    EXPECT_TRUE(fs::exists(scratch / "cancelled" / file)) << file;
  }
  engine->RunPass();
  EXPECT_EQ(engine->GetWindowTitle(), "RkEngine - Untitled *");
}

TEST_F(RkExportGameTest, ErrorsAreReportedInTheCheckersWordsAndNothingIsWritten) {
  fs::remove(scratch / "Grove.rkm");
  RkExportGameWindow& window = ExportTo("out");
  ASSERT_EQ(window.GetState(), RkExportGameWindow::State::Done);
  const std::vector<std::string> lines = window.GetReportLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.front().find("link leads to Grove.rkm, which does not exist"), std::string::npos) << lines.front();
  EXPECT_EQ(lines.back().rfind("Not exported: the game has ", 0), 0u) << lines.back();
  EXPECT_FALSE(fs::exists(scratch / "out"));
}
