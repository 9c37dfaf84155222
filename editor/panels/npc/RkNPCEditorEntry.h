// The entries of the NPC editor panel's dialogue and response lists, the only
// link between an entry and the data behind it:
//   dialogue entry  "12: Halt! Who goes there?"   (Text ID, ": ", text)
//   response entry  "13[next]: A friend."          (Next ID, "[next]: ", text)
// Reading back, the number ends at the first ':' (dialogue) or '[' (response) and
// the text starts after the first space that follows it, so a text that itself
// holds ": " or "[" reads back whole.
#pragma once

#include <cstdint>
#include <string>

class RkNPCEditorEntry {
 public:
  // Characters of the longest int32 in decimal, "-2147483648".
  static constexpr int kMaxNumberLength = 11;
  static constexpr const char* kDialogueSeparator = ": ";
  static constexpr const char* kResponseSeparator = "[next]: ";

  static std::string FormatDialogue(int32_t textId, const char* text);
  static std::string FormatResponse(int32_t nextId, const char* text);

  // The Text ID as written in the entry, and the dialogue's text.
  static std::string DialogueTextID(const std::string& entry);
  static std::string DialogueText(const std::string& entry);
  // The Next ID as written in the entry, and the response's text.
  static std::string ResponseNextID(const std::string& entry);
  static std::string ResponseText(const std::string& entry);

  // The number an ID edit or entry stands for, read like atoi: leading blanks,
  // a sign, then digits up to the first other character; 0 when there are none.
  // Values beyond the int32 range give its limit instead of overflowing.
  static int32_t ToNumber(const char* text);

 private:
  static std::string TextAfterFirstSpaceFrom(const std::string& entry, size_t from);
};
