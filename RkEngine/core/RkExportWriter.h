// The last stage of an export: the exported folder written whole or not at all.
// Every file goes into a hidden folder beside the target, which is renamed to
// the target's name once all of it is written; any failure (a missing source,
// a full disk, no permission) or a stop asked for by the progress handler
// removes that folder again, so no half-written game is left behind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class RkExportWriter {
 public:
  struct File {
    std::string path;    // below the exported folder, '/' between folders
    std::string source;  // the file to copy; empty: text is the content
    std::string text;
    bool executable = false;
  };
  struct Progress {
    uint64_t doneBytes;
    uint64_t totalBytes;
    std::string path;  // the file being written
  };
  // Called as the bytes go; false stops the export and nothing is written.
  using ProgressHandler = std::function<bool(const Progress&)>;

  // The target must not exist or be an empty folder, in a folder that exists.
  static bool CanWriteTo(const std::string& out, std::string& error);

  explicit RkExportWriter(std::string out);

  // The size of what Write writes (false with the reason when a source is gone).
  bool MeasureFiles(const std::vector<File>& files, uint64_t& bytes, std::string& error) const;
  bool Write(const std::vector<File>& files, const ProgressHandler& progress, std::string& error);

 private:
  bool MakeHiddenFolder(std::string& error);
  bool WriteFile(const File& file, Progress& progress, const ProgressHandler& handler, std::string& error);
  bool CopyBytes(int from, int to, const File& file, Progress& progress, const ProgressHandler& handler,
                 std::string& error);

  std::string out_;
  std::string hidden_;
};
