// The editor opens a map and a library made on Windows with every image found,
// and saves the map again byte for byte as it was loaded.
#include <fstream>
#include <iterator>

#include "../game/WindowsMadeMap.h"
#include "RkEditorFixture.h"
#include "RkNPCList.h"

namespace {

std::string FileBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using WindowsMadeMapEditor = RkEditorTest;

TEST_F(WindowsMadeMapEditor, OpensWithEveryImageAndSavesTheSameBytes) {
  WindowsMadeMap::Write();
  RkNPCList library;
  library.SaveNPC("Caf\xE9 owner", WindowsMadeMap::kCafe);
  library.SaveNPCFile();
  const std::string loaded = FileBytes("World.rkm");

  OpenMapEditor();
  ChooseNext("World.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  const std::vector<RkSprite> sprites = engine->GetRenderer().CopySpriteList();
  ASSERT_EQ(sprites.size(), 9u + 1u);
  for (const RkSprite& sprite : sprites) EXPECT_NE(sprite.GetTexture(), nullptr);
  EXPECT_STREQ(engine->GetWorld().GetTileNewAreaName(2, 0), WindowsMadeMap::kHouse);

  // The library's "é" image shows as the NPC preview.
  Panel().SetNPCSelection(0);
  engine->PollMapEditor();
  ASSERT_NE(Panel().GetNPCSprite(), nullptr);
  EXPECT_NE(Panel().GetNPCSprite()->GetTexture(), nullptr);

  ASSERT_STREQ(Panel().GetMapName(), "World");
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_EQ(FileBytes("World.rkm"), loaded);
  EXPECT_TRUE(notices.empty());
}

}  // namespace
