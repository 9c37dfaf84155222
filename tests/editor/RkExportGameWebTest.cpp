// File > Export Game, for the web: the choice moves a target left at its
// default, and the copy on its own thread writes the page's folder, from a
// stand-in for the web build (the real one is played in tests/game/web).
#include <filesystem>
#include <fstream>

#include "RkEditorFixture.h"

namespace fs = std::filesystem;

namespace {

class RkExportGameWebTest : public RkEditorTest {
 protected:
  void SetUp() override {
    RkEditorTest::SetUp();
    fs::copy(std::string(RK_SOURCE_DIR) + "/demo", scratch / "game", fs::copy_options::recursive);
    fs::create_directory(scratch / "web");
    std::ofstream(scratch / "web" / "index.html") << "<title>@RK_TITLE@</title>";
    for (const std::string& name : RkWebGameExporter::ProgramFiles()) std::ofstream(scratch / "web" / name) << name;
  }
};

}  // namespace

TEST_F(RkExportGameWebTest, TheWebChoiceWritesThePageFolderBesideTheGame) {
  RkExportGameWindow window("unused", nullptr, (scratch / "web").string());
  window.Open((scratch / "game").string());
  EXPECT_EQ(window.GetTarget(), (scratch / "game-export").string());
  window.SetAudience(RkExportGameWindow::Audience::Web);
  EXPECT_EQ(window.GetTarget(), (scratch / "game-web").string());
  window.PressExport();
  window.Poll();
  window.WaitForCopy();
  ASSERT_EQ(window.GetState(), RkExportGameWindow::State::Done);
  ASSERT_TRUE(window.GetWebReport().written) << window.GetWebReport().failure;
  for (const char* file : {"index.html", "EmberHollow.js", "EmberHollow.wasm", "EmberHollow.data", "game.data"}) {
    EXPECT_TRUE(fs::exists(scratch / "game-web" / file)) << file;
  }
  EXPECT_FALSE(fs::exists(scratch / "game-web" / "World.rkm"));
  EXPECT_EQ(window.GetReportLines().front().rfind("The game's page is in " + (scratch / "game-web").string(), 0), 0u);

  window.SetTarget((scratch / "elsewhere").string());
  window.SetAudience(RkExportGameWindow::Audience::ThisComputer);
  EXPECT_EQ(window.GetTarget(), (scratch / "elsewhere").string());
}
