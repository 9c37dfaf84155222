// The NPC editor's ImGui binding on a headless ImGui context: the window's place
// and size, a mouse click on a control reaching the panel's plain state, and the
// preview drawn from the sprite's texture.
#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include "NPCEditorSession.h"
#include "RkSprite.h"

class NPCEditorDraw : public testing::Test {
 protected:
  void SetUp() override {
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(896, 672);
    io.DeltaTime = 1.0f / 60.0f;
    io.IniFilename = nullptr;
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    session.OpenPanel();
  }
  void TearDown() override { ImGui::DestroyContext(); }

  void Frame() {
    ImGui::NewFrame();
    session.panel.Draw(session.renderer);
    ImGui::Render();
  }
  // Screen position of a point of the panel's client area.
  ImVec2 ClientPoint(float x, float y) {
    ImGuiWindow* window = ImGui::FindWindowByName("NPC Editor");
    return ImVec2(window->Pos.x + x, window->Pos.y + window->TitleBarHeight() + y);
  }
  // Press and release the left button at a client point, one frame each.
  void ClickAt(float x, float y) {
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = ClientPoint(x, y);
    Frame();
    io.MouseDown[0] = true;
    Frame();
    io.MouseDown[0] = false;
    Frame();
  }
  bool FrameUsesTexture(ImTextureID texture) {
    const ImDrawData* data = ImGui::GetDrawData();
    for (int list = 0; list < data->CmdListsCount; ++list) {
      for (const ImDrawCmd& command : data->CmdLists[list]->CmdBuffer) {
        if (command.TextureId == texture) {
          return true;
        }
      }
    }
    return false;
  }

  NPCEditorSession session;
};

TEST_F(NPCEditorDraw, WindowOpensBesideTheMainWindowsCornerWithItsSize) {
  Frame();
  ImGuiWindow* window = ImGui::FindWindowByName("NPC Editor");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Pos.x, 100.0f);
  EXPECT_EQ(window->Pos.y, 100.0f);
  EXPECT_EQ(window->Size.x, 440.0f);
  EXPECT_EQ(window->Size.y, 530.0f);
}

TEST_F(NPCEditorDraw, ClicksOnButtonsAndEntriesReachThePanelsState) {
  session.SaveNPC("Guard", "guard.png");
  Frame();
  ClickAt(160, 117);  // "Save NPC" at (120, 107), 80 by 20
  EXPECT_TRUE(session.panel.IsClicked(RkNPCEditor::Button::SaveNPC));
  EXPECT_FALSE(session.panel.IsClicked(RkNPCEditor::Button::LoadSprite));
  session.Pass();
  EXPECT_FALSE(session.panel.IsClicked(RkNPCEditor::Button::SaveNPC));

  ClickAt(40, 40);  // the first entry of the NPC list at (10, 30)
  EXPECT_EQ(session.panel.GetNPCListBox().GetCurSel(), 0);
  ClickAt(215, 480);  // "SAVE CHANGES" at (115, 460), 200 by 40
  EXPECT_TRUE(session.panel.IsClicked(RkNPCEditor::Button::SaveChanges));
}

TEST_F(NPCEditorDraw, PreviewShowsTheSpritesTextureOnlyWhileThereIsOne) {
  session.ChooseImage("guard.png");
  session.Click(RkNPCEditor::Button::LoadSprite);
  ASSERT_NE(session.panel.GetSprite(), nullptr);
  const ImTextureID texture = static_cast<ImTextureID>(session.panel.GetSprite()->GetTexture());
  ASSERT_NE(texture, nullptr);
  Frame();
  EXPECT_TRUE(FrameUsesTexture(texture));

  session.panel.GetNameEdit().SetText("Guard");
  session.Click(RkNPCEditor::Button::SaveNPC);
  Frame();
  EXPECT_FALSE(FrameUsesTexture(texture));
}

TEST_F(NPCEditorDraw, AClosedPanelDrawsNoWindow) {
  Frame();
  session.panel.Close();
  Frame();
  ImGuiWindow* window = ImGui::FindWindowByName("NPC Editor");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->Active);
}
