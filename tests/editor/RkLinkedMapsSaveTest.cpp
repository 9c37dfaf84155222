// Saving a map whose cells moved since its last save asks whether the other maps
// of its folder that lead into it should move their start points with it.
#include <fstream>

#include "RkEditorFixture.h"
#include "RkQuestion.h"

namespace {

class RkLinkedMapsSaveTest : public RkEditorTest {
 protected:
  void SetUp() override {
    RkEditorTest::SetUp();
    SetQuestionHandler([this](const std::string& text, const char*, const std::vector<std::string>& buttons, int) {
      questions.push_back(text);
      EXPECT_EQ(buttons, (std::vector<std::string>{"Yes", "No"}));
      return answer;
    });
  }
  void TearDown() override {
    SetQuestionHandler(nullptr);
    RkEditorTest::TearDown();
  }

  static void SaveMapLinkingInto(const std::string& file, const char* target, int32_t startX, int32_t startY) {
    RkWorld world;
    world.Grow(1, 0);
    world.SetTileType(1, 0, TileNewArea);
    world.SetTileImageFile(1, 0, "images/grass.png");
    world.SetTileNewArea(1, 0, target, startX, startY);
    world.Save(file.c_str());
  }

  // The start point of the map's one New Area cell.
  static std::pair<int32_t, int32_t> StartOf(const std::string& file) {
    RkWorld world;
    world.Load(file.c_str());
    for (int32_t x = 0; x < world.GetWidth(); ++x) {
      for (int32_t y = 0; y < world.GetHeight(); ++y) {
        if (world.GetTileType(x, y) == TileNewArea) return {world.GetTileNewAreaStartX(x, y), world.GetTileNewAreaStartY(x, y)};
      }
    }
    return {-1, -1};
  }

  // Paints the cell one left of and one above the map's (0, 0), then saves.
  void GrowLeftAndUpThenSave() {
    engine->GetCamera().SetPosition(engine->GetOrigin().GetX() - 2, engine->GetOrigin().GetY() - 2);
    PressCanvas(32 + 16, 32 + 16);
    ReleaseButton();
    Panel().Click(RkMapEditor::Button::SaveMap);
    engine->PollMapEditor();
    ReleaseButton();  // after the question
  }

  std::vector<std::string> questions;
  int answer = 0;
};

}  // namespace

TEST_F(RkLinkedMapsSaveTest, YesMovesTheStartPointsOfTheMapsLeadingInAndNoLeavesThem) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  SaveMapLinkingInto("World.rkm", "World.rkm", 0, 0);
  SaveMapLinkingInto("House.rkm", "World.rkm", 1, 0);
  SaveMapLinkingInto("Grove.rkm", ".\\World.rkm", 0, 0);
  SaveMapLinkingInto("Cave.rkm", "House.rkm", 1, 0);
  std::ofstream("Broken.rkm") << "\xff\xff\xff\xff";
  ChooseNext("World.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  ReleaseButton();

  GrowLeftAndUpThenSave();
  EXPECT_EQ(questions, std::vector<std::string>{
                           "2 maps lead into World.rkm: Grove.rkm, House.rkm. Move their start points with it?"});
  EXPECT_EQ(StartOf("House.rkm"), std::make_pair(2, 1));
  EXPECT_EQ(StartOf("Grove.rkm"), std::make_pair(1, 1));
  EXPECT_EQ(StartOf("Cave.rkm"), std::make_pair(1, 0));
  EXPECT_EQ(StartOf("World.rkm"), std::make_pair(1, 1));  // its own link moved with the growth
  // The map that could not be read is named; the others went all the same.
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("Broken.rkm"), std::string::npos);

  // Saved again without a growth since: nothing to ask.
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_EQ(questions.size(), 1u);

  answer = 1;
  GrowLeftAndUpThenSave();
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_EQ(StartOf("House.rkm"), std::make_pair(2, 1));
  EXPECT_EQ(StartOf("Grove.rkm"), std::make_pair(1, 1));
}
