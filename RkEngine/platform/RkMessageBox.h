// The platform's message boxes: installs SDL boxes as the handlers of fatal
// reports and notices. Each program calls Install once at start-up; tests do not,
// so nothing blocks them.
#pragma once

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
};
