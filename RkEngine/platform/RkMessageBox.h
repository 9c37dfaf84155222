// The platform's message boxes: installs SDL boxes as the handlers of fatal
// reports, notices and questions. Each program calls Install once at start-up; tests do not,
// so nothing blocks them.
#pragma once

#include <string>
#include <vector>

class RkMessageBox {
 public:
  // True when a real display can show a box (not the dummy or offscreen driver).
  static bool IsDisplayAvailable();
  // Fatal reports get an "ERROR" box and notices a plain OK box, both without owner,
  // whenever a display is available; standard error otherwise.
  static void Install();
  // A blocking box with an OK button; "Error" stands in for a missing caption.
  // SDL's box, else one of our own; false when neither could be shown.
  static bool Show(const char* text, const char* caption, bool isError);
  // A blocking question; the chosen button's index, the escape answer when no
  // box could be shown.
  static int Ask(const std::string& text, const char* caption, const std::vector<std::string>& buttons,
                 int escapeAnswer);
};
