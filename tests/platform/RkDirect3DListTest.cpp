// The renderer's sprite and text lists: adding, removing by exact position,
// clearing, and the fatal text length.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "RkDirect3D.h"
#include "TestImageFolder.h"

namespace {

class RendererLists : public testing::Test {
 protected:
  void SetUp() override {
    renderer.InitializeOffscreen(128, 128);
    image = images.Solid("tile.png", 0xFF336699u);
  }
  int CountSprites(int isNpc) const {
    int count = 0;
    for (const RkSprite& sprite : renderer.GetSprites()) count += sprite.GetIsNpc() == isNpc ? 1 : 0;
    return count;
  }
  TestImageFolder images;
  RkDirect3D renderer{RkProgram::Editor};
  std::string image;
};

TEST_F(RendererLists, EmptyFileNameAddsNothing) {
  EXPECT_EQ(renderer.AddSprite("", 0.0f, 0.0f, 0, 0), nullptr);
  EXPECT_EQ(renderer.AddSprite("", 0.0f, 0.0f, 32, 32, 0, 1), nullptr);
  EXPECT_TRUE(renderer.GetSprites().empty());
}

TEST_F(RendererLists, AddedSpriteKeepsItsPlaceFlagsAndListOrder) {
  RkSprite* first = renderer.AddSprite(image.c_str(), 64.0f, 96.0f, 0, 1);
  RkSprite* second = renderer.AddSprite(image.c_str(), 1.5f, 2.5f, 1, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetPosition().x, 64.0f);
  EXPECT_EQ(first->GetPosition().y, 96.0f);
  EXPECT_EQ(first->GetPosition().z, 0.0f);
  EXPECT_EQ(first->GetIsNpc(), 1);
  EXPECT_EQ(second->GetIsPlayer(), 1);
  EXPECT_EQ(first->GetColor(), RK_COLOR_WHITE);
  EXPECT_EQ(&renderer.GetSprites().front(), first);
  EXPECT_EQ(&renderer.GetSprites().back(), second);
}

TEST_F(RendererLists, RemoveNpcSpritesErasesOnlyNpcsAtExactlyThatPosition) {
  renderer.AddSprite(image.c_str(), 64.0f, 96.0f, 0, 0);
  RkSprite* kept = renderer.AddSprite(image.c_str(), 0.0f, 0.0f, 0, 1);
  renderer.AddSprite(image.c_str(), 64.0f, 96.0f, 0, 1);
  renderer.AddSprite(image.c_str(), 64.0f, 96.0f, 0, 1);
  renderer.AddSprite(image.c_str(), 64.0f, 96.5f, 0, 1);

  renderer.RemoveNpcSprites(64.0f, 96.0f);
  EXPECT_EQ(CountSprites(0), 1);
  EXPECT_EQ(CountSprites(1), 2);
  EXPECT_EQ(&renderer.GetSprites().front() + 0, &renderer.GetSprites().front());
  EXPECT_EQ(kept->GetPosition().x, 0.0f);

  renderer.RemoveNpcSprites(64.0f, 96.0f);
  EXPECT_EQ(CountSprites(1), 2);
  renderer.RemoveNpcSprites(64.0f, 96.5f);
  EXPECT_EQ(CountSprites(1), 1);
  EXPECT_EQ(CountSprites(0), 1);
}

TEST_F(RendererLists, RemoveTileSpritesLeavesNpcsAndListOrder) {
  renderer.AddSprite(image.c_str(), 32.0f, 32.0f, 0, 0);
  renderer.AddSprite(image.c_str(), 32.0f, 32.0f, 0, 1);
  renderer.AddSprite(image.c_str(), 0.0f, 32.0f, 0, 0);
  renderer.AddSprite(image.c_str(), 32.0f, 32.0f, 0, 0);
  renderer.RemoveTileSprites(32.0f, 32.0f);
  ASSERT_EQ(renderer.GetSprites().size(), 2u);
  EXPECT_EQ(renderer.GetSprites().front().GetIsNpc(), 1);
  EXPECT_EQ(renderer.GetSprites().back().GetPosition().x, 0.0f);
}

TEST_F(RendererLists, NegativeZeroIsTheSamePositionAndNanMatchesNothing) {
  renderer.AddSprite(image.c_str(), -0.0f, 0.0f, 0, 1);
  renderer.AddSprite(image.c_str(), std::nanf(""), 0.0f, 0, 1);
  renderer.RemoveNpcSprites(std::nanf(""), 0.0f);
  EXPECT_EQ(renderer.GetSprites().size(), 2u);
  renderer.RemoveNpcSprites(0.0f, -0.0f);
  EXPECT_EQ(renderer.GetSprites().size(), 1u);
}

TEST_F(RendererLists, ClearSpritesEmptiesTheListAndTheIndex) {
  renderer.AddSprite(image.c_str(), 32.0f, 32.0f, 0, 1);
  renderer.ClearSprites();
  EXPECT_TRUE(renderer.GetSprites().empty());
  renderer.RemoveNpcSprites(32.0f, 32.0f);
  renderer.AddSprite(image.c_str(), 32.0f, 32.0f, 0, 1);
  renderer.RemoveNpcSprites(32.0f, 32.0f);
  EXPECT_TRUE(renderer.GetSprites().empty());
}

// The handle lets an NPC that stayed, alone, keep its sprite without a search;
// it must never keep a sprite that shares its cell, nor reach an erased one.
TEST_F(RendererLists, NpcHandleKeepsOnlyALoneSpriteStillInTheList) {
  const auto countAt = [this](float x, float y) {
    int count = 0;
    for (const RkSprite& sprite : renderer.GetSprites()) {
      count += sprite.GetPosition().x == x && sprite.GetPosition().y == y ? 1 : 0;
    }
    return count;
  };
  RkDirect3D::NpcSprite first;
  RkDirect3D::NpcSprite second;
  RkSprite* lone = renderer.MoveNpcSprite(32.0f, 32.0f, image.c_str(), 32.0f, 32.0f, first);
  renderer.AddSprite(image.c_str(), 0.0f, 0.0f, 0, 1);
  EXPECT_EQ(renderer.MoveNpcSprite(32.0f, 32.0f, image.c_str(), 32.0f, 32.0f, first), lone);
  EXPECT_EQ(&renderer.GetSprites().back(), lone);

  // A second NPC steps onto the cell: the first's next step erases both sprites
  // there and adds its own; the second's handle then names an erased sprite.
  renderer.MoveNpcSprite(64.0f, 64.0f, image.c_str(), 32.0f, 32.0f, second);
  renderer.MoveNpcSprite(32.0f, 32.0f, image.c_str(), 32.0f, 32.0f, first);
  EXPECT_EQ(countAt(32.0f, 32.0f), 1);
  renderer.MoveNpcSprite(32.0f, 32.0f, image.c_str(), 32.0f, 32.0f, second);
  EXPECT_EQ(countAt(32.0f, 32.0f), 1);
  EXPECT_EQ(renderer.GetSprites().size(), 2u);

  // A map change empties the list: the old handle counts for nothing.
  renderer.ClearSprites();
  renderer.AddSprite(image.c_str(), 96.0f, 96.0f, 0, 1);
  renderer.MoveNpcSprite(32.0f, 32.0f, image.c_str(), 32.0f, 32.0f, first);
  EXPECT_EQ(countAt(32.0f, 32.0f), 1);
  EXPECT_EQ(renderer.GetSprites().size(), 2u);
}

TEST_F(RendererLists, TextOfFourHundredNinetyNineCharactersIsStoredWhole) {
  const std::string longest(499, 'a');
  const char* stored = renderer.AddText(longest.c_str(), 1, 2, 3, 4, 0xFF112233u);
  EXPECT_EQ(std::string(stored), longest);
  const RkDirect3D::Text& item = renderer.GetTexts().back();
  EXPECT_EQ(item.rect.left, 1);
  EXPECT_EQ(item.rect.bottom, 4);
  EXPECT_EQ(item.color, 0xFF112233u);
  renderer.ClearTexts();
  EXPECT_TRUE(renderer.GetTexts().empty());
}

TEST_F(RendererLists, TextOfFiveHundredCharactersIsFatal) {
  const std::string tooLong(500, 'a');
  EXPECT_EXIT(renderer.AddText(tooLong.c_str(), 0, 0, 10, 10, RK_COLOR_WHITE), testing::ExitedWithCode(1),
              "--RkEngine Description--\nFailed to set the name of the text.\n\n--Microsoft\xC2\xAE Description--\n"
              "Numerical result out of range\n\n\nFILE: RkDirect3D\nLINE: 637\n");
}

TEST_F(RendererLists, StartWalkKeepsTheOffsetAndSetsTheDirection) {
  renderer.StartWalk(3);
  EXPECT_EQ(renderer.IsWalking(), 1);
  EXPECT_EQ(renderer.GetWalkDirection(), 3);
  EXPECT_EQ(renderer.GetWalkOffset(), 0);
}

}  // namespace
