// Notices shown through the installed handler, standard error by default.
#include "RkNotice.h"

#include <cstdio>

namespace {

RkNoticeHandler& CurrentHandler() {
  static RkNoticeHandler handler;
  return handler;
}

}  // namespace

void ShowNotice(const char* text, const char* caption) {
  RkNoticeHandler& handler = CurrentHandler();
  if (handler) {
    handler(text, caption);
    return;
  }
  std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "",
               text);
}

void SetNoticeHandler(RkNoticeHandler handler) { CurrentHandler() = std::move(handler); }
