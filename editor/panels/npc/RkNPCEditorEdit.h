// One edit control of the NPC editor panel as plain data: a 500-byte text field
// that the user may fill up to a length that keeps every list entry built from it
// within 499 characters. RkNPCEditor's Poll reads and sets it; its Draw binds it
// to an ImGui InputText.
#pragma once

class RkNPCEditorEdit {
 public:
  static constexpr int kFieldSize = 500;

  // maxLength: the most characters the user may type (at most 499).
  explicit RkNPCEditorEdit(int maxLength = kFieldSize - 1);

  const char* GetText() const { return text_; }
  bool IsEmpty() const { return text_[0] == '\0'; }
  // Set by the panel from its data: keeps up to 499 characters, even beyond
  // the typing limit (a text read from "NPCs.rk" is shown whole).
  void SetText(const char* text);
  int GetMaxLength() const { return maxLength_; }

  // For the ImGui binding: the field, and the buffer size to hand to
  // InputText so that typing stops at the limit (or at a longer text the
  // panel has put there, which may be shortened but never grown).
  char* GetBuffer() { return text_; }
  int GetInputBufferSize() const;

 private:
  char text_[kFieldSize];
  int maxLength_;
};
