// The game's scene, kept as a tile grid with NPC sprites that stay in place,
// against a second renderer fed literally: every tile by AddSprite, column by
// column, then the NPCs and the player, and every step each NPC's sprites erased
// at its old cell and its sprite added again at its cell. Frame after frame,
// through walks, wanders, overlapping NPCs and a map change, both must draw the
// same pixels from the same list.
#include <SDL.h>

#include <cstring>

#include "GameFixture.h"

namespace {

class SceneEquivalence : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    reference.InitializeOffscreen(EmberHollow::kClientWidth, EmberHollow::kClientHeight);
    reference.SetWalkClock(RkDirect3D::WalkClock::Steps);
  }

  void BuildReference() {
    const RkWorld& world = game->GetWorld();
    reference.ClearSprites();
    for (int x = 0; x < world.GetWidth(); ++x) {
      for (int y = 0; y < world.GetHeight(); ++y) {
        reference.AddSprite(world.GetTileImageFile(x, y), x * 32.0f, y * 32.0f, 0, 0);
      }
    }
    for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
      reference.AddSprite(world.GetNPCImageFile(i), world.GetNPCX(i) * 32.0f, world.GetNPCY(i) * 32.0f, 0, 1);
    }
    reference.AddSprite(EmberHollow::kPlayerImage, 320.0f, 240.0f, 1, 0);
  }

  // One pass of one step in the game; the same step's sprite operations and
  // walk on the reference; then both frames.
  void StepBoth() {
    const RkWorld& world = game->GetWorld();
    std::vector<std::pair<int, int>> before;
    for (unsigned i = 0; i < world.GetNPCCount(); ++i) before.emplace_back(world.GetNPCX(i), world.GetNPCY(i));
    const std::string mapBefore = world.GetFileName();
    StepAndDraw();
    reference.StepWalk();
    if (world.GetFileName() != mapBefore) {
      BuildReference();
      ++mapChanges;
    } else {
      for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
        reference.RemoveNpcSprites(before[i].first * 32.0f, before[i].second * 32.0f);
        reference.AddSprite(world.GetNPCImageFile(i), world.GetNPCX(i) * 32.0f, world.GetNPCY(i) * 32.0f, 0, 1);
      }
    }
    if (game->GetRenderer().IsWalking() && !reference.IsWalking()) {
      reference.StartWalk(game->GetRenderer().GetWalkDirection());
      ++walks;
    }
    reference.RenderFrame(nullptr, EmberHollow::kClientWidth, EmberHollow::kClientHeight, PlayerX(), PlayerY());
  }

  void ExpectSameList() {
    const std::vector<RkSprite> scene = Sprites();
    const auto& literal = reference.GetSprites();
    ASSERT_EQ(scene.size(), literal.size());
    auto expected = literal.begin();
    for (size_t i = 0; i < scene.size(); ++i, ++expected) {
      ASSERT_EQ(scene[i].GetPosition().x, expected->GetPosition().x) << "sprite " << i;
      ASSERT_EQ(scene[i].GetPosition().y, expected->GetPosition().y) << "sprite " << i;
      ASSERT_EQ(scene[i].GetIsNpc(), expected->GetIsNpc()) << "sprite " << i;
      ASSERT_EQ(scene[i].GetIsPlayer(), expected->GetIsPlayer()) << "sprite " << i;
    }
  }

  // The sprites added one by one (all but the grid's tiles) in list order too.
  void ExpectSameSpritesAddedOneByOne() {
    std::vector<RkVector3> literal;
    for (const RkSprite& sprite : reference.GetSprites()) {
      if (sprite.GetIsNpc() == 1 || sprite.GetIsPlayer() == 1) literal.push_back(sprite.GetPosition());
    }
    const auto& kept = game->GetRenderer().GetSprites();
    ASSERT_EQ(kept.size(), literal.size());
    size_t i = 0;
    for (const RkSprite& sprite : kept) {
      ASSERT_EQ(sprite.GetPosition().x, literal[i].x) << "sprite " << i;
      ASSERT_EQ(sprite.GetPosition().y, literal[i].y) << "sprite " << i;
      ++i;
    }
  }

  // Rows of the two surfaces that differ, -1 when none does.
  int FirstDifferentRow() {
    const SDL_Surface* drawn = game->GetRenderer().GetSurface();
    const SDL_Surface* literal = reference.GetSurface();
    for (int y = 0; y < drawn->h; ++y) {
      const auto* a = static_cast<const uint8_t*>(drawn->pixels) + y * drawn->pitch;
      const auto* b = static_cast<const uint8_t*>(literal->pixels) + y * literal->pitch;
      if (std::memcmp(a, b, static_cast<size_t>(drawn->w) * 4) != 0) return y;
    }
    return -1;
  }

  void Play(int passes, std::initializer_list<uint8_t> keys) {
    Hold(keys);
    for (int pass = 0; pass < passes; ++pass) {
      StepBoth();
      ASSERT_EQ(FirstDifferentRow(), -1) << "pass " << pass << " of " << passes << ", player at " << PlayerX()
                                         << "," << PlayerY();
    }
    ExpectSameList();
    ExpectSameSpritesAddedOneByOne();
  }

  RkDirect3D reference{RkProgram::Game};
  int walks = 0;
  int mapChanges = 0;
};

