// One numbered text: a dialogue's own line (its Text ID, Next ID -1) or a user
// response option (Text ID -1, the Next ID of the dialogue it leads to).
//
// Text record (508 bytes, little-endian):
//   0    4    id, signed 32-bit
//   4    500  text, text field
//   504  4    nextId, signed 32-bit
#pragma once

#include <cstdint>
#include <optional>

#include "RkFailure.h"
#include "RkTextField.h"

class RkBinaryReader;
class RkBinaryWriter;

class RkText {
 public:
  static constexpr int kRecordSize = 508;

  // Every setter that copies a text is fatal for 500 characters or more.
  void SetAsDialogueText(int32_t id, const char* text);
  void SetAsResponse(const char* text, int32_t nextId);

  int32_t GetID() const { return id_; }
  const char* GetText() const { return text_.Get(); }
  void SetText(const char* text);
  int32_t GetNextID() const { return nextId_; }
  bool HasText(const char* text) const { return text_.Equals(text); }

  // Appends the record; a failed write comes back as the failure of its fatal
  // report ("Failed to write dialogue data to file.").
  [[nodiscard]] std::optional<RkFailure> Write(RkBinaryWriter& writer) const;
  // Fills the text from the record at the reader's position; a failed read comes
  // back as the failure of its fatal report ("Failed to read dialogue data.").
  [[nodiscard]] std::optional<RkFailure> Read(RkBinaryReader& reader);

 private:
  int32_t id_ = -1;
  RkTextField text_;
  int32_t nextId_ = -1;
};
