// Questions: a message box with a row of buttons ("Save", "Don't Save",
// "Cancel"), which waits for the user's answer. Without a display, or when no
// box can be shown, the question goes to standard error and gets the escape
// answer, the one that changes nothing. Tests install their own handler to
// answer. The platform layer installs the real box.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Returns the index of the chosen button; escapeAnswer is what Escape and the
// box's close button give. caption may be null.
using RkQuestionHandler = std::function<int(const std::string& text, const char* caption,
                                            const std::vector<std::string>& buttons, int escapeAnswer)>;

int AskQuestion(const std::string& text, const char* caption, const std::vector<std::string>& buttons,
                int escapeAnswer);
// Replaces the handler; an empty handler restores the standard-error default.
void SetQuestionHandler(RkQuestionHandler handler);
