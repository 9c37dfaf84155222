// Reading, checking and writing back the game's settings file.
#include "RkGameSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "RkBinaryWriter.h"
#include "RkError.h"
#include "RkTile.h"

namespace {

constexpr const char* kKeyNames[RkGameSettings::kKeyCount] = {"title", "map", "start", "player"};
constexpr const char* kContentCause =
    "Each line of Game.ini is blank, a comment starting with #, or one of title, map, start and player = value.\n";
constexpr const char* kStartCause = "The player must start on an Open cell of the first map.\n";
constexpr const char* kWriteFailed = "Failed to write the Game.ini file.";
constexpr const char* kUnreadCause = "Game.ini could not be read, so it is not replaced.\n";
// Keys quoted back in a sentence are cut: a line may be thousands of bytes.
constexpr std::size_t kQuotedKeyBytes = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The length of the UTF-8 sequence that starts at text[i], 0 when none does
// (a stray continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF, or a sequence cut short).
std::size_t SequenceLength(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

// UTF-8 text without control characters (a tab is allowed): what a value may
// hold, and what the window's title and the system's file names accept.
bool IsText(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
    const std::size_t length = SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::size_t CountCharacters(const std::string& text) {
  std::size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// The longest start of valid text that has at most maxBytes bytes and
// maxCharacters characters; invalid bytes and control characters are dropped.
std::string CutText(const std::string& text, std::size_t maxBytes, std::size_t maxCharacters) {
  std::string cut;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size() && characters < maxCharacters;) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = SequenceLength(text, i);
    if (length == 0 || (c < 0x20 && c != '\t') || c == 0x7F) {
      ++i;
      continue;
    }
    if (cut.size() + length > maxBytes) break;
    cut.append(text, i, length);
    ++characters;
    i += length;
  }
  return cut;
}

// A value as the editor hands it over: one line, trimmed, within the limits.
std::string CleanValue(const std::string& value, std::size_t maxBytes, std::size_t maxCharacters) {
  std::string oneLine = value;
  for (char& c : oneLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return Trim(CutText(Trim(oneLine), maxBytes, maxCharacters));
}

std::string Quoted(const std::string& key) {
  if (key.size() <= kQuotedKeyBytes) return "\"" + key + "\"";
  return "\"" + CutText(key, kQuotedKeyBytes, kQuotedKeyBytes) + "...\"";
}

bool ParseWholeNumber(const std::string& text, int32_t& value) {
  const std::string number = Trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
  if (i == number.size()) return false;
  long long magnitude = 0;
  for (; i < number.size(); ++i) {
    if (number[i] < '0' || number[i] > '9') return false;
    magnitude = magnitude * 10 + (number[i] - '0');
    if (magnitude > static_cast<long long>(INT32_MAX) + 1) return false;
  }
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
  value = static_cast<int32_t>(signedValue);
  return true;
}

const char* KindPhrase(int32_t kind) {
  switch (kind) {
    case TileNull: return "a Null cell";
    case TileImpassable: return "an Impassable cell";
    case TileNewArea: return "a New Area cell";
  }
  return "a cell of an unknown kind";
}

std::string Cell(int32_t x, int32_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

}  // namespace

const char* RkGameSettings::KeyName(Key key) { return kKeyNames[static_cast<int>(key)]; }

std::string RkGameSettings::Problem::Message() const {
  if (line <= 0) return std::string(kFileName) + " " + sentence + ".";
  return std::string(kFileName) + " line " + std::to_string(line) + ": " + sentence;
}

RkFailure RkGameSettings::Problem::ToFailure() const {
  const std::string message = Message();
  if (error != 0) return RkFailure::FromError(message.c_str(), error, kSourceName, __LINE__);
  return RkFailure(message.c_str(), cause.empty() ? kContentCause : cause, kSourceName, __LINE__);
}

std::string RkGameSettings::ProblemsMessage() const {
  std::string message;
  for (const Problem& problem : problems_) {
    if (!message.empty()) message += "\n";
    message += problem.Message();
  }
  return message;
}

RkFailure RkGameSettings::ProblemsFailure() const {
  const RkFailure first = problems_.empty() ? Problem().ToFailure() : problems_.front().ToFailure();
  return RkFailure(ProblemsMessage().c_str(), first.GetSystemText(), kSourceName, first.GetLine());
}

std::string RkGameSettings::PathIn(const std::string& folder) {
  if (folder.empty()) return kFileName;
  return folder.back() == '/' ? folder + kFileName : folder + "/" + kFileName;
}

RkGameSettings RkGameSettings::ReadFrom(const std::string& folder) {
  RkGameSettings settings;
  const std::string path = PathIn(folder);
  // Non-blocking: a pipe of that name must not hang the game.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return settings;
    settings.cameFromFile_ = true;
    settings.AddProblem(0, "cannot be read");
    settings.problems_.back().error = errno;
    return settings;
  }
  struct stat status;
  int error = 0;
  if (::fstat(fd, &status) != 0) {
    error = errno;
  } else if (S_ISDIR(status.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(status.st_mode)) {
    error = EINVAL;
  }
  std::string text;
  if (error == 0) {
    char buffer[4096];
    while (text.size() <= kMaxFileBytes) {
      const ssize_t count = ::read(fd, buffer, sizeof buffer);
      if (count == 0) break;
      if (count < 0) {
        if (errno == EINTR) continue;
        error = errno;
        break;
      }
      text.append(buffer, static_cast<std::size_t>(count));
    }
  }
  ::close(fd);
  if (error != 0 || text.size() > kMaxFileBytes) {
    settings.cameFromFile_ = true;
    if (error != 0) {
      settings.AddProblem(0, "cannot be read");
      settings.problems_.back().error = error;
    } else {
      settings.AddProblem(0, "is larger than " + std::to_string(kMaxFileBytes) + " bytes, too large to be settings");
    }
    return settings;
  }
  return Parse(text);
}

RkGameSettings RkGameSettings::Parse(const std::string& fileText) {
  RkGameSettings settings;
  settings.cameFromFile_ = true;
  std::size_t begin = 0;
  if (fileText.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    settings.byteOrderMark_ = true;
    begin = 3;
  }
  const std::size_t firstEnd = fileText.find('\n', begin);
  settings.crlf_ = firstEnd != std::string::npos && firstEnd > begin && fileText[firstEnd - 1] == '\r';
  int number = 0;
  while (begin < fileText.size()) {
    std::size_t end = fileText.find('\n', begin);
    if (end == std::string::npos) end = fileText.size();
    std::string line = fileText.substr(begin, end - begin);
    // Every carriage return before the line feed goes: written back with one
    // line end, the line must read the same.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    settings.ParseLine(line, ++number);
    begin = end + 1;
  }
  return settings;
}

void RkGameSettings::ParseLine(const std::string& text, int number) {
  lines_.push_back({text, std::nullopt});
  if (!IsText(text)) return AddProblem(number, "the line is not UTF-8 text");
  const std::string trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] == '#') return;
  const std::size_t equals = trimmed.find('=');
  const std::string keyText = equals == std::string::npos ? std::string() : Trim(trimmed.substr(0, equals));
  if (keyText.empty()) return AddProblem(number, "expected key = value, such as title = Moss Road");
  const std::string keyName = Lower(keyText);
  int index = 0;
  while (index < kKeyCount && keyName != kKeyNames[index]) ++index;
  if (index == kKeyCount) {
    return AddProblem(number, Quoted(keyText) + " is not a setting; the settings are title, map, start and player");
  }
  const Key key = static_cast<Key>(index);
  // Every line of a known key is the editor's to rewrite, so that a value
  // chosen in the editor replaces a wrong one.
  lines_.back().key = key;
  if (keyLines_[index] > 0) {
    return AddProblem(number, Quoted(kKeyNames[index]) + " is set again; line " + std::to_string(keyLines_[index]) +
                                  " sets it already");
  }
  if (ApplyValue(key, Trim(trimmed.substr(equals + 1)), number)) keyLines_[index] = number;
}

bool RkGameSettings::ApplyValue(Key key, const std::string& value, int number) {
  const std::string quotedKey = Quoted(KeyName(key));
  if (value.empty()) {
    AddProblem(number, quotedKey + " has no value");
    return false;
  }
  switch (key) {
    case Key::Title:
      if (CountCharacters(value) > kMaxTitleCharacters) {
        AddProblem(number, quotedKey + " is longer than " + std::to_string(kMaxTitleCharacters) + " characters");
        return false;
      }
      title_ = value;
      return true;
    case Key::Map:
    case Key::Player:
      if (value.size() > kMaxPathBytes) {
        AddProblem(number, quotedKey + " is longer than " + std::to_string(kMaxPathBytes) + " bytes");
        return false;
      }
      (key == Key::Map ? map_ : playerImage_) = value;
      return true;
    case Key::Start:
      if (!ParseCell(value, startX_, startY_)) {
        AddProblem(number, quotedKey + " needs two whole numbers, such as 4, 7");
        return false;
      }
      return true;
  }
  return false;
}

void RkGameSettings::AddProblem(int number, std::string sentence) {
  Problem problem;
  problem.line = number;
  problem.sentence = std::move(sentence);
  problems_.push_back(std::move(problem));
}

bool RkGameSettings::ParseCell(const std::string& text, int32_t& x, int32_t& y) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  int32_t parsedX = 0;
  int32_t parsedY = 0;
  if (!ParseWholeNumber(text.substr(0, comma), parsedX) || !ParseWholeNumber(text.substr(comma + 1), parsedY)) {
    return false;
  }
  x = parsedX;
  y = parsedY;
  return true;
}

