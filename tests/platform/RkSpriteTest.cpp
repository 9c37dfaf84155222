// Sprites on the offscreen renderer: the colour key of character sprites, the
// scaling to the sprite's size, copies that share a texture, fatal loads.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "RkDirect3D.h"
#include "RkSprite.h"
#include "RkTexture.h"
#include "RkTextureCache.h"
#include "TestImageFolder.h"

namespace {

class SpriteDrawing : public testing::Test {
 protected:
  void SetUp() override { renderer.InitializeOffscreen(256, 128); }
  TestImageFolder images;
  RkDirect3D renderer{RkProgram::Game};
};

TEST_F(SpriteDrawing, WhiteIsKeptInTilesAndTransparentInNpcsAndThePlayer) {
  const std::string halfWhite = images.HalfWhite("half.png", kGreen);
  const std::string red = images.Solid("red.png", kRed);
  renderer.AddSprite(halfWhite.c_str(), 0.0f, 0.0f, 0, 0);
  renderer.AddSprite(red.c_str(), 64.0f, 0.0f, 0, 0);
  renderer.AddSprite(halfWhite.c_str(), 64.0f, 0.0f, 0, 1);
  renderer.AddSprite(red.c_str(), 128.0f, 0.0f, 0, 0);
  renderer.AddSprite(halfWhite.c_str(), 128.0f, 0.0f, 1, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);

  EXPECT_EQ(renderer.ReadPixel(5, 5), kWhite);
  EXPECT_EQ(renderer.ReadPixel(20, 5), kGreen);
  EXPECT_EQ(renderer.ReadPixel(64 + 5, 5), kRed);
  EXPECT_EQ(renderer.ReadPixel(64 + 20, 5), kGreen);
  EXPECT_EQ(renderer.ReadPixel(128 + 5, 5), kRed);
  EXPECT_EQ(renderer.ReadPixel(128 + 20, 5), kGreen);
}

TEST_F(SpriteDrawing, NearWhiteAndTranslucentWhiteAreNotKeyed) {
  const std::string nearWhite = images.Solid("near.png", 0xFFFFFFFEu);
  renderer.AddSprite(nearWhite.c_str(), 0.0f, 0.0f, 0, 1);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(5, 5), 0xFFFFFFFEu);
}

TEST_F(SpriteDrawing, LargeImageIsDrawnAtThirtyTwoByThirtyTwo) {
  const std::string big = images.Quadrants("big.png", 64, kRed, kGreen, kBlue, kYellow);
  renderer.AddSprite(big.c_str(), 0.0f, 0.0f, 0, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(4, 4), kRed);
  EXPECT_EQ(renderer.ReadPixel(27, 4), kGreen);
  EXPECT_EQ(renderer.ReadPixel(4, 27), kBlue);
  EXPECT_EQ(renderer.ReadPixel(27, 27), kYellow);
  EXPECT_EQ(renderer.ReadPixel(32, 4), kBlack);
  EXPECT_EQ(renderer.ReadPixel(4, 32), kBlack);
}

TEST_F(SpriteDrawing, EditorSizeIsHonoured) {
  RkDirect3D editor(RkProgram::Editor);
  editor.InitializeOffscreen(128, 128);
  const std::string red = images.Solid("red.png", kRed, 8);
  editor.AddSprite(red.c_str(), 0.0f, 0.0f, 48, 16, 0, 0);
  editor.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(editor.ReadPixel(47, 15), kRed);
  EXPECT_EQ(editor.ReadPixel(48, 0), kBlack);
  EXPECT_EQ(editor.ReadPixel(0, 16), kBlack);
}

TEST_F(SpriteDrawing, ImageNamedWithBackslashesIsFound) {
  std::string red = images.Solid("red.png", kRed);
  red[red.rfind('/')] = '\\';
  renderer.AddSprite(red.c_str(), 0.0f, 0.0f, 0, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(3, 3), kRed);
}

TEST_F(SpriteDrawing, CopyStillDrawsAfterItsTemporaryIsGone) {
  const std::string red = images.Solid("red.png", kRed);
  std::vector<RkSprite> kept;
  {
    RkSprite temporary(renderer.GetDevice(), red.c_str(), RkVector3{0, 0, 0}, RkVector3{40, 8, 0}, 0, 0);
    kept.push_back(temporary);
  }
  RkSprite* stored = renderer.AddSprite(red.c_str(), 0.0f, 0.0f, 0, 0);
  ASSERT_NE(stored, nullptr);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  kept.front().Draw(renderer.GetDevice());
  EXPECT_EQ(renderer.ReadPixel(10, 10), kRed);
  EXPECT_EQ(renderer.ReadPixel(45, 12), kRed);
}

