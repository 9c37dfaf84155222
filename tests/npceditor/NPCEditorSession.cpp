// Test support for the NPC editor panel: scratch folder, images, user actions.
#include "NPCEditorSession.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

void WriteImage(const char* path, uint8_t red, uint8_t green, uint8_t blue) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_RGBA32);
  ASSERT_NE(surface, nullptr) << SDL_GetError();
  SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, red, green, blue, 255));
  EXPECT_EQ(IMG_SavePNG(surface, path), 0) << IMG_GetError();
  SDL_FreeSurface(surface);
}

std::string CurrentDirectory() {
  char buffer[4096];
  return getcwd(buffer, sizeof(buffer)) != nullptr ? buffer : "";
}

}  // namespace

NPCEditorSession::NPCEditorSession() : previousDirectory_(CurrentDirectory()) {
  char pattern[] = "/tmp/npceditor-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr || chdir(made) != 0) {
    ADD_FAILURE() << "no scratch working directory";
    return;
  }
  scratchDirectory_ = made;
  WriteImage("guard.png", 200, 40, 40);
  WriteImage("guard2.png", 40, 200, 40);
  WriteImage("smith.png", 40, 40, 200);
  renderer.InitializeOffscreen(64, 64);
  panel.SetFileChooser([this](std::string& path) {
    if (chosenImage_.empty()) {
      return false;
    }
    path = chosenImage_;
    return true;
  });
}

NPCEditorSession::~NPCEditorSession() {
  if (chdir(previousDirectory_.c_str()) != 0) {
    ADD_FAILURE() << "working directory not restored";
  }
  if (!scratchDirectory_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(scratchDirectory_, ignored);
  }
}

void NPCEditorSession::OpenPanel() {
  list.LoadNPCFile();
  panel.Open(list);
}

void NPCEditorSession::ChooseImage(const std::string& path) { chosenImage_ = path; }

void NPCEditorSession::Click(RkNPCEditor::Button button) {
  panel.Click(button);
  Pass();
}

void NPCEditorSession::SaveNPC(const std::string& name, const std::string& image) {
  ChooseImage(image);
  Click(RkNPCEditor::Button::LoadSprite);
  panel.GetNameEdit().SetText(name.c_str());
  Click(RkNPCEditor::Button::SaveNPC);
}

void NPCEditorSession::Select(RkNPCEditorList& control, const std::string& entry) {
  const std::vector<std::string> entries = Entries(control);
  const auto found = std::find(entries.begin(), entries.end(), entry);
  ASSERT_NE(found, entries.end()) << "no entry " << entry;
  control.SetCurSel(static_cast<int>(found - entries.begin()));
  Pass();
}

void NPCEditorSession::SaveDialogue(const std::string& textId, const std::string& text) {
  panel.GetTextIDEdit().SetText(textId.c_str());
  panel.GetDialogueTextEdit().SetText(text.c_str());
  Click(RkNPCEditor::Button::SaveDialogueText);
}

void NPCEditorSession::SaveResponse(const std::string& nextId, const std::string& text) {
  panel.GetNextIDEdit().SetText(nextId.c_str());
  panel.GetResponseTextEdit().SetText(text.c_str());
  Click(RkNPCEditor::Button::SaveResponseText);
}

std::vector<std::string> NPCEditorSession::Entries(const RkNPCEditorList& control) {
  std::vector<std::string> entries;
  for (int i = 0; i < control.GetCount(); ++i) {
    entries.push_back(control.GetText(i));
  }
  return entries;
}

Bytes NPCEditorSession::ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void NPCEditorSession::WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

NPCFileBytes& NPCFileBytes::NPC(const std::string& name, const std::string& image, uint32_t dialogueCount) {
  Text(name);
  UInt32(0);  // x
  UInt32(0);  // y
  Text(image);
  UInt32(1);  // kind: Normal
  UInt32(dialogueCount);
  return *this;
}

NPCFileBytes& NPCFileBytes::Dialogue(int32_t textId, const std::string& text, uint32_t responseCount) {
  UInt32(static_cast<uint32_t>(textId));
  Text(text);
  UInt32(0xFFFFFFFFu);  // a dialogue's own text leads nowhere: Next ID -1
  UInt32(responseCount);
  return *this;
}

NPCFileBytes& NPCFileBytes::Response(const std::string& text, int32_t nextId) {
  UInt32(0xFFFFFFFFu);  // a response option has no Text ID of its own: -1
  Text(text);
  UInt32(static_cast<uint32_t>(nextId));
  return *this;
}

void NPCFileBytes::UInt32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    bytes_.push_back(static_cast<unsigned char>(value >> shift));
  }
}

void NPCFileBytes::Text(const std::string& text) {
  Bytes field(500, 0);
  std::copy(text.begin(), text.end(), field.begin());
  bytes_.insert(bytes_.end(), field.begin(), field.end());
}
