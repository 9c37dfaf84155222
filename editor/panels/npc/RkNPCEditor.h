// The editor's NPC editor panel: the ImGui tool window "NPC Editor" that edits
// the NPC list ("NPCs.rk"): each NPC's name and image, its numbered dialogues and
// their user response options. The panel's controls are plain data (edits, lists,
// clicks); RkEngine calls Poll once per pass of its loop while the panel is open,
// and Draw binds the ImGui widgets to that data. Tests drive Poll without a window.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "RkLibraryRecorder.h"
#include "RkNPCEditorEdit.h"
#include "RkNPCEditorList.h"
#include "RkRect.h"

class RkDirect3D;
class RkNPCList;
class RkSprite;

class RkNPCEditor {
 public:
  // The panel's push buttons, in the order the polling looks at them.
  enum class Button {
    SaveChanges,
    LoadSprite,
    SaveNPC,
    RemoveNPC,
    SaveDialogueText,
    RemoveDialogue,
    SaveResponseText,
    RemoveResponse,
    Count
  };

  // Panel geometry: the window's size and its offset from the main window's corner.
  static constexpr int kWindowWidth = 440;
  static constexpr int kWindowHeight = 530;
  static constexpr int kWindowOffset = 100;
  // The 32x32 image preview, in the panel's client area.
  static constexpr RkRect kPreviewRect = {225, 63, 257, 95};

  RkNPCEditor();
  ~RkNPCEditor();
  RkNPCEditor(const RkNPCEditor&) = delete;
  RkNPCEditor& operator=(const RkNPCEditor&) = delete;

  bool IsOpen() const { return open_; }
  // The library differs from "NPCs.rk" as last read or written: its history is
  // not at the saved state. Without a recorder nothing is tracked.
  bool HasUnsavedLibrary() const { return recorder_ != nullptr && !recorder_->IsAtSavedState(); }
  // SAVE CHANGES: writes "NPCs.rk"; false after a notice when it could not.
  bool SaveLibrary(RkNPCList& npcList);
  // Opens the panel with its controls made afresh: empty edits, lists and
  // selection texts, no preview, and the NPC names of the list in its order.
  // RkEngine reloads the list from "NPCs.rk" first.
  void Open(const RkNPCList& npcList);
  // The window was closed: the panel object and its preview stay until the next Open.
  void Close() { open_ = false; }
  // The file dialog of Load Sprite ("Sprites" filter): true with a path when a
  // file was chosen, false when cancelled.
  void SetFileChooser(std::function<bool(std::string& path)> chooser);
  // Told around every change to the NPC list, so that changes can be undone.
  void SetRecorder(RkLibraryRecorder* libraryRecorder) { recorder_ = libraryRecorder; }

  // The panel's work of one pass of the editor's loop: acts on the clicks and
  // selections made since the last pass, then forgets the clicks.
  void Poll(RkNPCList& npcList, RkDirect3D& renderer);
  // Draws the window "NPC Editor" with ImGui and records its clicks; its close
  // box calls Close(). Call between ImGui::NewFrame and ImGui::Render, with
  // ImGui drawing through the renderer whose device made the preview's texture.
  void Draw(RkDirect3D& renderer);

  // The controls' plain state, bound by Draw and driven by tests.
  void Click(Button button) { clicked_[Index(button)] = true; }
  bool IsClicked(Button button) const { return clicked_[Index(button)]; }
  RkNPCEditorList& GetNPCListBox() { return npcListBox_; }
  RkNPCEditorEdit& GetNameEdit() { return nameEdit_; }
  RkNPCEditorList& GetDialogueListBox() { return dialogueListBox_; }
  RkNPCEditorEdit& GetDialogueTextEdit() { return dialogueTextEdit_; }
  RkNPCEditorEdit& GetTextIDEdit() { return textIdEdit_; }
  RkNPCEditorList& GetResponseListBox() { return responseListBox_; }
  RkNPCEditorEdit& GetResponseTextEdit() { return responseTextEdit_; }
  RkNPCEditorEdit& GetNextIDEdit() { return nextIdEdit_; }

  // The preview: the image shown (null when none) and its file.
  const RkSprite* GetSprite() const { return sprite_.get(); }
  void SetSprite(std::unique_ptr<RkSprite> sprite);
  const char* GetImageFile() const { return imageFile_.c_str(); }
  void SetImageFile(const char* imageFile) { imageFile_ = imageFile; }

  // The entries whose details are on show (empty when none).
  const std::string& GetSelectedNPC() const { return selectedNPC_; }
  const std::string& GetSelectedDialogue() const { return selectedDialogue_; }
  const std::string& GetSelectedResponse() const { return selectedResponse_; }

 private:
  static constexpr size_t Index(Button button) { return static_cast<size_t>(button); }
  bool TakeClick(Button button);
  void ClearClicks();
  void Reset();

  void PollPass(RkNPCList& npcList, RkDirect3D& renderer);
  // NPC side: buttons, then the NPC selection.
  void LoadSprite(RkDirect3D& renderer);
  void SaveNPC(RkNPCList& npcList);
  void KeepDialogueTypedFor(const std::string& name, bool isNewName, RkNPCList& npcList);
  void RemoveNPC(RkNPCList& npcList);
  void ShowNPC(const std::string& name, const RkNPCList& npcList, RkDirect3D& renderer);
  void ShowPreview(const std::string& imageFile, RkDirect3D& renderer);
  void ClearNPCDetails();
  // Dialogue side, for the selected NPC.
  void ResetDialogueSide();
  void FillDialogueList(const std::string& name, const RkNPCList& npcList);
  void SaveDialogueText(const std::string& name, RkNPCList& npcList);
  void RemoveDialogue(const std::string& name, RkNPCList& npcList);
  void ShowDialogue(const std::string& name, const std::string& entry, const RkNPCList& npcList);
  // Response side, for the selected dialogue.
  void ResetResponseSide();
  void FillResponseList(const std::string& name, int32_t textId, const RkNPCList& npcList);
  void SaveResponseText(const std::string& name, int32_t textId, RkNPCList& npcList);
  void RemoveResponse(const std::string& name, int32_t textId, RkNPCList& npcList);
  void ShowResponse(const std::string& entry);

  // ImGui binding, used by Draw only.
  void DrawControls();
  void DrawPreview();

  void WillChange(RkLibraryRecorder::Change change, const std::string& name, const std::string& detail = "");
  void Changed();

  bool open_ = false;
  RkLibraryRecorder* recorder_ = nullptr;
  std::function<bool(std::string& path)> chooseFile_;
  std::array<bool, static_cast<size_t>(Button::Count)> clicked_{};

  RkNPCEditorList npcListBox_;
  RkNPCEditorEdit nameEdit_;
  std::unique_ptr<RkSprite> sprite_;
  std::string imageFile_;
  RkNPCEditorList dialogueListBox_;
  RkNPCEditorEdit dialogueTextEdit_;
  RkNPCEditorEdit textIdEdit_;
  RkNPCEditorList responseListBox_;
  RkNPCEditorEdit responseTextEdit_;
  RkNPCEditorEdit nextIdEdit_;

  std::string selectedNPC_;
  std::string selectedDialogue_;
  std::string selectedResponse_;
};