TEST_F(SceneEquivalence, GridAndKeptNpcSpritesDrawWhatTheLiteralSceneDraws) {
  // 'x' cells have no image; the door at (14, 0) leads into the second map.
  RkWorld world = MakeWorld({
      "..............A.........",
      "......................#.",
      "..x.....#####...........",
      "..........x.............",
      ".......#................",
      "........................",
      ".....x..........#.......",
      "........................",
      "........................",
      "..........#.............",
  });
  world.SetTileNewArea(14, 0, "Inner.rkm", 2, 1);
  // Two NPCs on one cell with different images: the literal step leaves only
  // the later one's sprite, and its transparent pixels show whether the other
  // is drawn below it.
  world.SetNPC("Villager", 3, 3, PixelArt::kVillager, NPCStatic);
  world.SetNPC("Guard", 4, 3, PixelArt::kGuard, NPCStatic);
  world.GetNPC(1).SetPosition(3, 3);
  // Two with the same image on one cell: only one sprite may stay.
  world.SetNPC("Twin", 9, 5, PixelArt::kChild, NPCStatic);
  world.SetNPC("Twin", 9, 6, PixelArt::kChild, NPCStatic);
  world.GetNPC(3).SetPosition(9, 5);
  // Beside the player's way, so that the walking player overlaps them.
  world.SetNPC("Elder", 2, 1, PixelArt::kElder, NPCStatic);
  world.SetNPC("Child", 6, 1, PixelArt::kChild, NPCNormal);
  for (int i = 0; i < 14; ++i) {
    world.SetNPC("Walker", 4 + (i * 5) % 18, 3 + (i * 3) % 7, i % 2 ? PixelArt::kVillager : PixelArt::kChild,
                 NPCNormal);
  }
  world.Save("World.rkm");
  RkWorld inner = MakeWorld({"....", "....", "...."});
  inner.SetNPC("Guard", 1, 1, PixelArt::kGuard, NPCNormal);
  inner.SetNPC("Elder", 3, 2, PixelArt::kElder, NPCNormal);
  inner.Save("Inner.rkm");
  StartGame(11);
  BuildReference();
  ExpectSameList();

  Play(60, {DIK_RIGHT});
  Play(200, {});  // standing: the NPCs' wander intervals run out
  Play(40, {DIK_DOWN});
  Play(200, {});
  Play(40, {DIK_UP});
  Play(200, {DIK_RIGHT});  // along the top row, through the door
  ASSERT_EQ(mapChanges, 1);
  Play(200, {});
  Play(40, {DIK_LEFT});
  EXPECT_GE(walks, 15);
}

}  // namespace
