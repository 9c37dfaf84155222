// Fuzz target over the two file loaders: every input is loaded as a world file
// and as an NPC file through their non-fatal forms, which must return every
// refusal: a fatal report on the way is a finding, like a crash. A world that
// loads must save and load again to the same bytes.
//
// Built by scripts/fuzz.sh with clang's libFuzzer, AddressSanitizer and UBSan,
// and with the normal compiler through ReplayMain.cpp for the corpus test.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "RkError.h"
#include "RkNPCList.h"
#include "RkNotice.h"
#include "RkWorld.h"

namespace {

// Worlds up to this size are also saved and reloaded.
constexpr int64_t kMaxRoundTripCells = 1 << 10;

[[noreturn]] void TrapOnFatalReport(const char*, const char*) { __builtin_trap(); }

std::string ScratchPath(const char* name) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
  return path + "/rk-fuzz-" + std::to_string(getpid()) + "-" + name;
}

void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

std::vector<unsigned char> ReadBack(const std::string& path) {
  std::vector<unsigned char> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) std::abort();
  unsigned char block[65536];
  size_t count;
  while ((count = std::fread(block, 1, sizeof block, file)) > 0) bytes.insert(bytes.end(), block, block + count);
  std::fclose(file);
  return bytes;
}

void CheckWorldRoundTrip(const RkWorld& world) {
  const std::string first = ScratchPath("first.rkm");
  const std::string second = ScratchPath("second.rkm");
  if (world.TrySave(first.c_str())) __builtin_trap();
  RkWorld reloaded;
  if (reloaded.TryLoad(first.c_str())) __builtin_trap();
  if (reloaded.TrySave(second.c_str())) __builtin_trap();
  if (ReadBack(first) != ReadBack(second)) __builtin_trap();
  if (reloaded.GetWidth() != world.GetWidth() || reloaded.GetNPCCount() != world.GetNPCCount()) __builtin_trap();
  std::remove(first.c_str());
  std::remove(second.c_str());
}

// The loader bounds its own allocation (fresh cells beyond the file's stay
// under 64 MiB), so every declared size goes to it.
void FuzzWorldLoader(const std::string& input, size_t size) {
  RkWorld world;
  if (std::optional<RkFailure> failure = world.TryLoad(input.c_str())) {
    if (failure->GetSystemText().empty()) __builtin_trap();
    return;
  }
  const int64_t cells = static_cast<int64_t>(world.GetWidth()) * world.GetHeight();
  if (world.GetWidth() < 0 || world.GetHeight() < 0) __builtin_trap();
  if (cells > static_cast<int64_t>(size / RkTile::kRecordSize) + 1 + RkWorld::kMaxFreshCells) __builtin_trap();
  if (cells <= kMaxRoundTripCells) CheckWorldRoundTrip(world);
}

void FuzzNPCFileLoader(const std::string& input) {
  RkNPCList list;
  if (list.TryLoadNPCFile(input.c_str())) return;
  for (unsigned i = 0; i < list.GetCount(); ++i) {
    const RkNPC& npc = list.GetNPC(i);
    if (std::strlen(npc.GetName()) > 499 || std::strlen(npc.GetImageFile()) > 499) __builtin_trap();
    for (unsigned d = 0; d < npc.GetDialogueCount(); ++d) {
      if (std::strlen(npc.GetDialogueText(d)) > 499) __builtin_trap();
    }
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
  const std::string input = ScratchPath("input.bin");
  WriteInput(input, data, size);
  FuzzWorldLoader(input, size);
  FuzzNPCFileLoader(input);
  std::remove(input.c_str());
  return 0;
}
