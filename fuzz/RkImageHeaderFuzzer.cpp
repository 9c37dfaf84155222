// Fuzz target over the image header measuring that runs before every decode:
// any bytes, read as a file of any name, give a format and sizes without
// reading outside the input (AddressSanitizer watches every read), and a
// supported format always comes with its sizes measured.
// Core only: no display and no decoder is needed.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "RkImageHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so that a read one byte past it is caught.
  const std::vector<unsigned char> bytes(data, data + size);
  for (const bool namedTga : {false, true}) {
    const RkImageHeader header = RkImageHeader::Read(bytes.data(), bytes.size(), namedTga);
    if (header.GetWidth() < 0 || header.GetHeight() < 0) __builtin_trap();
    if (!header.IsSupported() && (header.GetWidth() != 0 || header.GetHeight() != 0)) __builtin_trap();
  }
  return 0;
}
