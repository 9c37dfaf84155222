// The printed form of a finding.
#include "RkMapFinding.h"

#include <utility>

RkMapFinding::RkMapFinding(Severity severity, std::string file, std::string sentence)
    : severity_(severity), file_(std::move(file)), hasCell_(false), x_(0), y_(0), sentence_(std::move(sentence)) {}

RkMapFinding::RkMapFinding(Severity severity, std::string file, int32_t x, int32_t y, std::string sentence)
    : severity_(severity), file_(std::move(file)), hasCell_(true), x_(x), y_(y), sentence_(std::move(sentence)) {}

RkMapFinding RkMapFinding::AtLine(Severity severity, std::string file, int line, std::string sentence) {
  RkMapFinding finding(severity, std::move(file), std::move(sentence));
  finding.line_ = line;
  return finding;
}

std::string RkMapFinding::ToLine() const {
  std::string line = file_;
  if (line_ > 0) line += " line " + std::to_string(line_);
  if (hasCell_) line += " (" + std::to_string(x_) + ", " + std::to_string(y_) + ")";
  line += ": ";
  if (severity_ == Severity::Warning) line += "warning: ";
  return line + sentence_;
}
