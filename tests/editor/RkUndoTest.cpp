// Undo and redo of the editor's steps: each kind of step, undone, leaves the map
// (or the NPC library) byte for byte as it was saved before it, and redone, as
// saved after it; the canvas then holds the sprites that loading that file
// registers, and the unsaved mark follows the history.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

#include "RkEditorFixture.h"

namespace {

using Bytes = std::vector<char>;
// A sprite as the canvas shows it, relative to the map's cell (0, 0).
using Registration = std::tuple<int, float, float, std::string>;

Bytes ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

class RkUndoTest : public RkEditorTest {
 protected:
  Bytes SavedMap() {
    engine->GetWorld().Save("state.rkm");
    return ReadFile("state.rkm");
  }

  Bytes SavedLibrary() {
    engine->GetNPCList().SaveNPCFile("state.rk");
    return ReadFile("state.rk");
  }

  // Sprites by kind and place; those of one place keep their order, which is
  // what drawing shows (sprites of different cells do not overlap).
  static std::vector<Registration> Registrations(RkDirect3D& renderer, const RkEntity& origin) {
    // Sprites of one image share its texture: a probe sprite of each image names them.
    std::map<SDL_Texture*, std::string> files;
    for (const auto& image : std::filesystem::directory_iterator("images")) {
      const std::string file = "images/" + image.path().filename().string();
      files[renderer.AddSprite(file.c_str(), -1e6f, -1e6f, 32, 32, 0, 0)->GetTexture()] = file;
      files[renderer.AddSprite(file.c_str(), -1e6f, -1e6f, 32, 32, 0, 1)->GetTexture()] = file;
      renderer.RemoveTileSprites(-1e6f, -1e6f);
      renderer.RemoveNpcSprites(-1e6f, -1e6f);
    }
    std::vector<Registration> found;
    for (const RkSprite& sprite : renderer.CopySpriteList()) {
      found.emplace_back(sprite.GetIsNpc(), sprite.GetPosition().x - 32.0f * origin.GetX(),
                         sprite.GetPosition().y - 32.0f * origin.GetY(), files[sprite.GetTexture()]);
    }
    std::stable_sort(found.begin(), found.end(), [](const Registration& a, const Registration& b) {
      return std::tie(std::get<0>(a), std::get<1>(a), std::get<2>(a)) <
             std::tie(std::get<0>(b), std::get<1>(b), std::get<2>(b));
    });
    return found;
  }

  std::vector<Registration> Shown() { return Registrations(engine->GetRenderer(), engine->GetOrigin()); }

  // The sprites that a fresh load of these bytes registers: Load Map of a map
  // panel of its own, on a renderer of its own.
  static std::vector<Registration> FreshLoadOf(const Bytes& map) {
    {
      std::ofstream file("fresh.rkm", std::ios::binary);
      file.write(map.data(), static_cast<std::streamsize>(map.size()));
    }
    RkMapEditor panel;
    RkMapDocument document;
    RkDirect3D renderer(RkProgram::Editor);
    renderer.InitializeOffscreen(64, 64);
    RkMapSprites sprites(document, renderer);
    document.SetChangeListener([&sprites](const RkMapDocument::Change& change) { sprites.Follow(change); });
    RkNPCList library;
    RkMapEditorActions actions(
        panel, document, renderer, library,
        [](const RkFileDialog::FilterList&, std::string& path) {
          path = "fresh.rkm";
          return true;
        },
        [](const char*) {});
    panel.Click(RkMapEditor::Button::LoadMap);
    actions.Poll();
    return Registrations(renderer, document.GetOrigin());
  }

  // The world, sprites and view after undoing are those before the step; after
  // redoing, those after it.
  void ExpectUndoAndRedoExact(const Bytes& before, const Bytes& after) {
    const std::vector<Registration> spritesAfter = Shown();
    ASSERT_TRUE(engine->GetMapHistory().Undo());
    EXPECT_EQ(SavedMap(), before);
    EXPECT_EQ(Shown(), FreshLoadOf(before));
    ASSERT_TRUE(engine->GetMapHistory().Redo());
    EXPECT_EQ(SavedMap(), after);
    EXPECT_EQ(Shown(), FreshLoadOf(after));
    EXPECT_EQ(Shown(), spritesAfter);
  }

  // The map as it is, saved and loaded again through Load Map (a new history).
  void ReloadMap() {
    engine->GetWorld().Save("setup.rkm");
    ChooseNext("setup.rkm");
    Panel().Click(RkMapEditor::Button::LoadMap);
    engine->PollMapEditor();
    ReleaseButton();
  }

