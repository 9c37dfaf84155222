// Edit controls of the NPC editor panel, as plain text fields.
#include "RkNPCEditorEdit.h"

#include <algorithm>
#include <cstring>

RkNPCEditorEdit::RkNPCEditorEdit(int maxLength)
    : text_{}, maxLength_(std::clamp(maxLength, 0, kFieldSize - 1)) {}

void RkNPCEditorEdit::SetText(const char* text) {
  const size_t length = std::min(std::strlen(text), static_cast<size_t>(kFieldSize - 1));
  std::memmove(text_, text, length);
  text_[length] = '\0';
}

int RkNPCEditorEdit::GetInputBufferSize() const {
  const int length = static_cast<int>(std::strlen(text_));
  return std::max(maxLength_, length) + 1;
}
