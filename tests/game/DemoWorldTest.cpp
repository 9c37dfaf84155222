// The bundled demo world: regenerating it gives the committed maps byte for
// byte, everything its maps name exists, its New Area cells lead to maps and
// back, and the game plays it.
#include <fstream>
#include <iterator>
#include <set>

#include "GameFixture.h"
#include "RkGameSettings.h"
#include "RkSheetCell.h"

namespace {

const std::filesystem::path kDemoFolder = std::filesystem::path(RK_SOURCE_DIR) / "demo";

std::vector<char> ReadBytes(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

using DemoWorld = GameFixture;

TEST_F(DemoWorld, RegeneratingGivesTheCommittedMapBytes) {
  DemoWorldBuilder::WriteMaps(".");
  for (const std::string& name : DemoWorldBuilder::MapNames()) {
    const std::vector<char> committed = ReadBytes(kDemoFolder / name);
    ASSERT_FALSE(committed.empty()) << name << " is missing from demo/";
    EXPECT_TRUE(ReadBytes(name) == committed) << name << " differs from demo/" << name;
  }
}

TEST_F(DemoWorld, RegeneratingGivesTheCommittedNPCLibraryWithEveryCharacter) {
  DemoWorldBuilder::WriteNPCLibrary(".");
  EXPECT_TRUE(ReadBytes(RkNPCList::kFileName) == ReadBytes(kDemoFolder / RkNPCList::kFileName));
  RkNPCList library;
  library.LoadNPCFile();
  int speakingThroughTheLibrary = 0;
  for (const std::string& name : DemoWorldBuilder::MapNames()) {
    RkWorld world;
    world.Load((kDemoFolder / name).string().c_str());
    for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
      const RkNPC& onMap = world.GetNPC(i);
      const RkNPC inLibrary = library.FindNPC(onMap.GetName());
      EXPECT_STREQ(inLibrary.GetImageFile(), onMap.GetImageFile()) << onMap.GetName();
      // Placed without dialogues, an NPC speaks with its namesake's.
      if (onMap.GetDialogueCount() > 0) {
        EXPECT_EQ(inLibrary.GetDialogueCount(), onMap.GetDialogueCount()) << onMap.GetName();
      } else {
        EXPECT_GT(inLibrary.GetDialogueCount(), 0u) << onMap.GetName();
        ++speakingThroughTheLibrary;
      }
    }
  }
  EXPECT_GT(speakingThroughTheLibrary, 0);
}

TEST_F(DemoWorld, RegeneratingGivesTheCommittedSettingsNamingTheTitleAndTheHero) {
  DemoWorldBuilder::WriteSettings(".");
  EXPECT_TRUE(ReadBytes(RkGameSettings::kFileName) == ReadBytes(kDemoFolder / RkGameSettings::kFileName));
  const RkGameSettings settings = RkGameSettings::ReadFrom(kDemoFolder.string());
  EXPECT_FALSE(settings.HasProblems()) << settings.ProblemsMessage();
  EXPECT_GT(settings.LineOf(RkGameSettings::Key::Title), 0);
  EXPECT_GT(settings.LineOf(RkGameSettings::Key::Player), 0);
}

TEST_F(DemoWorld, EverythingTheMapsNameExistsAndEveryLinkLeadsOntoOpenGround) {
  std::filesystem::current_path(kDemoFolder);
  EXPECT_TRUE(std::filesystem::exists(EmberHollow::kPlayerImage));
  std::set<std::string> linkedMaps;
  std::set<int> npcKinds;
  int sheetCells = 0;
  for (const std::string& name : DemoWorldBuilder::MapNames()) {
    RkWorld world;
    world.Load(name.c_str());
    ASSERT_GT(world.GetWidth(), 0) << name;
    for (int x = 0; x < world.GetWidth(); ++x) {
      for (int y = 0; y < world.GetHeight(); ++y) {
        const RkSheetCell image = RkSheetCell::Locate("", world.GetTileImageFile(x, y));
        EXPECT_TRUE(std::filesystem::exists(image.GetSheet())) << name << " " << x << "," << y;
        sheetCells += image.IsCell() ? 1 : 0;
        if (world.GetTileType(x, y) != TileNewArea) continue;
        const std::string target = world.GetTileNewAreaName(x, y);
        linkedMaps.insert(target);
        RkWorld next;
        next.Load(target.c_str());
        EXPECT_EQ(next.GetTileType(world.GetTileNewAreaStartX(x, y), world.GetTileNewAreaStartY(x, y)), TileOpen)
            << name << " " << x << "," << y << " -> " << target;
      }
    }
    for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
      const RkNPC& npc = world.GetNPC(i);
      EXPECT_TRUE(std::filesystem::exists(npc.GetImageFile())) << npc.GetName();
      EXPECT_EQ(world.GetTileType(npc.GetX(), npc.GetY()), TileOpen) << npc.GetName();
      npcKinds.insert(npc.GetType());
    }
  }
  // Every map is reached, the first one included (the way back).
  EXPECT_EQ(linkedMaps.size(), DemoWorldBuilder::MapNames().size());
  EXPECT_TRUE(linkedMaps.count(EmberHollow::kWorldFile));
  EXPECT_EQ(npcKinds, (std::set<int>{NPCNormal, NPCStatic}));
  EXPECT_GT(sheetCells, 0);  // a newcomer sees a tile sheet at work
}

TEST_F(DemoWorld, GameStartsOnTheDemoGreeterTalksAndThePlayerWalksDownThePath) {
  std::filesystem::copy(kDemoFolder, ".",
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  StartGame();
  EXPECT_EQ(game->GetWorld().GetTileType(0, 0), TileOpen);
  StepAndDraw();
  // Two rows above the player's cell lies nothing yet.
  EXPECT_EQ(game->GetRenderer().ReadPixel(336, 180), RK_COLOR_BLACK);
  // The greeter below the start speaks through the library, three levels deep.
  Hold({DIK_SPACE});
  StepAndDraw();
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  EXPECT_STREQ(game->GetConversation().GetName(), "Rowan");
  for (int level = 0; level < 3; ++level) {
    ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode) << "level " << level;
    while (!game->GetConversation().IsOnLastPage()) {
      ReleaseAll();
      StepAndDraw();
      Hold({DIK_SPACE});
      StepAndDraw();
    }
    ReleaseAll();
    StepAndDraw();
    Hold({DIK_SPACE});
    StepAndDraw();
  }
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  ReleaseAll();
  Hold({DIK_RIGHT});
  for (int pass = 0; pass < 16; ++pass) StepAndDraw();
  Hold({DIK_DOWN});
  for (int pass = 0; pass < 3 * 16; ++pass) StepAndDraw();
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_EQ(PlayerY(), 3);
  // The view has followed: two rows above the player now lies row 1's grass.
  EXPECT_NE(game->GetRenderer().ReadPixel(336, 180), RK_COLOR_BLACK);
}

}  // namespace