TEST_F(SpriteDrawing, ErasingTheStoredSpriteLeavesCopiesDrawable) {
  const std::string red = images.Solid("red.png", kRed);
  RkSprite copy = *renderer.AddSprite(red.c_str(), 0.0f, 0.0f, 0, 1);
  renderer.RemoveNpcSprites(0.0f, 0.0f);
  RkTextureCache::Instance().Trim();
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  copy.Draw(renderer.GetDevice());
  EXPECT_EQ(renderer.ReadPixel(3, 3), kRed);
}

TEST(SpriteLifetime, SpriteOutlivingItsRendererHoldsNoTextureAndDrawsNothing) {
  TestImageFolder images;
  const std::string red = images.Solid("red.png", kRed);
  const long before = RkTexture::LiveCount();
  auto* renderer = new RkDirect3D(RkProgram::Editor);
  renderer->InitializeOffscreen(64, 64);
  auto* preview = new RkSprite(renderer->GetDevice(), red.c_str(), 32, 32, RkVector3{0, 0, 0},
                               RkVector3{0, 0, 0}, kWhite, 0, 0);
  renderer->AddSprite(red.c_str(), 0.0f, 0.0f, 32, 32, 0, 0);
  EXPECT_NE(preview->GetTexture(), nullptr);
  delete renderer;
  EXPECT_EQ(preview->GetTexture(), nullptr);
  EXPECT_EQ(RkTexture::LiveCount(), before);
  delete preview;
}

TEST(SpriteLifetime, DestroyingARendererThatWasNeverInitialisedReleasesNothing) {
  const long before = RkTexture::LiveCount();
  { RkDirect3D renderer; }
  EXPECT_EQ(RkTexture::LiveCount(), before);
}

TEST(SpriteDeathTest, MissingTileImageEndsWithItsFileNameAsTheMessage) {
  RkDirect3D renderer(RkProgram::Game);
  renderer.InitializeOffscreen(64, 64);
  EXPECT_EXIT(renderer.AddSprite("images/tiles/none.png", 0.0f, 0.0f, 0, 0), testing::ExitedWithCode(1),
              "--RkEngine Description--\nimages/tiles/none.png\n\n--DirectX Description--\n(.|\n)*"
              "No such file or directory\n\nFILE: RkSprite\nLINE: 46\n");
}

TEST(SpriteDeathTest, MissingCharacterImageReportsItsOwnLineInEachProgram) {
  RkDirect3D game(RkProgram::Game);
  game.InitializeOffscreen(64, 64);
  EXPECT_EXIT(game.AddSprite("none.png", 0.0f, 0.0f, 0, 1), testing::ExitedWithCode(1),
              "none.png\n(.|\n)*FILE: RkSprite\nLINE: 40\n");
  EXPECT_EXIT(
      {
        SetRunningProgram(RkProgram::Editor);
        game.AddSprite("none.png", 0.0f, 0.0f, 1, 0);
      },
      testing::ExitedWithCode(1), "FILE: RkSprite\nLINE: 43\n");
}

TEST(SpriteDeathTest, FileThatIsNoImageIsFatalToo) {
  TestImageFolder images;
  const std::string path = images.Path("text.png");
  FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("not an image", file);
  std::fclose(file);
  RkDirect3D renderer;
  renderer.InitializeOffscreen(64, 64);
  // SDL_image's own reason, not whatever errno was left.
  EXPECT_EXIT(renderer.AddSprite(path.c_str(), 0.0f, 0.0f, 0, 0), testing::ExitedWithCode(1),
              "text.png\n(.|\n)*--Microsoft\xC2\xAE Description--\nUnsupported image format\n\nFILE: RkSprite\n");
}

// Only the header is there: the size it declares is refused before any pixel
// data is looked for; 8192 on a side still loads.
TEST(SpriteDeathTest, ImageDeclaringMoreThan8192PixelsOnASideIsRefused) {
  TestImageFolder images;
  const std::string wide = images.Save("wide.png", 10000, 10, [](int, int) { return kRed; });
  ASSERT_EQ(truncate(wide.c_str(), 33), 0);
  const std::string widest = images.Save("widest.png", 8192, 2, [](int, int) { return kGreen; });
  RkDirect3D renderer;
  renderer.InitializeOffscreen(64, 64);
  renderer.AddSprite(widest.c_str(), 0.0f, 0.0f, 0, 0);
  renderer.RenderFrame(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(renderer.ReadPixel(4, 4), kGreen);
  EXPECT_EXIT(renderer.AddSprite(wide.c_str(), 0.0f, 0.0f, 0, 0), testing::ExitedWithCode(1),
              "wide.png\n(.|\n)*\nThe image is 10000 by 10 pixels; more than 8192 on a side is not loaded.\n\n"
              "FILE: RkSprite\nLINE: 46\n");
}

}  // namespace