  void PaintRow(int fromX, int toX, int y) {
    for (int x = fromX; x <= toX; ++x) PressCanvas(x * 32 + 5, y * 32 + 5);
    ReleaseButton();
  }

  void PrepareNPCs() {
    RkNPCList library;
    library.SaveNPC("Bram", MakeImage("images/bram.png", 0, 0, 200).c_str());
    library.SaveNPCFile();
    OpenMapEditor();
    Panel().SetNPCSelection(0);
    engine->PollMapEditor();
  }
};

// The first stroke on an empty map places the origin and grows the map; later
// strokes grow it left and up across the old cells, and the view moves with it.
TEST_F(RkUndoTest, StrokesThatGrowTheMapUndoToTheOldGridAndView) {
  PrepareNPCs();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  const Bytes empty = SavedMap();
  PaintRow(5, 7, 4);
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Paint 3 cells");
  const Bytes row = SavedMap();
  ExpectUndoAndRedoExact(empty, row);

  Panel().SetPaintingChoice(RkMapEditor::ChoiceStaticNPC);
  PressCanvas(6 * 32 + 5, 4 * 32 + 5);
  ReleaseButton();
  const Bytes withNPC = SavedMap();
  PrepareTilePainting(RkMapEditor::ChoiceImpassable, "images/rock.png");
  PressCanvas(6 * 32 + 5, 2 * 32 + 5);  // above: grows up by two rows
  PressCanvas(3 * 32 + 5, 2 * 32 + 5);  // left of the old cells: grows left by two columns
  PressCanvas(6 * 32 + 5, 4 * 32 + 5);  // repaints an old cell
  engine->GetCamera().SetPosition(1, 1);
  ReleaseButton();
  const Bytes grown = SavedMap();
  ASSERT_EQ(engine->GetWorld().GetWidth(), 5);
  ASSERT_EQ(engine->GetWorld().GetHeight(), 3);
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Paint 3 cells");
  ExpectUndoAndRedoExact(withNPC, grown);
  engine->GetMapHistory().Undo();
  EXPECT_EQ(engine->GetOrigin().GetX(), 5);
  EXPECT_EQ(engine->GetOrigin().GetY(), 4);
  EXPECT_EQ(engine->GetCamera().GetX(), 0);
}

TEST_F(RkUndoTest, ErasingAndRepaintingTheSameImageMakeOneStepOrNone) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintRow(0, 3, 0);
  PaintRow(0, 3, 0);  // the same image again changes nothing
  EXPECT_EQ(engine->GetMapHistory().GetUndoCount(), 1u);
  const Bytes painted = SavedMap();
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNull);
  PressCanvas(5, 5);
  PressCanvas(37, 5);
  PressCanvas(37, 5);
  PressCanvas(300, 5);  // outside the map: nothing
  ReleaseButton();
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Erase 2 cells");
  ExpectUndoAndRedoExact(painted, SavedMap());
}

TEST_F(RkUndoTest, NPCsPlacedChangedAndRemovedAreStepsOfTheirOwn) {
  PrepareNPCs();
  engine->GetWorld().Grow(3, 0);
  engine->GetWorld().SetNPC("Old", 1, 0, "images/bram.png", NPCNormal);
  engine->GetWorld().SetNPC("Other", 2, 0, "images/bram.png", NPCNormal);
  ReloadMap();
  Panel().SetPaintingChoice(RkMapEditor::ChoiceStaticNPC);

  Bytes before = SavedMap();
  PressCanvas(5, 5);
  ReleaseButton();
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Place NPC Bram");
  ExpectUndoAndRedoExact(before, SavedMap());

  before = SavedMap();
  PressCanvas(37, 5);
  ReleaseButton();
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Change NPC Bram");
  ExpectUndoAndRedoExact(before, SavedMap());

  // Removing puts the NPC back at its place among the others.
  before = SavedMap();
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNullNPC);
  PressCanvas(37, 5);
  ReleaseButton();
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Remove NPC Bram");
  ExpectUndoAndRedoExact(before, SavedMap());
  engine->GetMapHistory().Undo();
  ASSERT_EQ(engine->GetWorld().GetNPCCount(), 3u);
  EXPECT_STREQ(engine->GetWorld().GetNPC(0).GetName(), "Bram");
  EXPECT_STREQ(engine->GetWorld().GetNPC(1).GetName(), "Other");
}

