// Notices: the plain message boxes of the system that do not stop the program
// ("still bad", "No map name was provided.", the New Area warning, About).
// Without a display they go to standard error; tests install their own handler
// to observe them. The platform layer installs the real message box.
#pragma once

#include <functional>
#include <string>

// caption may be null: the box then has the system's default caption.
using RkNoticeHandler = std::function<void(const std::string& text, const char* caption)>;

void ShowNotice(const char* text, const char* caption = nullptr);
// Replaces the handler; an empty handler restores the standard-error default.
void SetNoticeHandler(RkNoticeHandler handler);
// For the calling thread only, a handler that comes before the one above (a
// thread that reads a file keeps its notices for the thread that shows them);
// an empty handler ends that.
void SetThreadNoticeHandler(RkNoticeHandler handler);
