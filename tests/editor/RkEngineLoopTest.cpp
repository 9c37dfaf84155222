// The editor's loop outside the panels: menu commands, opening and closing the
// panels with the NPC list reloaded, the arrow keys and Escape (and keys that a
// text field takes), and a frame drawn with the panel over the canvas.
#include <cstring>

#include "RkEditorFixture.h"

namespace {

class RkEngineLoopTest : public RkEditorTest {
 protected:
  void PressKeys(std::initializer_list<uint8_t> keys) {
    uint8_t table[RK_KEY_TABLE_SIZE] = {};
    for (const uint8_t key : keys) {
      table[key] = RK_KEY_DOWN;
    }
    engine->GetInput().SetKeyboardState(table);
    engine->HandleKeys();
  }

  static void SaveLibrary(std::initializer_list<const char*> names) {
    MakeImage("images/npc.png", 0, 0, 200);
    RkNPCList library;
    for (const char* name : names) {
      library.SaveNPC(name, "images/npc.png");
    }
    library.SaveNPCFile();
  }
};

TEST_F(RkEngineLoopTest, MapEditorOpensOnceWithTheNPCsOfTheFile) {
  SaveLibrary({"Guard", "Smith"});
  EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandMapEditor));
  ASSERT_TRUE(Panel().IsOpen());
  ASSERT_EQ(Panel().GetNPCNameCount(), 2);
  EXPECT_STREQ(Panel().GetNPCName(0), "Guard");
  EXPECT_STREQ(Panel().GetNPCName(1), "Smith");
  // A second choice while open reloads nothing.
  SaveLibrary({"Other"});
  Panel().SetNPCSelection(1);
  engine->HandleMenuCommand(RkEngine::CommandMapEditor);
  EXPECT_EQ(Panel().GetNPCNameCount(), 2);
  EXPECT_EQ(Panel().GetNPCSelection(), 1);
}

TEST_F(RkEngineLoopTest, ReopenedPanelStartsAfreshWithTheFileAsItStandsThen) {
  SaveLibrary({"Guard"});
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceImpassable);
  Panel().SetNPCSelection(0);
  engine->PollMapEditor();
  Panel().SetStartX("7");
  Panel().Close();
  EXPECT_NE(Panel().GetTileSprite(), nullptr);  // closing keeps the panel object
  SaveLibrary({"Guard", "Smith"});
  OpenMapEditor();
  EXPECT_EQ(Panel().GetNPCNameCount(), 2);
  EXPECT_EQ(Panel().GetNPCSelection(), -1);
  EXPECT_EQ(engine->GetSelectedMapNPC(), "");
  EXPECT_EQ(Panel().GetTileSprite(), nullptr);
  EXPECT_EQ(Panel().GetNPCSprite(), nullptr);
  EXPECT_EQ(Panel().GetPaintingChoice(), RkMapEditor::ChoiceNull);
  EXPECT_STREQ(Panel().GetStartX(), "0");
  EXPECT_STREQ(Panel().GetStartY(), "0");
}

TEST_F(RkEngineLoopTest, WithoutAnNPCFileBothPanelsOpenEmpty) {
  OpenMapEditor();
  EXPECT_EQ(Panel().GetNPCNameCount(), 0);
  engine->HandleMenuCommand(RkEngine::CommandNPCEditor);
  EXPECT_TRUE(engine->GetNPCEditor().IsOpen());
  EXPECT_EQ(engine->GetNPCList().GetCount(), 0u);
  EXPECT_TRUE(notices.empty());
}

TEST_F(RkEngineLoopTest, MenuCommandsOfTheOtherEditorsDoNothingAndExitEnds) {
  EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandCreatureEditor));
  EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandItemEditor));
  EXPECT_FALSE(Panel().IsOpen());
  EXPECT_FALSE(engine->GetNPCEditor().IsOpen());
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(engine->HandleMenuCommand(RkEngine::CommandAbout));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text, "Corvane's 2D Game Engine");
  EXPECT_EQ(notices[0].caption, "RkEngine");
  EXPECT_FALSE(engine->HandleMenuCommand(RkEngine::CommandExit));
}

TEST_F(RkEngineLoopTest, QueuedExitEndsTheLoopBeforeTheRestOfThePass) {
  engine->QueueMenuCommand(RkEngine::CommandMapEditor);
  engine->QueueMenuCommand(RkEngine::CommandExit);
  engine->QueueMenuCommand(RkEngine::CommandAbout);
  EXPECT_FALSE(engine->TakeMessages());
  EXPECT_TRUE(Panel().IsOpen());
  EXPECT_TRUE(notices.empty());
}

TEST_F(RkEngineLoopTest, CursorMapsToCanvasPixelsBelowTheMenuBar) {
  const int canvasTop = engine->GetCanvasTop();
  EXPECT_GT(canvasTop, 10);
  engine->PlaceCursor(0, canvasTop);
  EXPECT_EQ(engine->GetMouseX(), 0);
  EXPECT_EQ(engine->GetMouseY(), 0);
  engine->PlaceCursor(30, 5);  // on the menu bar
  EXPECT_EQ(engine->GetMouseX(), 30);
  EXPECT_LT(engine->GetMouseY(), 0);
}