TEST_F(RkUndoTest, ClearMapUndoesToTheWholeMapAndItsName) {
  PrepareNPCs();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintRow(2, 4, 1);
  Panel().SetPaintingChoice(RkMapEditor::ChoiceNormalNPC);
  PressCanvas(3 * 32 + 5, 32 + 5);
  ReleaseButton();
  Panel().SetMapName("village");
  const Bytes map = SavedMap();
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  EXPECT_EQ(engine->GetMapHistory().GetUndoLabel(), "Clear Map");
  ExpectUndoAndRedoExact(map, SavedMap());
  engine->GetMapHistory().Undo();
  EXPECT_STREQ(Panel().GetMapName(), "village");
  EXPECT_EQ(engine->GetOrigin().GetX(), 2);
  // The map came back whole, its cells standing at the origin: repainting one
  // replaces its tile rather than adding one beside it.
  PrepareTilePainting(RkMapEditor::ChoiceOpen, "images/stone.png");
  PaintRow(4, 4, 1);
  EXPECT_EQ(SpritesAt(4 * 32.0f, 32.0f, 0), 1);
}

// Undoing Clear Map gives the map its file back: saving it again writes that
// file without asking whether to replace it.
TEST_F(RkUndoTest, ClearMapUndoneSavesToTheSameFileWithoutAsking) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintRow(0, 1, 0);
  Panel().SetMapName("village");
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  Panel().Click(RkMapEditor::Button::ClearMap);
  engine->PollMapEditor();
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandUndo));
  PaintRow(0, 2, 1);
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(engine->GetMapHistory().IsAtSavedState());
  EXPECT_EQ(ReadFile("village.rkm"), SavedMap());
}

TEST_F(RkUndoTest, TheSavedStateFollowsTheHistoryAndLoadingBeginsItAnew) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  RkEditHistory& history = engine->GetMapHistory();
  PaintRow(0, 1, 0);
  EXPECT_FALSE(history.IsAtSavedState());
  Panel().SetMapName("field");
  Panel().Click(RkMapEditor::Button::SaveMap);
  engine->PollMapEditor();
  EXPECT_TRUE(history.IsAtSavedState());
  PaintRow(0, 0, 1);
  history.Undo();
  EXPECT_TRUE(history.IsAtSavedState());
  history.Undo();
  EXPECT_FALSE(history.IsAtSavedState());
  history.Redo();
  EXPECT_TRUE(history.IsAtSavedState());
  // A new step after undoing past the saved state: it can never come back.
  history.Undo();
  PaintRow(4, 4, 4);
  history.Undo();
  EXPECT_FALSE(history.IsAtSavedState());

  ChooseNext("field.rkm");
  Panel().Click(RkMapEditor::Button::LoadMap);
  engine->PollMapEditor();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  EXPECT_TRUE(history.IsAtSavedState());
}

