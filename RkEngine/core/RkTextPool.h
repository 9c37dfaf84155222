// The texts met while one file is read, each kept once: every field that holds
// the same text shares its copy. A loader makes one pool for the file, so memory
// grows with the distinct texts, not with the fields (a map's million cells name
// a handful of images).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class RkTextPool {
 public:
  // The pool's copy of the text (null for the empty text), made on first sight.
  std::shared_ptr<const std::string> Share(std::string_view text);

 private:
  // Keys are views of the copies they map to, which never change.
  std::unordered_map<std::string_view, std::shared_ptr<const std::string>> texts_;
  // Neighbouring cells mostly name the same image: the last text is tried first.
  std::shared_ptr<const std::string> last_;
};
