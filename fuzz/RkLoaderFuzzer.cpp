// Fuzz target over the two file loaders: every input is read as a world file
// and as an NPC file through their non-fatal forms, which must return every
// refusal: a fatal report on the way is a finding, like a crash. A world that
// loads must save and load again to the same bytes, and every NPC it holds is
// talked to as the game does, through its dialogues and options, so that the
// texts and IDs that files carry reach the conversation's paging and choices.
//
// The bytes are read and written in memory, through the same readers and
// writers that files go through, with a small buffer so that records cross
// its refills: no disk round trip slows a run. fuzz/loaders.dict names the
// layout's fields for the mutator.
//
// Built by scripts/fuzz.sh with clang's libFuzzer, AddressSanitizer and UBSan,
// and with the normal compiler through ReplayMain.cpp for the corpus test.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkConversation.h"
#include "RkError.h"
#include "RkNPCList.h"
#include "RkNotice.h"
#include "RkWorld.h"

namespace {

// Worlds up to this size are also saved and reloaded.
constexpr int64_t kMaxRoundTripCells = 1 << 10;
// Smaller than most inputs, and not a multiple of any record's size.
constexpr std::size_t kBufferSize = 4096;

[[noreturn]] void TrapOnFatalReport(const char*, const char*) { __builtin_trap(); }

RkBinaryReader& Reader() {
  static RkBinaryReader reader(kBufferSize);
  return reader;
}

std::vector<unsigned char> WriteToMemory(const RkWorld& world) {
  static RkBinaryWriter writer(kBufferSize);
  std::vector<unsigned char> bytes;
  writer.OpenMemory(bytes);
  if (world.TryWrite(writer) || !writer.Close()) __builtin_trap();
  return bytes;
}

// Pages through the NPC's conversation, taking each dialogue's next option in
// turn, for a bounded number of key presses (a file may link dialogues in a loop).
void TalkWith(const RkNPC& npc) {
  RkConversation::Layout layout;
  layout.measure = [](const std::string& text) { return static_cast<int>(text.size()) * 7; };
  layout.textWidth = 300;
  layout.optionWidth = 280;
  layout.linesPerPage = 4;
  RkConversation conversation;
  if (!conversation.Begin(npc, layout)) return;
  for (int press = 0; press < 64 && conversation.IsActive(); ++press) {
    if (conversation.GetShownResponseCount() > conversation.GetResponseCount()) __builtin_trap();
    for (unsigned line = 0; line < conversation.GetShownResponseCount(); ++line) {
      conversation.GetResponseLine(conversation.GetFirstShownResponse() + line);
    }
    if (press % 3 == 1) conversation.SelectNext();
    if (press % 5 == 4) conversation.SelectPrevious();
    conversation.Confirm();
  }
}

void CheckWorldRoundTrip(const RkWorld& world) {
  const std::vector<unsigned char> first = WriteToMemory(world);
  RkWorld reloaded;
  Reader().OpenMemory(first.data(), first.size());
  if (reloaded.TryRead(Reader(), "first.rkm")) __builtin_trap();
  if (WriteToMemory(reloaded) != first) __builtin_trap();
  if (reloaded.GetWidth() != world.GetWidth() || reloaded.GetNPCCount() != world.GetNPCCount()) __builtin_trap();
}

// The loader bounds its own allocation (fresh cells beyond the file's stay
// under 64 MiB), so every declared size goes to it.
void FuzzWorldLoader(const uint8_t* data, size_t size) {
  RkWorld world;
  Reader().OpenMemory(data, size);
  if (std::optional<RkFailure> failure = world.TryRead(Reader(), "input.rkm")) {
    if (failure->GetSystemText().empty()) __builtin_trap();
    return;
  }
  const int64_t cells = static_cast<int64_t>(world.GetWidth()) * world.GetHeight();
  if (world.GetWidth() < 0 || world.GetHeight() < 0) __builtin_trap();
  if (cells > static_cast<int64_t>(size / RkTile::kRecordSize) + 1 + RkWorld::kMaxFreshCells) __builtin_trap();
  if (cells <= kMaxRoundTripCells) CheckWorldRoundTrip(world);
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) TalkWith(world.GetNPC(i));
}

void FuzzNPCFileLoader(const uint8_t* data, size_t size) {
  RkNPCList list;
  Reader().OpenMemory(data, size);
  if (list.TryReadNPCFile(Reader())) return;
  for (unsigned i = 0; i < list.GetCount(); ++i) {
    const RkNPC& npc = list.GetNPC(i);
    if (std::strlen(npc.GetName()) > 499 || std::strlen(npc.GetImageFile()) > 499) __builtin_trap();
    for (unsigned d = 0; d < npc.GetDialogueCount(); ++d) {
      if (std::strlen(npc.GetDialogueText(d)) > 499) __builtin_trap();
    }
    TalkWith(npc);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = [] {
    SetFatalBoxHandler(TrapOnFatalReport);
    SetNoticeHandler([](const std::string&, const char*) {});
    return true;
  }();
  (void)installed;
  FuzzWorldLoader(data, size);
  FuzzNPCFileLoader(data, size);
  return 0;
}