// A held arrow moves the view one cell on every pass, with no pause after the
// first and however little time the passes take.
TEST_F(RkEngineLoopTest, HoldingRightForTenPassesMovesTheCameraTenCells) {
  double seconds = 0.0;
  engine->SetClock([&seconds] { return seconds; });
  for (int pass = 0; pass < 10; ++pass, seconds += 0.001) {
    PressKeys({DIK_RIGHT});
  }
  EXPECT_EQ(engine->GetCamera().GetX(), 10);
  PressKeys({});
  PressKeys({DIK_UP});
  PressKeys({});
  PressKeys({DIK_UP});
  EXPECT_EQ(engine->GetCamera().GetY(), -2);
  PressKeys({});
  for (int pass = 0; pass < 3; ++pass) {
    PressKeys({DIK_LEFT, DIK_DOWN});  // the first match wins
  }
  EXPECT_EQ(engine->GetCamera().GetX(), 7);
  EXPECT_EQ(engine->GetCamera().GetY(), -2);
  EXPECT_TRUE(engine->IsRunning());
}

TEST_F(RkEngineLoopTest, EscapeWithAnArrowEndsWithoutMovingTheCamera) {
  PressKeys({DIK_ESCAPE, DIK_RIGHT});
  EXPECT_FALSE(engine->IsRunning());
  EXPECT_EQ(engine->GetCamera().GetX(), 0);
}

// With the map name field holding the keyboard, keys go to the field: the arrow
// does not scroll, and Escape (which ends the edit) does not end the editor, not
// even in the passes after the field has let the keyboard go.
TEST_F(RkEngineLoopTest, KeysTypedIntoATextFieldNeitherScrollNorEnd) {
  OpenMapEditor();
  RkImGuiLayer& ui = engine->GetInterface();
  const int canvasTop = engine->GetCanvasTop();
  const float nameX = 100 + 90 + 20;
  const float nameY = static_cast<float>(100 + canvasTop + 10 + 8);
  ui.SetPointer(nameX, nameY, false);
  engine->DrawFrame();
  ui.SetPointer(nameX, nameY, true);
  engine->DrawFrame();
  ui.SetPointer(nameX, nameY, false);
  engine->DrawFrame();
  ASSERT_TRUE(ui.WantsTextInput());
  PressKeys({DIK_RIGHT});
  EXPECT_EQ(engine->GetCamera().GetX(), 0);
  PressKeys({DIK_ESCAPE});
  EXPECT_TRUE(engine->IsRunning());
  // The field lets go (a click on the canvas); the keys still held stay the field's.
  ui.SetPointer(700, 600, true);
  engine->DrawFrame();
  ui.SetPointer(700, 600, false);
  engine->DrawFrame();
  ASSERT_FALSE(ui.WantsTextInput());
  PressKeys({DIK_ESCAPE});
  EXPECT_TRUE(engine->IsRunning());
  PressKeys({});
  PressKeys({DIK_RIGHT});
  EXPECT_EQ(engine->GetCamera().GetX(), 1);
  PressKeys({DIK_ESCAPE});
  EXPECT_FALSE(engine->IsRunning());
}

// The Escape that cancels the file dialog (or closes a box) is still down when
// the loop reads the keys again after it.
TEST_F(RkEngineLoopTest, EscapeThatClosedADialogDoesNotEndTheEditor) {
  OpenMapEditor();
  ChooseNext("");
  Panel().Click(RkMapEditor::Button::LoadSprite);
  engine->PollMapEditor();
  uint8_t table[RK_KEY_TABLE_SIZE] = {};
  table[DIK_ESCAPE] = RK_KEY_DOWN;
  engine->GetInput().SetKeyboardState(table);
  engine->ReadInput();
  engine->HandleKeys();
  EXPECT_TRUE(engine->IsRunning());
  PressKeys({});
  PressKeys({DIK_ESCAPE});
  EXPECT_FALSE(engine->IsRunning());
}

// Pixels of one offscreen frame: the map starts below the menu bar, the camera
// shifts it, and the panel with its black previews covers part of the canvas.
TEST_F(RkEngineLoopTest, FrameShowsTheMapBelowTheMenuAndThePanelOverIt) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PressCanvas(600, 200);  // view cell (18, 6)
  engine->GetCamera().SetPosition(1, 0);
  engine->DrawFrame();
  const int canvasTop = engine->GetCanvasTop();
  RkDirect3D& renderer = engine->GetRenderer();
  EXPECT_EQ(renderer.ReadPixel(17 * 32 + 5, canvasTop + 6 * 32 + 5), 0xFF00C800u);
  EXPECT_EQ(renderer.ReadPixel(18 * 32 + 5, canvasTop + 6 * 32 + 5), RK_COLOR_BLACK);
  // The menu bar and the panel are drawn over the canvas, not black.
  EXPECT_NE(renderer.ReadPixel(300, canvasTop / 2), RK_COLOR_BLACK);
  EXPECT_NE(renderer.ReadPixel(100 + 200, 100 + 200), RK_COLOR_BLACK);
  // The tile preview shows the image, the empty NPC preview is black.
  const int clientTop = 100 + canvasTop - 1;
  EXPECT_EQ(renderer.ReadPixel(100 + 112 + 16, clientTop + 95 + 16) & 0x00FFFFFFu, 0x0000C800u);
  EXPECT_EQ(renderer.ReadPixel(100 + 140 + 16, clientTop + 420 + 16), RK_COLOR_BLACK);
  if (const char* shots = std::getenv("RK_SCREENSHOT_DIR")) {
    SDL_SaveBMP(renderer.GetSurface(), (std::string(shots) + "/editor_offscreen.bmp").c_str());
  }
}

}  // namespace
