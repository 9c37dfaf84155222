#include "BackgroundWorldLoad.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sched.h>
#endif

#include "RkNotice.h"

namespace {

#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
constexpr bool kHasThreads = false;
#else
constexpr bool kHasThreads = true;
#endif

// The game pins its main thread to one processor, for its counter, and a new
// thread inherits that: the reader takes any processor, so that it reads while
// the main thread opens the window instead of taking turns with it.
void RunOnAnyProcessor() {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
  cpu_set_t every;
  CPU_ZERO(&every);
  for (int processor = 0; processor < CPU_SETSIZE; ++processor) CPU_SET(processor, &every);
  sched_setaffinity(0, sizeof every, &every);
#endif
}

}  // namespace

BackgroundWorldLoad::~BackgroundWorldLoad() { Wait(); }

void BackgroundWorldLoad::Start(std::string fileName) {
  Wait();
  fileName_ = std::move(fileName);
  failure_.reset();
  notices_.clear();
  if (kHasThreads) {
    thread_ = std::thread([this] {
      RunOnAnyProcessor();
      Read();
    });
  } else {
    Read();
  }
}

void BackgroundWorldLoad::Read() {
  SetThreadNoticeHandler([this](const std::string& text, const char* caption) {
    notices_.push_back(Notice{text, caption != nullptr ? std::optional<std::string>(caption) : std::nullopt});
  });
  failure_ = read_.TryLoad(fileName_.c_str());
  SetThreadNoticeHandler(nullptr);
}

std::optional<RkFailure> BackgroundWorldLoad::Finish(RkWorld& world) {
  Wait();
  for (const Notice& notice : notices_) {
    ShowNotice(notice.text.c_str(), notice.caption ? notice.caption->c_str() : nullptr);
  }
  notices_.clear();
  if (failure_) return std::exchange(failure_, std::nullopt);
  world = std::move(read_);
  return std::nullopt;
}

void BackgroundWorldLoad::Wait() {
  if (thread_.joinable()) thread_.join();
}
