// A map made on Windows plays unchanged: its images and its New Area target are
// found whatever their case, separators or drive, and once they are found the
// steps read no folder.
#include "GameFixture.h"
#include "RkPathResolver.h"
#include "WindowsMadeMap.h"

namespace {

class WindowsMadeMapGame : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    WindowsMadeMap::Write();
  }

  void Walk(uint8_t key) {
    Hold({key});
    StepAndDraw();
    ReleaseAll();
    FinishWalk();
  }

  size_t Listings() const { return RkPathResolver::Instance().GetListingCount(); }

  void ExpectEverySpriteDrawsAnImage() {
    for (const RkSprite& sprite : Sprites()) EXPECT_NE(sprite.GetTexture(), nullptr);
  }
};

TEST_F(WindowsMadeMapGame, LoadsAndPlaysIntoTheHouseAndStepsListNoFolders) {
  StartGame();
  ASSERT_EQ(Sprites().size(), 9u + 1u + 1u);
  ExpectEverySpriteDrawsAnImage();

  // Four seconds of steps: the NPC wanders and its sprite is re-added each step.
  const size_t afterStart = Listings();
  for (int step = 0; step < 240; ++step) StepAndDraw();
  EXPECT_EQ(Listings(), afterStart);

  Walk(DIK_RIGHT);
  Walk(DIK_RIGHT);
  StepAndDraw();  // the area change, unless the walk's last step made it
  EXPECT_FALSE(game->IsAreaChangePending());
  EXPECT_EQ(game->GetWorld().GetWidth(), 3);
  EXPECT_EQ(game->GetWorld().GetNPCCount(), 0u);
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_EQ(PlayerY(), 1);
  ExpectEverySpriteDrawsAnImage();

  const size_t afterChange = Listings();
  Walk(DIK_DOWN);
  for (int step = 0; step < 60; ++step) StepAndDraw();
  EXPECT_EQ(PlayerY(), 2);
  EXPECT_EQ(Listings(), afterChange);
}

using WindowsMadeMapGameDeathTest = WindowsMadeMapGame;

// The reports name the paths as the map holds them, not as they were looked for.
TEST_F(WindowsMadeMapGameDeathTest, ReportsNameTheStoredPathWhenNoFileMatches) {
  RkWorld world = MakeWorld({".A"});
  world.SetTileNewArea(1, 0, "MAPS\\Missing.RKM", 0, 0);
  world.Save("World.rkm");
  StartGame();
  // The map loads in the first step after the walk, which may be the walk's last.
  EXPECT_EXIT((Walk(DIK_RIGHT), StepAndDraw()), ::testing::ExitedWithCode(1),
              "^--RkEngine Description--\nFailed to open the world file\\.\nMAPS\\\\Missing\\.RKM\n\n"
              "--Microsoft\xC2\xAE Description--\nNo such file or directory\n(.|\n)*FILE: RkWorld\nLINE: 405\n");

  world.SetTileImageFile(0, 0, "C:\\Games\\Hollow\\Images\\Tiles\\Gone.PNG");
  world.Save("World.rkm");
  EXPECT_EXIT(StartGame(), ::testing::ExitedWithCode(1),
              "--RkEngine Description--\nC:\\\\Games\\\\Hollow\\\\Images\\\\Tiles\\\\Gone\\.PNG\n");
}

}  // namespace