// Every library button, undone and redone, with "NPCs.rk" bytes compared and
// the NPC editor showing the list again.
TEST_F(RkUndoTest, LibraryChangesUndoToTheListAsSaved) {
  MakeImage("images/bram.png", 0, 0, 200);
  MakeImage("images/ada.png", 200, 0, 0);
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandNPCEditor));
  RkNPCEditor& editor = engine->GetNPCEditor();
  RkEditHistory& history = engine->GetLibraryHistory();
  auto act = [&](const std::function<void()>& change, const std::string& label) {
    const Bytes before = SavedLibrary();
    change();
    engine->PollNPCEditor();
    const Bytes after = SavedLibrary();
    ASSERT_NE(before, after) << label;
    EXPECT_EQ(history.GetUndoLabel(), label);
    history.Undo();
    engine->PollNPCEditor();
    EXPECT_EQ(SavedLibrary(), before) << label;
    history.Redo();
    engine->PollNPCEditor();
    EXPECT_EQ(SavedLibrary(), after) << label;
  };
  auto saveNPC = [&](const char* name, const char* image) {
    ChooseNext(image);
    editor.Click(RkNPCEditor::Button::LoadSprite);
    engine->PollNPCEditor();
    editor.GetNameEdit().SetText(name);
    editor.Click(RkNPCEditor::Button::SaveNPC);
  };
  act([&] { saveNPC("Ada", "images/ada.png"); }, "Add NPC Ada");
  act([&] { saveNPC("Bram", "images/bram.png"); }, "Add NPC Bram");
  act([&] { saveNPC("Ada", "images/bram.png"); }, "Change NPC Ada");
  auto selectBram = [&] {
    editor.GetNPCListBox().SetCurSel(1);
    engine->PollNPCEditor();
  };
  auto saveDialogue = [&](const char* id, const char* text) {
    selectBram();
    editor.GetTextIDEdit().SetText(id);
    editor.GetDialogueTextEdit().SetText(text);
    editor.Click(RkNPCEditor::Button::SaveDialogueText);
  };
  act([&] { saveDialogue("1", "Hello"); }, "Add Dialogue 1 of Bram");
  act([&] { saveDialogue("1", "Welcome"); }, "Change Dialogue 1 of Bram");
  auto selectDialogue = [&] {
    selectBram();
    editor.GetDialogueListBox().SetCurSel(0);
    engine->PollNPCEditor();
  };
  act(
      [&] {
        selectDialogue();
        editor.GetResponseTextEdit().SetText("Yes");
        editor.GetNextIDEdit().SetText("2");
        editor.Click(RkNPCEditor::Button::SaveResponseText);
      },
      "Add Response Yes to Bram");
  act(
      [&] {
        selectDialogue();
        editor.GetResponseListBox().SetCurSel(0);
        editor.Click(RkNPCEditor::Button::RemoveResponse);
      },
      "Remove Response Yes of Bram");
  history.Undo();
  act(
      [&] {
        selectDialogue();
        editor.Click(RkNPCEditor::Button::RemoveDialogue);
      },
      "Remove Dialogue 1 of Bram");
  history.Undo();
  act(
      [&] {
        selectBram();
        editor.Click(RkNPCEditor::Button::RemoveNPC);
      },
      "Remove NPC Bram");

  // After undoing the removal, the panel lists Bram again, selected, with his dialogue.
  history.Undo();
  engine->PollNPCEditor();
  ASSERT_EQ(editor.GetNPCListBox().GetCount(), 2);
  EXPECT_EQ(editor.GetNPCListBox().GetSelectedText(), "Bram");
  ASSERT_EQ(editor.GetDialogueListBox().GetCount(), 1);
  EXPECT_EQ(editor.GetDialogueListBox().GetText(0), "1: Welcome");
  // The library holds unsaved edits, so opening the panel again keeps the list
  // and its history rather than reading "NPCs.rk" over them.
  editor.Close();
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandNPCEditor));
  EXPECT_TRUE(history.CanUndo());
  EXPECT_EQ(editor.GetNPCListBox().GetCount(), 2);
}

// Ctrl+Z and Ctrl+Y act once per press, on the history of the window worked in last.
TEST_F(RkUndoTest, KeysUndoWhereTheUserWorkedLast) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  PaintRow(0, 1, 0);
  MakeImage("images/ada.png", 200, 0, 0);
  ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandNPCEditor));
  ChooseNext("images/ada.png");
  engine->GetNPCEditor().Click(RkNPCEditor::Button::LoadSprite);
  engine->PollNPCEditor();
  engine->GetNPCEditor().GetNameEdit().SetText("Ada");
  engine->GetNPCEditor().Click(RkNPCEditor::Button::SaveNPC);
  engine->PollNPCEditor();
  auto press = [&](std::initializer_list<uint8_t> keys) {
    uint8_t table[RK_KEY_TABLE_SIZE] = {};
    for (const uint8_t key : keys) table[key] = RK_KEY_DOWN;
    engine->GetInput().SetKeyboardState(table);
    engine->HandleKeys();
  };
  press({DIK_LCONTROL, DIK_Z});
  press({DIK_LCONTROL, DIK_Z});  // held: still one undo
  EXPECT_EQ(engine->GetNPCList().GetCount(), 0u);
  EXPECT_EQ(engine->GetWorld().GetWidth(), 2);
  press({DIK_LCONTROL});
  press({DIK_LCONTROL, DIK_Y});
  EXPECT_EQ(engine->GetNPCList().GetCount(), 1u);

  Panel().SetPaintingChoice(RkMapEditor::ChoiceNull);
  ReleaseButton();  // the dialog of Load Sprite took the last press
  PressCanvas(400, 400);  // a click on the canvas that changes nothing
  ReleaseButton();
  press({DIK_RCONTROL, DIK_Z});
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_EQ(engine->GetNPCList().GetCount(), 1u);
  press({});
  press({DIK_LSHIFT, DIK_LCONTROL, DIK_Z});
  EXPECT_EQ(engine->GetWorld().GetWidth(), 2);
}
