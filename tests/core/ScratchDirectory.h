// Test support: a fresh folder per test (removed afterwards), file bytes in and
// out, and little-endian decoding for checking record layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Makes the scratch folder the working directory for the life of the object.
class WorkingDirectoryChange {
 public:
  explicit WorkingDirectoryChange(const std::string& path);
  ~WorkingDirectoryChange();

 private:
  std::string previous_;
};

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);
bool FileExists(const std::string& path);
int32_t Int32At(const Bytes& bytes, std::size_t offset);
// The text at offset, up to its zero (or the end of the 500-byte field).
std::string TextAt(const Bytes& bytes, std::size_t offset);
void AppendInt32(Bytes& bytes, int32_t value);
// The whole 500-byte field: the text, then zeros.
void AppendText(Bytes& bytes, const std::string& text);
