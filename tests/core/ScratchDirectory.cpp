// Test support: scratch folders and byte helpers.
#include "ScratchDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rkcore-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

WorkingDirectoryChange::WorkingDirectoryChange(const std::string& path) {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) throw std::runtime_error("getcwd failed");
  previous_ = buffer;
  if (chdir(path.c_str()) != 0) throw std::runtime_error("chdir failed");
}

WorkingDirectoryChange::~WorkingDirectoryChange() {
  if (chdir(previous_.c_str()) != 0) std::perror("chdir back");
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

int32_t Int32At(const Bytes& bytes, std::size_t offset) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes.at(offset + i)) << (8 * i);
  return static_cast<int32_t>(value);
}

std::string TextAt(const Bytes& bytes, std::size_t offset) {
  std::string text;
  for (std::size_t i = offset; i < offset + 500 && bytes.at(i) != 0; ++i) text += static_cast<char>(bytes[i]);
  return text;
}

void AppendInt32(Bytes& bytes, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

void AppendText(Bytes& bytes, const std::string& text) {
  Bytes field(500, 0);
  std::copy(text.begin(), text.end(), field.begin());
  bytes.insert(bytes.end(), field.begin(), field.end());
}
