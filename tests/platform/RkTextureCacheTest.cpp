// The texture cache: one texture per file, size and colour key; the game's
// erase-and-re-add of NPC sprites decodes nothing and keeps the textures flat.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RkDirect3D.h"
#include "RkTexture.h"
#include "RkTextureCache.h"
#include "TestImageFolder.h"

namespace {

class TextureSharing : public testing::Test {
 protected:
  void SetUp() override {
    renderer.InitializeOffscreen(640, 480);
    for (int index = 0; index < 5; ++index) {
      files.push_back(images.Solid("npc" + std::to_string(index) + ".png", 0xFF102030u + index));
    }
  }
  TestImageFolder images;
  RkDirect3D renderer{RkProgram::Game};
  std::vector<std::string> files;
};

TEST_F(TextureSharing, SameFileShares_ColourKeyAndSizeDoNot) {
  const long before = RkTexture::LiveCount();
  RkSprite* tile = renderer.AddSprite(files[0].c_str(), 0.0f, 0.0f, 0, 0);
  RkSprite* otherTile = renderer.AddSprite(files[0].c_str(), 32.0f, 0.0f, 0, 0);
  RkSprite* npc = renderer.AddSprite(files[0].c_str(), 64.0f, 0.0f, 0, 1);
  RkSprite* player = renderer.AddSprite(files[0].c_str(), 64.0f, 0.0f, 1, 0);
  RkSprite* large = renderer.AddSprite(files[0].c_str(), 96.0f, 0.0f, 64, 64, 0, 0);
  EXPECT_EQ(tile->GetTexture(), otherTile->GetTexture());
  EXPECT_EQ(npc->GetTexture(), player->GetTexture());
  EXPECT_NE(tile->GetTexture(), npc->GetTexture());
  EXPECT_NE(tile->GetTexture(), large->GetTexture());
  EXPECT_EQ(RkTexture::LiveCount(), before + 3);
}

// What the game's step does to every NPC: erase its sprite, add it again at the
// NPC's (possibly new) cell.
TEST_F(TextureSharing, TenThousandRoundsOfReaddingFiveHundredNpcsDecodeNothingNew) {
  constexpr int kNpcs = 500;
  for (int npc = 0; npc < kNpcs; ++npc) {
    renderer.AddSprite(files[npc % files.size()].c_str(), 32.0f * (npc % 40), 32.0f * (npc / 40), 0, 1);
  }
  const long texturesAtStart = RkTexture::LiveCount();
  const size_t decodesAtStart = RkTextureCache::Instance().DecodeCount();
  const size_t cachedAtStart = RkTextureCache::Instance().CachedCount();

  for (int round = 0; round < 10000; ++round) {
    for (int npc = 0; npc < kNpcs; ++npc) {
      const float x = 32.0f * (npc % 40);
      const float y = 32.0f * (npc / 40);
      renderer.RemoveNpcSprites(x, y);
      renderer.AddSprite(files[npc % files.size()].c_str(), x, y, 0, 1);
    }
    if (round % 1000 == 0) {
      ASSERT_EQ(RkTexture::LiveCount(), texturesAtStart) << "round " << round;
    }
  }
  EXPECT_EQ(RkTexture::LiveCount(), texturesAtStart);
  EXPECT_EQ(RkTextureCache::Instance().DecodeCount(), decodesAtStart);
  EXPECT_EQ(RkTextureCache::Instance().CachedCount(), cachedAtStart);
  EXPECT_EQ(renderer.GetSprites().size(), static_cast<size_t>(kNpcs));
}

TEST_F(TextureSharing, UnusedTexturesAreFreedOnceTheIdleLimitIsPassed) {
  const long before = RkTexture::LiveCount();
  const int many = static_cast<int>(RkTextureCache::kIdleLimit) * 3;
  for (int index = 0; index < many; ++index) {
    const std::string file = images.Solid("many" + std::to_string(index) + ".png", 0xFF000000u + index, 2);
    renderer.AddSprite(file.c_str(), 0.0f, 0.0f, 0, 0);
    renderer.RemoveTileSprites(0.0f, 0.0f);
  }
  EXPECT_LE(RkTexture::LiveCount(), before + static_cast<long>(RkTextureCache::kIdleLimit) * 2 + 1);
  RkTextureCache::Instance().Trim();
  EXPECT_EQ(RkTexture::LiveCount(), before);
}

TEST_F(TextureSharing, TrimKeepsTexturesThatSpritesStillUse) {
  RkSprite* kept = renderer.AddSprite(files[1].c_str(), 0.0f, 0.0f, 0, 1);
  RkTextureCache::Instance().Trim();
  ASSERT_NE(kept->GetTexture(), nullptr);
  const long live = RkTexture::LiveCount();
  renderer.AddSprite(files[1].c_str(), 32.0f, 0.0f, 0, 1);
  EXPECT_EQ(RkTexture::LiveCount(), live);
}

}  // namespace
