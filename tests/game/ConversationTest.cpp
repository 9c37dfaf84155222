// Talking with NPCs (mode 2): opening a conversation facing an NPC, choices and
// their Next IDs, the end, Escape, keys that act once per press, the NPC
// library as fallback, long texts in pages, NPCs frozen meanwhile, and the box
// on the screen.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "ConversationBox.h"
#include "GameFixture.h"

namespace {

class Conversation : public GameFixture {
 protected:
  // The player on (0, 0), "Elder" (Static) below it on (0, 1). Dialogues in
  // file order 7, 8, 5: the conversation starts at 5, the lowest Text ID.
  void SetUp() override {
    GameFixture::SetUp();
    RkWorld world = MakeWorld({"....", "....", "...."});
    AddNpc(world, 0, 1, NPCStatic, "Elder");
    RkNPC& elder = world.GetNPC(0);
    elder.AddDialogue(7, "The hollow hides its embers well.");
    elder.AddResponse(7, "Back to the start.", 5);
    elder.AddResponse(7, "Farewell.", 8);
    elder.AddDialogue(8, "Safe travels.");
    elder.AddDialogue(5, "Hello there.");
    elder.AddResponse(5, "Tell me more.", 7);
    elder.AddResponse(5, "Bye.", 99);  // names no dialogue
    elder.AddResponse(5, "Who are you?", 8);
    world.Save("World.rkm");
    StartGame();
  }

  // Held for one step, then all keys up for one step: one press.
  void Tap(uint8_t key) {
    Hold({key});
    StepAndDraw();
    ReleaseAll();
    StepAndDraw();
  }
  // Down is blocked by the NPC: the player turns to face it, then talks.
  void FaceDownAndTalk() {
    Tap(DIK_DOWN);
    ASSERT_EQ(PlayerY(), 0);
    Tap(DIK_SPACE);
  }
  const RkConversation& Talk() { return game->GetConversation(); }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const RkDirect3D::Text& text : game->GetRenderer().GetTexts()) texts.push_back(text.text);
    return texts;
  }
  bool ShowsText(const std::string& text) {
    const std::vector<std::string> texts = Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
};

TEST_F(Conversation, OpensFacingTheNpcFollowsTheChoicesAndEnds) {
  Tap(DIK_SPACE);  // the player starts facing down, towards the NPC on (0, 1)
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  Tap(DIK_ESCAPE);
  game->GetPlayer().SetPosition(1, 1);
  Tap(DIK_LEFT);  // blocked by the NPC on (0, 1): the player only turns
  EXPECT_EQ(PlayerX(), 1);
  EXPECT_EQ(game->GetFacing(), DirectionLeft);
  Tap(DIK_RETURN);
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  EXPECT_EQ(Talk().GetDialogueID(), 5);
  EXPECT_EQ(game->GetRenderer().GetBoxes().size(), 1u);
  EXPECT_TRUE(ShowsText("Elder"));
  EXPECT_TRUE(ShowsText("Hello there."));
  EXPECT_TRUE(ShowsText("Tell me more."));

  const unsigned downs[] = {1, 2, 2};  // the last option stays chosen
  for (unsigned expected : downs) {
    Tap(DIK_DOWN);
    EXPECT_EQ(Talk().GetSelected(), expected);
  }
  const unsigned ups[] = {1, 0, 0};
  for (unsigned expected : ups) {
    Tap(DIK_UP);
    EXPECT_EQ(Talk().GetSelected(), expected);
  }
  Tap(DIK_SPACE);
  EXPECT_EQ(Talk().GetDialogueID(), 7);
  EXPECT_EQ(Talk().GetSelected(), 0u);
  EXPECT_TRUE(ShowsText("The hollow hides its embers well."));
  EXPECT_FALSE(ShowsText("Hello there."));
  Tap(DIK_DOWN);
  Tap(DIK_RETURN);
  EXPECT_EQ(Talk().GetDialogueID(), 8);
  EXPECT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  Tap(DIK_SPACE);  // a dialogue without options ends on the next press
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  EXPECT_TRUE(game->GetRenderer().GetBoxes().empty());
  EXPECT_TRUE(Texts().empty());

  // An option whose Next ID names no dialogue ends the conversation when taken.
  Tap(DIK_SPACE);
  Tap(DIK_DOWN);
  Tap(DIK_SPACE);
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  EXPECT_TRUE(game->IsRunning());
}

