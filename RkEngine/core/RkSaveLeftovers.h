// The temporary files that saves write before renaming them over their target,
// and the removal of those that a killed program left behind. Such a file is
// named ".<target>.rk-saving-<pid>-XXXXXX" beside its target: hidden from the
// file dialog, carrying the id of the writing process, and locked (flock) while
// it is written. A file of that name is a leftover once its writer is gone: no
// process of that id runs and nobody holds its lock. Nothing of any other name
// is ever removed.
//
// The hidden copies of maps that the editor's playtest starts the game on are
// named and swept the same way: ".<map>.playtest-<pid>-XXXXXX", the editor's id,
// locked by the editor for as long as the game runs (the game inherits the
// lock, so a copy outlives an editor killed in mid-playtest only while its game
// still plays it).
//
// RkBinaryWriter names its temporary files here and removes the leftovers of
// its own target before each save; the editor removes those of its folder when
// it starts.
#pragma once

#include <string>

class RkSaveLeftovers {
 public:
  // The mkstemp pattern of a save of targetPath by this process.
  static std::string TemporaryPattern(const std::string& targetPath);
  // The mkstemp pattern of a playtest's copy of the map at mapPath, made by this process.
  static std::string PlaytestPattern(const std::string& mapPath);
  // Removes the leftovers of saves of targetPath; returns how many went.
  static int RemoveFor(const std::string& targetPath);
  // Removes the leftovers of saves of any file in folder ("" for the working
  // folder); returns how many went.
  static int RemoveInFolder(const std::string& folder);

 private:
  // Whether name has the form of a temporary file of a save of targetName, or
  // of a playtest's copy of it (of any target when targetName is empty); gives
  // the writer's process id.
  static bool IsTemporaryName(const std::string& name, const std::string& targetName, long& writer);
  static bool HasMark(const std::string& name, const char* mark, const std::string& targetName, long& writer);
  static bool IsAbandoned(const std::string& path, long writer);
  static int RemoveMatching(const std::string& folder, const std::string& targetName);
};
