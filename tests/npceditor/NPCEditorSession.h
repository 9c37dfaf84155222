// Test support: one NPC editor panel on an offscreen renderer, in a scratch
// working directory holding a few 32x32 images, driven the way a user drives it:
// every action sets the panel's controls, then runs one pass of its polling.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RkDirect3D.h"
#include "RkNPCEditor.h"
#include "RkNPCList.h"

using Bytes = std::vector<unsigned char>;

class NPCEditorSession {
 public:
  // Changes into a fresh scratch folder (restored and removed by the destructor)
  // with the images "guard.png", "guard2.png" and "smith.png".
  NPCEditorSession();
  ~NPCEditorSession();
  NPCEditorSession(const NPCEditorSession&) = delete;
  NPCEditorSession& operator=(const NPCEditorSession&) = delete;

  // As the main window opens the panel: the list reloaded from "NPCs.rk" first.
  void OpenPanel();
  void Pass() { panel.Poll(list, renderer); }

  // The file dialog's answer to the next Load Sprite ("" = cancelled).
  void ChooseImage(const std::string& path);
  void SaveNPC(const std::string& name, const std::string& image);
  void Select(RkNPCEditorList& control, const std::string& entry);
  void SelectNPC(const std::string& name) { Select(panel.GetNPCListBox(), name); }
  void SaveDialogue(const std::string& textId, const std::string& text);
  void SaveResponse(const std::string& nextId, const std::string& text);
  void Click(RkNPCEditor::Button button);

  static std::vector<std::string> Entries(const RkNPCEditorList& control);
  static Bytes ReadFileBytes(const std::string& path);
  static void WriteFileBytes(const std::string& path, const Bytes& bytes);

  RkNPCList list;
  RkDirect3D renderer;
  RkNPCEditor panel;

 private:
  std::string previousDirectory_;
  std::string scratchDirectory_;
  std::string chosenImage_;
};

// Hand-built records of the NPC file, field by field (little-endian, texts as
// their whole 500-byte field padded with zeros).
class NPCFileBytes {
 public:
  explicit NPCFileBytes(uint32_t npcCount) { UInt32(npcCount); }
  NPCFileBytes& NPC(const std::string& name, const std::string& image, uint32_t dialogueCount);
  NPCFileBytes& Dialogue(int32_t textId, const std::string& text, uint32_t responseCount);
  NPCFileBytes& Response(const std::string& text, int32_t nextId);
  const Bytes& Get() const { return bytes_; }

 private:
  void UInt32(uint32_t value);
  void Text(const std::string& text);
  Bytes bytes_;
};