bool RkGameSettings::MarkChanged(Key key, bool changed) {
  if (changed) changed_[static_cast<int>(key)] = true;
  return changed;
}

bool RkGameSettings::SetTitle(const std::string& title) {
  std::string clean = CleanValue(title, SIZE_MAX, kMaxTitleCharacters);
  if (clean.empty()) clean = kDefaultTitle;
  const bool changed = clean != title_;
  title_ = clean;
  return MarkChanged(Key::Title, changed);
}

bool RkGameSettings::SetMap(const std::string& map) {
  std::string clean = CleanValue(map, kMaxPathBytes, SIZE_MAX);
  if (clean.empty()) clean = kDefaultMap;
  const bool changed = clean != map_;
  map_ = clean;
  return MarkChanged(Key::Map, changed);
}

bool RkGameSettings::SetStart(int32_t x, int32_t y) {
  const bool changed = x != startX_ || y != startY_;
  startX_ = x;
  startY_ = y;
  return MarkChanged(Key::Start, changed);
}

bool RkGameSettings::SetPlayerImage(const std::string& image) {
  std::string clean = CleanValue(image, kMaxPathBytes, SIZE_MAX);
  if (clean.empty()) clean = kDefaultPlayerImage;
  const bool changed = clean != playerImage_;
  playerImage_ = clean;
  return MarkChanged(Key::Player, changed);
}

