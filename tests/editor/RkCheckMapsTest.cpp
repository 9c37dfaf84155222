// Tools > Check Maps in the editor: the findings of the working folder, and a
// click on one that loads its map and centres the canvas on its cell.
#include "RkEditorFixture.h"

namespace {

class RkCheckMapsTest : public RkEditorTest {
 protected:
  // A map of width by height Open cells drawn with images/grass.png.
  static RkWorld OpenMap(int32_t width, int32_t height) {
    RkWorld world;
    world.Grow(width - 1, height - 1);
    for (int32_t x = 0; x < width; ++x) {
      for (int32_t y = 0; y < height; ++y) {
        world.SetTileType(x, y, TileOpen);
        world.SetTileImageFile(x, y, "images/grass.png");
      }
    }
    return world;
  }

  std::size_t FindingOn(const std::string& file) {
    const std::vector<RkMapFinding>& findings = engine->GetCheckMapsWindow().GetFindings();
    for (std::size_t i = 0; i < findings.size(); ++i) {
      if (findings[i].GetFile() == file && findings[i].HasCell()) return i;
    }
    ADD_FAILURE() << "no finding with a cell on " << file;
    return 0;
  }

  void PickAndPoll(std::size_t index) {
    RkCheckMapsWindow& window = engine->GetCheckMapsWindow();
    window.Pick(index);
    window.Poll(RkEngine::kWidth, RkEngine::kHeight - engine->GetCanvasTop());
  }

  // The map cell under the canvas's centre.
  void ExpectCellAtCentre(int32_t x, int32_t y) {
    int viewX = 0;
    int viewY = 0;
    engine->GetView().CellAt(RkEngine::kWidth / 2, (RkEngine::kHeight - engine->GetCanvasTop()) / 2, viewX, viewY);
    EXPECT_EQ(viewX - engine->GetOrigin().GetX(), x);
    EXPECT_EQ(viewY - engine->GetOrigin().GetY(), y);
  }
};

}  // namespace

TEST_F(RkCheckMapsTest, AClickOnAFindingLoadsItsMapAndCentresItsCellKeepingTheEditsOfTheOpenMap) {
  MakeImage("images/grass.png", 0, 200, 0);
  OpenMap(2, 2).Save("World.rkm");
  RkWorld house = OpenMap(40, 30);
  house.SetTileImageFile(30, 20, "images/gone.png");
  house.Save("House.rkm");
  engine->GetView().SetZoomAbout(2.0f, 0, 0);

  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandCheckMaps));
  ASSERT_TRUE(engine->GetCheckMapsWindow().IsOpen());
  const std::size_t missingImage = FindingOn("House.rkm");
  EXPECT_EQ(engine->GetCheckMapsWindow().GetFindings()[missingImage].GetX(), 30);
  PickAndPoll(missingImage);

  EXPECT_EQ(engine->GetWorld().GetFileName(), "House.rkm");
  EXPECT_STREQ(Panel().GetMapName(), "House");
  EXPECT_EQ(engine->GetView().GetZoom(), 2.0f);
  ExpectCellAtCentre(30, 20);

  // The open map is shown where it is, with its edits, not read again.
  engine->GetWorld().SetTileType(0, 0, TileImpassable);
  engine->GetCamera().SetPosition(0, 0);
  PickAndPoll(missingImage);
  EXPECT_EQ(engine->GetWorld().GetTileType(0, 0), TileImpassable);
  ExpectCellAtCentre(30, 20);
  // Only the first load told of the missing image.
  EXPECT_EQ(notices.size(), 1u);
}

// An edit not yet saved is checked, and the window says whose state it checked.
TEST_F(RkCheckMapsTest, TheEditedMapIsCheckedAsItIsUntilItIsSaved) {
  MakeImage("images/grass.png", 0, 200, 0);
  OpenMap(2, 2).Save("World.rkm");
  OpenMapEditor();
  ChooseNext("World.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceImpassable);
  PressCanvas(10, 10);  // the start cell, (0, 0)
  ReleaseButton();

  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandCheckMaps));
  RkCheckMapsWindow& window = engine->GetCheckMapsWindow();
  EXPECT_EQ(window.GetUnsavedMap(), "World.rkm");
  const std::size_t start = FindingOn("World.rkm");
  const RkMapFinding& finding = window.GetFindings()[start];
  EXPECT_TRUE(finding.IsError());
  EXPECT_EQ(window.LineOf(finding).rfind("World.rkm (unsaved) (0, 0): ", 0), 0u) << window.LineOf(finding);
}
