// Converting stored paths to the platform's form.
#include "RkPath.h"

#include <algorithm>

std::string RkPath::ToNative(const char* path) {
  std::string native = path != nullptr ? path : "";
#ifndef _WIN32
  std::replace(native.begin(), native.end(), '\\', '/');
#endif
  return native;
}
