// The collected files, each once.
#include "RkExportCollection.h"

bool RkExportCollection::Add(Kind kind, const std::string& source, const std::string& path) {
  if (!paths_.insert(path).second) return false;
  items_.push_back({kind, source, path});
  return true;
}

bool RkExportCollection::Has(const std::string& path) const {
  return paths_.count(path) != 0;
}

std::vector<std::string> RkExportCollection::PathsOf(Kind kind) const {
  std::vector<std::string> paths;
  for (const Item& item : items_) {
    if (item.kind == kind) paths.push_back(item.path);
  }
  return paths;
}
