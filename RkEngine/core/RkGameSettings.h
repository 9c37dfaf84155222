// The game's own settings, from the optional text file "Game.ini" beside the
// first map: the window's title, the first map, the player's first cell on it
// and the hero's image. The game reads them at start; the editor edits them and
// writes them back; the map checker checks them.
//
// Game.ini (UTF-8, one setting a line, keys in any case, spaces around '=' and
// the value ignored; blank lines and lines starting with '#' are kept as they
// are and mean nothing; a '#' inside a value is part of it):
//   title  = Moss Road          at most 100 characters   default "Ember Hollow"
//   map    = Maps/Start.rkm     found like New Area maps default "World.rkm"
//   start  = 4, 7               two whole numbers        default 0, 0
//   player = images/hero.png    the hero's image         default images/characters/ch_classm32_10.png
// Any other line is a problem naming its line. A missing file is no problem: it
// gives the defaults, and the game plays exactly as it does without settings.
//
// Writing keeps every line read (comments, unknown and wrong lines included) and
// replaces only the lines of the settings that were changed; changed settings
// without a line are appended. The file is written like the maps: into a
// temporary file renamed over the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RkFailure.h"

class RkGameSettings {
 public:
  static constexpr const char* kFileName = "Game.ini";
  static constexpr const char* kDefaultTitle = "Ember Hollow";
  static constexpr const char* kDefaultMap = "World.rkm";
  static constexpr const char* kDefaultPlayerImage = "images/characters/ch_classm32_10.png";
  static constexpr std::size_t kMaxTitleCharacters = 100;
  // A path must fit the 500-byte text fields that maps hold paths in.
  static constexpr std::size_t kMaxPathBytes = 499;
  // A settings file is a few lines; anything larger is refused unread.
  static constexpr std::size_t kMaxFileBytes = 65536;
  static constexpr const char* kSourceName = "RkGameSettings";

  enum class Key { Title, Map, Start, Player };
  static constexpr int kKeyCount = 4;
  static const char* KeyName(Key key);

  // What is wrong with the file: the line (0 for the file as a whole), a
  // sentence for the map maker, and the cause that the fatal report gives: the
  // system's error code when a file operation failed, else a text of our own
  // (empty for a line that is not a valid setting).
  struct Problem {
    int line = 0;
    std::string sentence;
    int error = 0;
    std::string cause;
    // "Game.ini line 3: "start" needs two whole numbers, such as 4, 7", or
    // "Game.ini cannot be read." for the file as a whole.
    std::string Message() const;
    // The game's fatal report of the problem.
    RkFailure ToFailure() const;
  };

  // The defaults, as without a file.
  RkGameSettings() = default;

  // Settings from the text of a file; the problems are kept, not fatal.
  static RkGameSettings Parse(const std::string& text);
  // Settings from folder's Game.ini ("" is the working folder). A missing file
  // gives the defaults; a file that cannot be read (a folder, no permission, too
  // large) gives the defaults and one problem.
  static RkGameSettings ReadFrom(const std::string& folder);
  // The path of Game.ini in folder.
  static std::string PathIn(const std::string& folder);

  // Whether the settings came from a file (even one with problems).
  bool CameFromFile() const { return cameFromFile_; }
  const std::vector<Problem>& GetProblems() const { return problems_; }
  bool HasProblems() const { return !problems_.empty(); }
  // Every problem's message, one a line (without a line end after the last).
  std::string ProblemsMessage() const;
  // The game's fatal report of the problems: all their messages, with the
  // cause of the first.
  RkFailure ProblemsFailure() const;

  const std::string& GetTitle() const { return title_; }
  const std::string& GetMap() const { return map_; }
  int32_t GetStartX() const { return startX_; }
  int32_t GetStartY() const { return startY_; }
  const std::string& GetPlayerImage() const { return playerImage_; }
  // The line that set a key, 0 when the file does not set it (a default).
  int LineOf(Key key) const { return keyLines_[static_cast<int>(key)]; }
  bool IsSet(Key key) const { return LineOf(key) > 0 || changed_[static_cast<int>(key)]; }

  // The editor's changes. Values are trimmed and cut to what the file allows
  // (a title of 100 characters, a path of 499 bytes, no line breaks); an empty
  // title or path stands for the default. Each returns whether the value changed.
  bool SetTitle(const std::string& title);
  bool SetMap(const std::string& map);
  bool SetStart(int32_t x, int32_t y);
  bool SetPlayerImage(const std::string& image);

  // The file's text: the lines read, changed settings written in their lines or
  // appended. Settings never read nor changed are left out, except in a new
  // file, which names all four after a comment that explains them.
  std::string Format() const;
  // Writes Format() to folder's Game.ini through a temporary file; a failure
  // leaves the old file whole and comes back.
  std::optional<RkFailure> TryWrite(const std::string& folder) const;

  // The checks that need the first map, shared by the game and the map
  // checker; each problem is on the line of its setting.
  Problem MissingMapProblem() const;
  Problem MissingPlayerImageProblem() const;
  // Only a start cell that the file sets is checked: outside a map of width by
  // height cells, or on a cell whose kind is not Open.
  std::optional<Problem> CheckStart(int32_t width, int32_t height, int32_t kindAtStart) const;

  // "4, 7" into 4 and 7: two whole numbers of 32 bits separated by a comma,
  // spaces allowed around each. False for anything else.
  static bool ParseCell(const std::string& text, int32_t& x, int32_t& y);

 private:
  // One line as read, without its line end; key is the setting it sets, if any.
  struct Line {
    std::string text;
    std::optional<Key> key;
  };

  void ParseLine(const std::string& text, int number);
  bool ApplyValue(Key key, const std::string& value, int number);
  void AddProblem(int number, std::string sentence);
  std::string ValueText(Key key) const;
  bool MarkChanged(Key key, bool changed);

  std::string title_ = kDefaultTitle;
  std::string map_ = kDefaultMap;
  int32_t startX_ = 0;
  int32_t startY_ = 0;
  std::string playerImage_ = kDefaultPlayerImage;

  bool cameFromFile_ = false;
  bool byteOrderMark_ = false;
  bool crlf_ = false;
  std::vector<Line> lines_;
  int keyLines_[kKeyCount] = {0, 0, 0, 0};
  bool changed_[kKeyCount] = {false, false, false, false};
  std::vector<Problem> problems_;
};
