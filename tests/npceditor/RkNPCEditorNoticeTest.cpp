// The NPC panel turns a bad image or a failed save of "NPCs.rk" into a notice
// and keeps what the user made.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "NPCEditorSession.h"
#include "RkNotice.h"

using Button = RkNPCEditor::Button;

class NPCEditorNotice : public testing::Test {
 protected:
  void SetUp() override {
    SetNoticeHandler([this](const std::string& text, const char*) { notices.push_back(text); });
    session.OpenPanel();
    session.SaveNPC("Guard", "guard.png");
    session.SelectNPC("Guard");
  }
  void TearDown() override { SetNoticeHandler(nullptr); }

  NPCEditorSession session;
  std::vector<std::string> notices;
};

TEST_F(NPCEditorNotice, ASpriteThatIsNotAnImageKeepsThePreview) {
  std::ofstream("notes.png") << "not an image";
  session.ChooseImage("notes.png");
  session.Click(Button::LoadSprite);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("notes.png"), std::string::npos);
  EXPECT_STREQ(session.panel.GetImageFile(), "guard.png");
  EXPECT_NE(session.panel.GetSprite(), nullptr);
}

TEST_F(NPCEditorNotice, AFailedSaveKeepsTheNPCsInMemory) {
  std::filesystem::create_directory("NPCs.rk");  // cannot be opened for writing
  session.Click(Button::SaveChanges);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("NPCs.rk"), std::string::npos);
  EXPECT_EQ(session.list.GetCount(), 1u);
}
