// The cause of a failed SDL, SDL_image or SDL_ttf call, as the system text of a
// fatal report: these libraries keep their own error text, and errno at report
// time is whatever an unrelated call last left there.
#pragma once

#include <string>

class RkSdlError {
 public:
  // The libraries' last error text with a line end; a fixed text when the
  // failed call gave none.
  static std::string Text();
};
