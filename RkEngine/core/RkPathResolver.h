// Paths read from files (tile and NPC images, New Area maps) turned into files
// to open. Maps made on Windows name their files as Windows finds them: '\' or
// '/' between folders, any case, drive letters ("C:\Games\Hollow\images\a.png")
// and single-byte Windows-1252 names. The stored text itself is never changed;
// only the name handed to the system's open is.
//
// Order of the tries: the path as it stands (with '/' between folders); then
// each part matched within its folder without regard to case, exact name first,
// else the first match of the folder's sorted listing. A drive-letter or
// absolute Windows path is then tried by its tails below the working folder,
// the longest tail that exists winning.
//
// Called by the image loader (platform), the game's New Area change and anyone
// else who opens a path that a record holds. It lives in the core because it
// needs nothing but POSIX folder listings, and the core's own file code (the map
// checker's links, the world loader) may ask it too; the platform cannot be seen
// from there.
//
// Results and folder listings are kept, so resolving a path a second time reads
// no folder (a game step resolves nothing anew): a kept result costs one stat,
// and is looked for again when its file has gone. A listing is read again when
// its folder's modification time has changed; everything is forgotten when the
// working folder changes.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <unordered_map>
#include <vector>

class RkPathResolver {
 public:
  // The resolver of the process.
  static RkPathResolver& Instance();

  // The file to open for a stored path. When no file matches, the stored path
  // with '/' between folders, so that the open fails and the caller reports
  // the stored text.
  std::string Resolve(const char* stored);
  // False when no file matches (found is then left alone).
  bool Find(const char* stored, std::string& found);
  // The same for a path stored in a map of folder, as the game finds it when it
  // runs there: a relative path, and the tails of a Windows absolute one, are
  // looked for below folder ("" is the working folder). found names the file as
  // seen from the working folder.
  bool FindIn(const std::string& folder, const char* stored, std::string& found);
  // Whether the folder of the file found (a path Find or FindIn gave) holds a
  // name with this character: from the kept listing, read again when the
  // folder changed. Tile sheets ask it so that thousands of cells cost no
  // search for a file named after each cell.
  bool FolderOfHoldsNameWith(const std::string& file, char character);
  // Drops every kept result and listing.
  void Forget();

  // Folders listed since start-up, for tests and benchmarks.
  std::size_t GetListingCount() const { return listingCount_; }

 private:
  struct Listing {
    timespec modified{};
    std::vector<std::string> names;         // sorted bytewise
    std::vector<std::u32string> keys;       // RkNameMatch keys, same order
  };

  bool FindUncached(const std::string& folder, const std::string& stored, std::string& found);
  // The path with '/' between folders, each part matched in its folder.
  bool MatchPath(const std::string& path, std::string& found);
  // The name in folder that matches part (exact name first); false for none.
  bool MatchPart(const std::string& folder, const std::string& part, std::string& name);
  const Listing* ListFolder(const std::string& folder);
  void FollowWorkingFolder();

  std::string workingFolder_;
  std::unordered_map<std::string, std::string> found_;
  std::unordered_map<std::string, Listing> listings_;
  std::size_t listingCount_ = 0;
};