TEST_F(Conversation, NothingToTalkToOpensNothing) {
  Tap(DIK_RIGHT);  // walks to (1, 0), now facing right, towards open ground
  FinishWalk();
  Tap(DIK_SPACE);
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  Tap(DIK_LEFT);  // back to (0, 0), facing left: outside the grid
  FinishWalk();
  Tap(DIK_SPACE);
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(Conversation, EscapeEndsTheConversationNotTheGame) {
  FaceDownAndTalk();
  Hold({DIK_ESCAPE});
  for (int step = 0; step < 10; ++step) StepAndDraw();  // held on into mode 1
  EXPECT_TRUE(game->IsRunning());
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  EXPECT_TRUE(game->GetRenderer().GetBoxes().empty());
  ReleaseAll();
  StepAndDraw();
  Hold({DIK_ESCAPE});
  StepAndDraw();
  EXPECT_FALSE(game->IsRunning());
}

TEST_F(Conversation, HeldKeysActOncePerPress) {
  Tap(DIK_DOWN);
  Hold({DIK_SPACE});  // opens the conversation; held on, it does not advance it
  for (int step = 0; step < 20; ++step) StepAndDraw();
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  EXPECT_EQ(Talk().GetDialogueID(), 5);
  Hold({DIK_SPACE, DIK_DOWN});
  for (int step = 0; step < 20; ++step) StepAndDraw();
  EXPECT_EQ(Talk().GetSelected(), 1u) << "of three options, one Down press";
  Hold({DIK_UP});
  StepAndDraw();
  Hold({DIK_RETURN});
  for (int step = 0; step < 20; ++step) StepAndDraw();
  EXPECT_EQ(Talk().GetDialogueID(), 7);  // one step further, not through to the end
  EXPECT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
}

TEST_F(Conversation, NpcsFreezeAndThePlayerStaysWhileTalking) {
  RkWorld world = MakeWorld({".....", ".....", ".....", ".....", "....."});
  AddNpc(world, 0, 1, NPCStatic, "Elder");
  world.GetNPC(0).AddDialogue(0, "Wait a while.");
  AddNpc(world, 3, 3, NPCNormal, "Walker");
  world.Save("World.rkm");
  StartGame(7);
  FaceDownAndTalk();
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  const double intervalBegan = game->GetWorld().GetNPC(1).GetLastMoveTime();
  Hold({DIK_RIGHT});
  for (int pass = 0; pass < 10; ++pass) {
    clock.AdvanceSeconds(3.1);
    game->RunPass(clock);
  }
  EXPECT_EQ(game->GetWorld().GetNPC(1).GetX(), 3);
  EXPECT_EQ(game->GetWorld().GetNPC(1).GetY(), 3);
  EXPECT_EQ(game->GetWorld().GetNPC(1).GetLastMoveTime(), intervalBegan);
  EXPECT_EQ(PlayerX(), 0);
  EXPECT_FALSE(game->GetRenderer().IsWalking());
  EXPECT_EQ(game->GetRenderer().GetFramesPresented(), game->GetFrameCount());  // still drawn
  EXPECT_EQ(CountNpcSpritesAt(96.0f, 96.0f), 1);

  Tap(DIK_SPACE);
  ASSERT_EQ(game->GetMode(), EmberHollow::kWalkingMode);
  int moves = 0;
  for (int pass = 0; pass < 10; ++pass) {
    const int x = game->GetWorld().GetNPC(1).GetX();
    const int y = game->GetWorld().GetNPC(1).GetY();
    clock.AdvanceSeconds(3.1);
    game->RunPass(clock);
    moves += game->GetWorld().GetNPC(1).GetX() != x || game->GetWorld().GetNPC(1).GetY() != y;
  }
  EXPECT_GT(moves, 0) << "the NPC wanders again";
}

TEST_F(Conversation, MapNpcWithoutDialoguesSpeaksThroughItsNamesakeInTheLibrary) {
  RkWorld world = MakeWorld({"...", "...", "..."});
  AddNpc(world, 0, 1, NPCStatic, "Wren");     // only in the library
  AddNpc(world, 1, 0, NPCStatic, "Stranger");  // in neither
  AddNpc(world, 1, 1, NPCStatic, "Elder");     // its own line wins over the library's
  world.GetNPC(2).AddDialogue(0, "My own words.");
  world.Save("World.rkm");
  RkNPCList library;
  library.SaveNPC("Wren", kNpcImage);
  library.AddDialogue("Wren", 3, "Words from the library.");
  library.SaveNPC("Elder", kNpcImage);
  library.AddDialogue("Elder", 0, "The library's words.");
  library.SaveNPCFile();
  StartGame();

  FaceDownAndTalk();
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  EXPECT_TRUE(ShowsText("Wren"));
  EXPECT_TRUE(ShowsText("Words from the library."));
  Tap(DIK_SPACE);
  Tap(DIK_RIGHT);
  Tap(DIK_SPACE);
  EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode) << "nothing to say";
  game->GetPlayer().SetPosition(1, 2);
  Tap(DIK_UP);
  Tap(DIK_SPACE);
  EXPECT_TRUE(ShowsText("My own words."));
}

