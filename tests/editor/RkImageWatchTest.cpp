// An image edited on disk while the editor runs shows anew on the canvas within
// the check interval, at every zoom; one that no longer reads shows the checker.
#include <fstream>

#include "RkEditorFixture.h"

namespace {

class RkImageWatchTest : public RkEditorTest {
 protected:
  RkColor CellPixel() {
    engine->DrawFrame();
    return engine->GetRenderer().ReadPixel(2, 2 + engine->GetCanvasTop());
  }

  // Rewritten with a later time, as an editor's save gives it.
  static void Touch(const std::string& file, int seconds) {
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(seconds));
  }
};

constexpr RkColor kGreen = 0xFF00C800u;
constexpr RkColor kRed = 0xFFC80000u;
constexpr RkColor kMagenta = 0xFFFF00FFu;

TEST_F(RkImageWatchTest, ChangedImageShowsAnewAndABrokenOneAsTheChecker) {
  double seconds = 0.0;
  engine->SetClock([&seconds] { return seconds; });
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  engine->GetMapOverlay().GetLayers() = RkMapOverlay::Layers{false, false, false};
  PressCanvas(5, 5);
  ReleaseButton();
  engine->WatchImages();
  ASSERT_EQ(CellPixel(), kGreen);

  MakeImage("images/grass.png", 200, 0, 0);
  Touch("images/grass.png", 2);
  seconds = 0.1;
  engine->WatchImages();
  EXPECT_EQ(CellPixel(), kGreen);  // not due yet
  seconds = 0.1 + RkImageWatch::kCheckSeconds;
  engine->WatchImages();
  EXPECT_EQ(CellPixel(), kRed);
  engine->GetView().SetZoomAbout(0.25f, 0, 0);  // the smaller copy is renewed too
  EXPECT_EQ(CellPixel(), kRed);

  std::ofstream("images/grass.png", std::ios::trunc) << "half a picture";
  Touch("images/grass.png", 4);
  seconds += RkImageWatch::kCheckSeconds;
  engine->WatchImages();
  EXPECT_EQ(CellPixel(), kMagenta);  // nothing drawn from the old pixels is reused
  engine->GetView().SetZoomAbout(1.0f, 0, 0);
  EXPECT_EQ(CellPixel(), kMagenta);
  EXPECT_TRUE(notices.empty());
}

}  // namespace
