// File paths as the records hold them. Maps made on Windows store folders with
// backslashes; on POSIX those become slashes before a file is opened.
#pragma once

#include <string>

class RkNativePath {
 public:
  // The path with every '\' turned into '/' where the platform needs it.
  static std::string FromStored(const char* path);
};
