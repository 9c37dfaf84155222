// Shared set-up of the editor's suites: a scratch working directory, an editor
// started offscreen, notices and file dialogs answered by the test, tile and NPC
// images made on the spot, and the mouse placed on the canvas.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "RkEngine.h"
#include "RkNotice.h"
#include "RkQuestion.h"

class RkEditorTest : public ::testing::Test {
 protected:
  struct Notice {
    std::string text;
    std::string caption;
  };

  void SetUp() override {
    previousDirectory = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = std::filesystem::temp_directory_path() /
              (std::string("rk_editor_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch / "images");
    std::filesystem::current_path(scratch);
    SetNoticeHandler([this](const std::string& text, const char* caption) {
      notices.push_back({text, caption != nullptr ? caption : ""});
    });
    // Questions take the queued answers; without one, the second button ("Don't
    // Save", "No"): go on without writing anything.
    SetQuestionHandler([this](const std::string& text, const char*, const std::vector<std::string>& buttons,
                              int) {
      questions.push_back(text);
      questionButtons = buttons;
      if (answers.empty()) return 1;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
    engine = std::make_unique<RkEngine>();
    engine->InitializeOffscreen();
    engine->SetFileChooser([this](const RkFileDialog::FilterList& filters, std::string& path) {
      dialogFilters.push_back(filters.empty() ? "" : filters[0].description);
      if (chosenPaths.empty()) {
        return false;
      }
      path = chosenPaths.front();
      chosenPaths.pop_front();
      return !path.empty();
    });
  }

  void TearDown() override {
    engine.reset();
    SetNoticeHandler(nullptr);
    SetQuestionHandler(nullptr);
    std::filesystem::current_path(previousDirectory);
    std::filesystem::remove_all(scratch);
  }

  // A 32 by 32 image of one colour, saved as PNG under the scratch folder.
  static std::string MakeImage(const std::string& name, Uint8 red, Uint8 green, Uint8 blue) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, red, green, blue));
    IMG_SavePNG(surface, name.c_str());
    SDL_FreeSurface(surface);
    return name;
  }

  // The next file dialog chooses this path ("" cancels it).
  void ChooseNext(const std::string& path) { chosenPaths.push_back(path); }

  RkMapEditor& Panel() { return engine->GetMapEditor(); }

  void OpenMapEditor() { ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandMapEditor)); }

  // An NPC "Bram" added to the library through the NPC panel (opened for it),
  // not saved to "NPCs.rk" yet.
  void AddBramToLibrary() {
    ASSERT_TRUE(engine->HandleMenuCommand(RkEngine::CommandNPCEditor));
    RkNPCEditor& npcEditor = engine->GetNPCEditor();
    ChooseNext(MakeImage("images/bram.png", 200, 0, 0));
    npcEditor.Click(RkNPCEditor::Button::LoadSprite);
    engine->PollNPCEditor();
    npcEditor.GetNameEdit().SetText("Bram");
    npcEditor.Click(RkNPCEditor::Button::SaveNPC);
    engine->PollNPCEditor();
  }

  // A tile image chosen through Load Sprite and a painting choice.
  void PrepareTilePainting(int choice, const std::string& image = "images/grass.png") {
    MakeImage(image, 0, 200, 0);
    ChooseNext(image);
    Panel().Click(RkMapEditor::Button::LoadSprite);
    engine->PollMapEditor();
    ReleaseButton();
    Panel().SetPaintingChoice(choice);
  }

  void SetLeftButton(bool down) {
    RkMouseState mouse{};
    mouse.rgbButtons[0] = down ? RK_KEY_DOWN : 0;
    engine->GetInput().SetMouseState(mouse);
  }

  // One pass of the canvas with the left button down at canvas pixel (x, y).
  void PressCanvas(int x, int y) {
    SetLeftButton(true);
    engine->PlaceCursor(x, y + engine->GetCanvasTop());
    engine->HandleMapCanvas();
  }

  void ReleaseButton() {
    SetLeftButton(false);
    engine->PlaceCursor(0, engine->GetCanvasTop());
    engine->HandleMapCanvas();
  }

  // Sprites of one kind (isNpc 0 or 1) standing at view pixel (x, y).
  int SpritesAt(float x, float y, int isNpc) const {
    int count = 0;
    for (const RkSprite& sprite : engine->GetRenderer().CopySpriteList()) {
      const RkVector3 position = sprite.GetPosition();
      count += (position.x == x && position.y == y && sprite.GetIsNpc() == isNpc) ? 1 : 0;
    }
    return count;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RkDirect3D::Text& text : engine->GetRenderer().GetTexts()) {
      texts.emplace_back(text.text);
    }
    return texts;
  }

  std::filesystem::path previousDirectory;
  std::filesystem::path scratch;
  std::unique_ptr<RkEngine> engine;
  std::vector<Notice> notices;
  std::vector<std::string> questions;
  std::vector<std::string> questionButtons;
  std::deque<int> answers;
  std::deque<std::string> chosenPaths;
  std::vector<std::string> dialogFilters;
};
