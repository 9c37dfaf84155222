// Building and reading the NPC editor panel's list entries.
#include "RkNPCEditorEntry.h"

#include <cctype>
#include <limits>

std::string RkNPCEditorEntry::FormatDialogue(int32_t textId, const char* text) {
  return std::to_string(textId) + kDialogueSeparator + (text != nullptr ? text : "");
}

std::string RkNPCEditorEntry::FormatResponse(int32_t nextId, const char* text) {
  return std::to_string(nextId) + kResponseSeparator + (text != nullptr ? text : "");
}

std::string RkNPCEditorEntry::DialogueTextID(const std::string& entry) {
  return entry.substr(0, entry.find(':'));
}

std::string RkNPCEditorEntry::DialogueText(const std::string& entry) {
  const size_t colon = entry.find(':');
  if (colon == std::string::npos) {
    return "";
  }
  return TextAfterFirstSpaceFrom(entry, colon);
}

std::string RkNPCEditorEntry::ResponseNextID(const std::string& entry) {
  return entry.substr(0, entry.find('['));
}

std::string RkNPCEditorEntry::ResponseText(const std::string& entry) {
  const size_t bracket = entry.find('[');
  if (bracket == std::string::npos) {
    return "";
  }
  return TextAfterFirstSpaceFrom(entry, bracket);
}

std::string RkNPCEditorEntry::TextAfterFirstSpaceFrom(const std::string& entry, size_t from) {
  const size_t space = entry.find(' ', from);
  if (space == std::string::npos) {
    return "";
  }
  return entry.substr(space + 1);
}

int32_t RkNPCEditorEntry::ToNumber(const char* text) {
  const unsigned char* cursor = reinterpret_cast<const unsigned char*>(text);
  while (std::isspace(*cursor)) {
    ++cursor;
  }
  const bool negative = *cursor == '-';
  if (*cursor == '-' || *cursor == '+') {
    ++cursor;
  }
  // One past the int32 range in magnitude is enough to know it saturates.
  const int64_t limit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (; std::isdigit(*cursor) && magnitude <= limit; ++cursor) {
    magnitude = magnitude * 10 + (*cursor - '0');
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) {
    return std::numeric_limits<int32_t>::max();
  }
  if (value < std::numeric_limits<int32_t>::min()) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(value);
}
