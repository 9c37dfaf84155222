// Questions asked through the installed handler, standard error by default.
#include "RkQuestion.h"

#include <cstdio>

namespace {

RkQuestionHandler& CurrentHandler() {
  static RkQuestionHandler handler;
  return handler;
}

}  // namespace

int AskQuestion(const std::string& text, const char* caption, const std::vector<std::string>& buttons,
                int escapeAnswer) {
  RkQuestionHandler& handler = CurrentHandler();
  int answer = escapeAnswer;
  if (handler) {
    answer = handler(text, caption, buttons, escapeAnswer);
  } else {
    std::fprintf(stderr, "%s%s%s\n", caption != nullptr ? caption : "", caption != nullptr ? ": " : "", text.c_str());
  }
  // A handler's answer that names no button changes nothing.
  const bool known = answer >= 0 && answer < static_cast<int>(buttons.size());
  return known ? answer : escapeAnswer;
}

void SetQuestionHandler(RkQuestionHandler handler) { CurrentHandler() = std::move(handler); }