std::string RkGameSettings::ValueText(Key key) const {
  switch (key) {
    case Key::Title: return title_;
    case Key::Map: return map_;
    case Key::Start: return std::to_string(startX_) + ", " + std::to_string(startY_);
    case Key::Player: return playerImage_;
  }
  return std::string();
}

std::string RkGameSettings::Format() const {
  const std::string lineEnd = crlf_ ? "\r\n" : "\n";
  std::string text = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
  if (!cameFromFile_) {
    text += "# Game.ini: the game's settings. title: the window's title; map: the first map;" + lineEnd;
    text += "# start: the player's first cell on it (x, y); player: the hero's image." + lineEnd;
  }
  bool written[kKeyCount] = {false, false, false, false};
  for (const Line& line : lines_) {
    if (!line.key || !changed_[static_cast<int>(*line.key)]) {
      text += line.text + lineEnd;
      continue;
    }
    const int index = static_cast<int>(*line.key);
    // The first line of a changed key takes the new value, keeping its key and
    // spacing as written; further lines of that key (each a problem) go.
    if (written[index]) continue;
    written[index] = true;
    const std::size_t equals = line.text.find('=');
    std::size_t valueStart = equals + 1;
    while (valueStart < line.text.size() && IsBlank(line.text[valueStart])) ++valueStart;
    const std::string prefix = line.text.substr(0, valueStart);
    text += (valueStart == equals + 1 ? prefix + " " : prefix) + ValueText(*line.key) + lineEnd;
  }
  for (int index = 0; index < kKeyCount; ++index) {
    const bool wanted = cameFromFile_ ? changed_[index] : true;
    if (!written[index] && wanted) {
      text += std::string(kKeyNames[index]) + " = " + ValueText(static_cast<Key>(index)) + lineEnd;
    }
  }
  return text;
}

std::optional<RkFailure> RkGameSettings::TryWrite(const std::string& folder) const {
  for (const Problem& problem : problems_) {
    if (problem.line == 0) return RkFailure(kWriteFailed, kUnreadCause, kSourceName, __LINE__);
  }
  const std::string text = Format();
  RkBinaryWriter writer(text.size() + 1);
  if (!writer.Open(PathIn(folder).c_str()) || !writer.Write(text.data(), text.size()) || !writer.Flush() ||
      !writer.Close() || !writer.Commit()) {
    return RkFailure::FromError(kWriteFailed, writer.GetError(), kSourceName, __LINE__);
  }
  return std::nullopt;
}

RkGameSettings::Problem RkGameSettings::MissingMapProblem() const {
  Problem problem;
  problem.line = LineOf(Key::Map);
  problem.sentence = "the map " + map_ + " does not exist";
  problem.error = ENOENT;
  return problem;
}

RkGameSettings::Problem RkGameSettings::MissingPlayerImageProblem() const {
  Problem problem;
  problem.line = LineOf(Key::Player);
  problem.sentence = "the image " + playerImage_ + " does not exist";
  problem.error = ENOENT;
  return problem;
}

std::optional<RkGameSettings::Problem> RkGameSettings::CheckStart(int32_t width, int32_t height,
                                                                  int32_t kindAtStart) const {
  if (LineOf(Key::Start) == 0) return std::nullopt;
  Problem problem;
  problem.line = LineOf(Key::Start);
  problem.cause = kStartCause;
  const std::string start = "the start cell " + Cell(startX_, startY_);
  if (startX_ < 0 || startX_ >= width || startY_ < 0 || startY_ >= height) {
    problem.sentence = start + " is outside the map " + map_ + " of " + std::to_string(width) + " by " +
                       std::to_string(height) + " cells";
  } else if (kindAtStart != TileOpen) {
    problem.sentence = start + " is " + KindPhrase(kindAtStart) + " of " + map_ + ", not an Open one";
  } else {
    return std::nullopt;
  }
  return problem;
}
