// Fuzz target over the game's settings file: every input is the text of a
// Game.ini. Parsing must not crash or read out of bounds; writing back what was
// read must read again as the same settings (values, lines, problems) and be
// stable; and values set as the editor sets them, from the input's own bytes,
// must read back as set, each from a line of its own.
//
// Built by scripts/fuzz.sh (RK_FUZZ_TARGET=fuzz_settings) with clang's libFuzzer,
// AddressSanitizer and UBSan.
#include <cstddef>
#include <cstdint>
#include <string>

#include "RkGameSettings.h"

namespace {

using Key = RkGameSettings::Key;

bool SameValues(const RkGameSettings& a, const RkGameSettings& b) {
  return a.GetTitle() == b.GetTitle() && a.GetMap() == b.GetMap() && a.GetStartX() == b.GetStartX() &&
         a.GetStartY() == b.GetStartY() && a.GetPlayerImage() == b.GetPlayerImage();
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// A slice of the input, as text typed into the editor's fields.
std::string Slice(const std::string& text, std::size_t part) {
  const std::size_t length = text.size() / 4;
  return text.substr(part * length, length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const RkGameSettings read = RkGameSettings::Parse(text);
  read.ProblemsFailure();

  const std::string written = read.Format();
  const RkGameSettings reread = RkGameSettings::Parse(written);
  Require(SameValues(read, reread));
  Require(read.ProblemsMessage() == reread.ProblemsMessage());
  for (int key = 0; key < RkGameSettings::kKeyCount; ++key) {
    Require(read.LineOf(static_cast<Key>(key)) == reread.LineOf(static_cast<Key>(key)));
  }
  Require(reread.Format() == written);

  RkGameSettings edited = read;
  bool changed[RkGameSettings::kKeyCount] = {};
  changed[static_cast<int>(Key::Title)] = edited.SetTitle(Slice(text, 0));
  changed[static_cast<int>(Key::Map)] = edited.SetMap(Slice(text, 1));
  changed[static_cast<int>(Key::Player)] = edited.SetPlayerImage(Slice(text, 2));
  const int32_t x = size > 0 ? static_cast<int8_t>(data[0]) * 1000003 : 0;
  const int32_t y = size > 1 ? static_cast<int8_t>(data[1]) : 0;
  changed[static_cast<int>(Key::Start)] = edited.SetStart(x, y);
  const RkGameSettings editedBack = RkGameSettings::Parse(edited.Format());
  Require(SameValues(edited, editedBack));
  for (int key = 0; key < RkGameSettings::kKeyCount; ++key) {
    if (changed[key]) Require(editedBack.LineOf(static_cast<Key>(key)) > 0);
  }
  edited.CheckStart(y, x, y);
  return 0;
}
