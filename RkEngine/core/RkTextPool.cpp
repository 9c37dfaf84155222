// One copy per distinct text read from a file.
#include "RkTextPool.h"

std::shared_ptr<const std::string> RkTextPool::Share(std::string_view text) {
  if (text.empty()) return nullptr;
  if (last_ != nullptr && *last_ == text) return last_;
  auto found = texts_.find(text);
  if (found == texts_.end()) {
    auto copy = std::make_shared<const std::string>(text);
    found = texts_.emplace(std::string_view(*copy), copy).first;
  }
  last_ = found->second;
  return last_;
}
