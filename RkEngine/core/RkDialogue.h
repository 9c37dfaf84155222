// One thing an NPC says, with the response options the user may choose; each
// option names the dialogue that follows (its Next ID).
//
// Dialogue record (512 + 508 * R bytes, little-endian):
//   0    508       the dialogue's own text record (RkText)
//   508  4         response count R, unsigned 32-bit
//   512  508 * R   R text records, one per response option, in order
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "RkText.h"

class RkDialogue {
 public:
  static constexpr int kBaseRecordSize = 512;

  RkDialogue() = default;
  // Fatal for a text of 500 characters or more.
  RkDialogue(int32_t id, const char* text);

  int32_t GetID() const { return text_.GetID(); }
  const char* GetText() const { return text_.GetText(); }
  void SetText(const char* text) { text_.SetText(text); }

  unsigned GetResponseCount() const { return static_cast<unsigned>(responses_.size()); }
  // Null or 0 for an index not below the count.
  const char* GetResponseText(unsigned index) const;
  int32_t GetResponseNextID(unsigned index) const;
  // The same text may be added more than once.
  void AddResponse(const char* text, int32_t nextId);
  // Removes every option with exactly this text; the others keep their order.
  void RemoveResponse(const char* text);

  // Appends the record; a failed write comes back as the failure of its fatal
  // report (the dialogue's or its texts' "Failed to write dialogue data to file.").
  [[nodiscard]] std::optional<RkFailure> Write(RkBinaryWriter& writer) const;
  // Fills a fresh dialogue from the record at the reader's position. Response
  // records are taken only while the file holds bytes; a failed read comes back
  // as the failure of its fatal report ("Failed to read dialogue data.").
  [[nodiscard]] std::optional<RkFailure> Read(RkBinaryReader& reader);

 private:
  RkText text_;
  std::vector<RkText> responses_;
};
