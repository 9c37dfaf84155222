// Notices shown through the installed handler, standard error by default.
#include "RkNotice.h"

#include <cstdio>

namespace {

RkNoticeHandler& CurrentHandler() {
  static RkNoticeHandler handler;
  return handler;
}

thread_local RkNoticeHandler threadHandler;

}  // namespace

void ShowNotice(const char* text, const char* caption) {
  if (threadHandler) {
    threadHandler(text, caption);
    return;
  }
  RkNoticeHandler& handler = CurrentHandler();
  if (handler) {
    handler(text, caption);
    return;
  }
  std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "",
               text);
}

void SetNoticeHandler(RkNoticeHandler handler) { CurrentHandler() = std::move(handler); }

void SetThreadNoticeHandler(RkNoticeHandler handler) { threadHandler = std::move(handler); }
