// Cell coordinate sums without overflow.
#include "RkGridMath.h"

#include <limits>

int32_t RkGridMath::AddClamped(int32_t value, int32_t delta) {
  const int64_t sum = static_cast<int64_t>(value) + delta;
  if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(sum);
}

bool RkGridMath::Add(int32_t value, int32_t delta, int32_t& result) {
  const int64_t sum = static_cast<int64_t>(value) + delta;
  if (sum > std::numeric_limits<int32_t>::max() || sum < std::numeric_limits<int32_t>::min()) return false;
  result = static_cast<int32_t>(sum);
  return true;
}
