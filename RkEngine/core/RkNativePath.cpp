// Converting stored paths to the platform's form.
#include "RkNativePath.h"

#include <algorithm>

std::string RkNativePath::FromStored(const char* path) {
  std::string native = path != nullptr ? path : "";
#ifndef _WIN32
  std::replace(native.begin(), native.end(), '\\', '/');
#endif
  return native;
}
