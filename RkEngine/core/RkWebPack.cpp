#include "RkWebPack.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

bool RkWebPack::Pack(const std::vector<File>& files, std::string& pack, std::string& error) {
  std::vector<std::string> contents(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!ReadWhole(files[i].source, contents[i], error)) return false;
    if (contents[i].size() > kLargestFile || files[i].path.size() > kLargestFile) {
      error = files[i].source + ": too large for the web page's data (4 GB at most)";
      return false;
    }
  }
  pack.assign(kMagic, kMagicSize);
  AppendUInt32(pack, static_cast<uint32_t>(files.size()));
  for (std::size_t i = 0; i < files.size(); ++i) {
    AppendUInt32(pack, static_cast<uint32_t>(files[i].path.size()));
    pack += files[i].path;
    AppendUInt32(pack, static_cast<uint32_t>(contents[i].size()));
  }
  for (std::string& content : contents) {
    pack += content;
    std::string().swap(content);
  }
  return true;
}

bool RkWebPack::ReadWhole(const std::string& source, std::string& bytes, std::string& error) {
  std::ifstream in(source, std::ios::binary);
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    error = source + ": " + std::strerror(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
}

void RkWebPack::AppendUInt32(std::string& pack, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) pack += static_cast<char>((value >> shift) & 0xFF);
}
