// One problem that the map checker found: how bad it is, the file, the cell when
// it has one, and a sentence for the map maker.
#pragma once

#include <cstdint>
#include <string>

class RkMapFinding {
 public:
  // An error strands the player or ends the game; a warning is a likely mistake.
  enum class Severity { Error, Warning };

  // A finding about a whole file ("World.rkm").
  RkMapFinding(Severity severity, std::string file, std::string sentence);
  // A finding about cell (x, y) of a map.
  RkMapFinding(Severity severity, std::string file, int32_t x, int32_t y, std::string sentence);
  // A finding about one line of a text file ("Game.ini" line 3).
  static RkMapFinding AtLine(Severity severity, std::string file, int line, std::string sentence);

  Severity GetSeverity() const { return severity_; }
  bool IsError() const { return severity_ == Severity::Error; }
  const std::string& GetFile() const { return file_; }
  bool HasCell() const { return hasCell_; }
  int32_t GetX() const { return x_; }
  int32_t GetY() const { return y_; }
  // The line of a text file, 0 for a finding about no line.
  int GetLine() const { return line_; }
  const std::string& GetSentence() const { return sentence_; }

  // The printed line: "House.rkm (4, 7): link leads to Cellar.rkm, which does not
  // exist"; a warning says so after the place ("House.rkm (2, 3): warning: ...");
  // a line of a text file is named as "Game.ini line 3: ...".
  std::string ToLine() const;

 private:
  Severity severity_;
  std::string file_;
  bool hasCell_;
  int32_t x_;
  int32_t y_;
  int line_ = 0;
  std::string sentence_;
};
