// Fuzz target over the two file loaders: every input is loaded as a world file
// and as an NPC file. A refused file ends in a fatal report; here the report's
// box hook throws instead of the process exiting, so refusals are not crashes.
// A world that loads must save and load again to the same bytes.
//
// Built by scripts/fuzz.sh with clang's libFuzzer, AddressSanitizer and UBSan,
// and with the normal compiler through ReplayMain.cpp for the corpus test.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RkError.h"
#include "RkNPCList.h"
#include "RkNotice.h"
#include "RkWorld.h"

namespace {

// The largest grid the harness lets the loader allocate. The loader itself
// accepts up to RkWorld::kMaxCells cells (about 1.3 GB of tiles), which its
// unit tests cover; here it would only measure the machine's memory.
constexpr int64_t kMaxFuzzedCells = 1 << 18;
// Worlds up to this size are also saved and reloaded.
constexpr int64_t kMaxRoundTripCells = 1 << 10;

struct RefusedFile {};

[[noreturn]] void ThrowRefusal(const char*, const char*) { throw RefusedFile{}; }

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

int64_t ClaimedCells(const uint8_t* data, size_t size) {
  int32_t size32[2] = {0, 0};
  std::memcpy(size32, data, size < 8 ? size : 8);
  return static_cast<int64_t>(size32[0]) * size32[1];
}

void CheckWorldRoundTrip(const RkWorld& world) {
  const std::string first = ScratchPath("first.rkm");
  const std::string second = ScratchPath("second.rkm");
  world.Save(first.c_str());
  RkWorld reloaded;
  reloaded.Load(first.c_str());
  reloaded.Save(second.c_str());
  if (ReadBack(first) != ReadBack(second)) __builtin_trap();
  if (reloaded.GetWidth() != world.GetWidth() || reloaded.GetNPCCount() != world.GetNPCCount()) __builtin_trap();
  std::remove(first.c_str());
  std::remove(second.c_str());
}

void FuzzWorldLoader(const std::string& input, int64_t claimedCells) {
  if (claimedCells > kMaxFuzzedCells) return;
  try {
    RkWorld world;
    world.Load(input.c_str());
    if (world.GetWidth() < 0 || world.GetHeight() < 0) __builtin_trap();
    if (static_cast<int64_t>(world.GetWidth()) * world.GetHeight() <= kMaxRoundTripCells) {
      CheckWorldRoundTrip(world);
    }
  } catch (const RefusedFile&) {
  }
}

void FuzzNPCFileLoader(const std::string& input) {
  try {
    RkNPCList list;
    list.LoadNPCFile(input.c_str());
    for (unsigned i = 0; i < list.GetCount(); ++i) {
      const RkNPC& npc = list.GetNPC(i);
      if (std::strlen(npc.GetName()) > 499 || std::strlen(npc.GetImageFile()) > 499) __builtin_trap();
      for (unsigned d = 0; d < npc.GetDialogueCount(); ++d) {
        if (std::strlen(npc.GetDialogueText(d)) > 499) __builtin_trap();
      }
    }
  } catch (const RefusedFile&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = [] {
    SetFatalBoxHandler(ThrowRefusal);
    SetNoticeHandler([](const std::string&, const char*) {});
    return true;
  }();
  (void)installed;
  const std::string input = ScratchPath("input.bin");
  WriteInput(input, data, size);
  FuzzWorldLoader(input, ClaimedCells(data, size));
  FuzzNPCFileLoader(input);
  std::remove(input.c_str());
  return 0;
}