TEST_F(Conversation, MissingOrDamagedLibraryIsNoError) {
  RkWorld world = MakeWorld({"...", "..."});
  AddNpc(world, 0, 1, NPCStatic, "Wren");
  world.Save("World.rkm");
  for (int damage = 0; damage < 3; ++damage) {
    std::filesystem::remove_all(RkNPCList::kFileName);
    if (damage == 1) std::filesystem::create_directory(RkNPCList::kFileName);  // cannot be read
    if (damage == 2) {
      std::ofstream file(RkNPCList::kFileName, std::ios::binary);
      file << "\xff\xff\xff\x7f" << std::string(700, 'x');  // a huge count and a cut record
    }
    StartGame();
    FaceDownAndTalk();
    EXPECT_EQ(game->GetMode(), EmberHollow::kWalkingMode) << "damage " << damage;
    EXPECT_TRUE(game->IsRunning());
  }
}

TEST_F(Conversation, LongTextIsShownInPagesThatFitTheBox) {
  std::string text;
  for (int word = 0; text.size() < 499; ++word) text += "word" + std::to_string(word) + " ";
  text.resize(499);
  RkWorld world = MakeWorld({"..", ".."});
  AddNpc(world, 0, 1, NPCStatic, "Elder");
  world.GetNPC(0).AddDialogue(1, text.c_str());
  world.GetNPC(0).AddResponse(1, "Go on.", 2);
  world.GetNPC(0).AddDialogue(2, "That was all.");
  world.Save("World.rkm");
  StartGame();
  FaceDownAndTalk();
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  ASSERT_GT(Talk().GetPageCount(), 1u);

  const RkRect box = ConversationBox::kArea;
  std::string shown;
  for (unsigned page = 0; page < Talk().GetPageCount(); ++page) {
    ASSERT_EQ(Talk().GetPage(), page);
    EXPECT_EQ(Talk().GetShownResponseCount(), Talk().IsOnLastPage() ? 1u : 0u) << "page " << page;
    EXPECT_EQ(ShowsText("Go on."), Talk().IsOnLastPage()) << "page " << page;
    for (const std::string& line : Talk().GetPageLines()) shown += line + " ";
    for (const RkDirect3D::Text& item : game->GetRenderer().GetTexts()) {
      const int width = game->GetRenderer().MeasureText(item.text);
      EXPECT_LE(item.rect.left + width, box.right - 2) << item.text;
      EXPECT_LE(item.rect.top + game->GetRenderer().GetFontHeight(), box.bottom - 2) << item.text;
    }
    if (!Talk().IsOnLastPage()) Tap(DIK_SPACE);
  }
  // Every word once, in order: nothing lost between pages.
  std::istringstream expected(text), seen(shown);
  std::string a, b;
  while (expected >> a) {
    ASSERT_TRUE(seen >> b);
    EXPECT_EQ(a, b);
  }
  Tap(DIK_SPACE);
  EXPECT_EQ(Talk().GetDialogueID(), 2);
}

// The box: a light border, the scene darkened under its fill, the scene as it
// was outside it and after the conversation.
TEST_F(Conversation, BoxShowsOverTheSceneAndGoesAway) {
  RkDirect3D& renderer = game->GetRenderer();
  StepAndDraw();
  const RkRect box = ConversationBox::kArea;
  // Over the grass of row 2 (screen rows 304 to 335), right of the name.
  const int insideX = 400, insideY = box.top + 10;
  const RkColor sceneInside = renderer.ReadPixel(insideX, insideY);
  const RkColor sceneOutside = renderer.ReadPixel(box.left - 5, 400);
  const RkColor sceneOnBorder = renderer.ReadPixel(box.left, 400);
  ASSERT_NE(sceneInside, RK_COLOR_BLACK);
  FaceDownAndTalk();
  ASSERT_EQ(game->GetMode(), EmberHollow::kTalkingMode);
  StepAndDraw();

  EXPECT_EQ(renderer.ReadPixel(box.left, 400), ConversationBox::kBorder);
  EXPECT_EQ(renderer.ReadPixel(box.right - 1, box.top + 1), ConversationBox::kBorder);
  EXPECT_EQ(renderer.ReadPixel(box.left - 5, 400), sceneOutside);
  const RkColor inside = renderer.ReadPixel(insideX, insideY);
  const unsigned alpha = ConversationBox::kFill >> 24;
  for (int shift : {16, 8, 0}) {
    const int fill = (ConversationBox::kFill >> shift) & 0xFF;
    const int scene = (sceneInside >> shift) & 0xFF;
    const int blended = (fill * alpha + scene * (255 - alpha)) / 255;
    EXPECT_NEAR(static_cast<int>((inside >> shift) & 0xFF), blended, 2) << "channel " << shift;
  }
  // The name's letters on the first line, in the name's colour.
  int namePixels = 0;
  for (int y = box.top + 6; y < box.top + 24; ++y) {
    for (int x = box.left + 8; x < box.left + 60; ++x) namePixels += renderer.ReadPixel(x, y) == ConversationBox::kNameColor;
  }
  EXPECT_GT(namePixels, 10);

  Tap(DIK_ESCAPE);
  StepAndDraw();
  EXPECT_EQ(renderer.ReadPixel(insideX, insideY), sceneInside);
  EXPECT_EQ(renderer.ReadPixel(box.left, 400), sceneOnBorder);
}

}  // namespace
