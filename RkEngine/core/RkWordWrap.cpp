// Greedy word wrapping against a measured width.
#include "RkWordWrap.h"

#include <sstream>

namespace {

constexpr const char* kCutMark = "...";

}  // namespace

std::vector<std::string> RkWordWrap::Wrap(const std::string& text, int width, const Measure& measure) {
  std::vector<std::string> lines;
  std::istringstream paragraphs(text);
  std::string paragraph;
  while (std::getline(paragraphs, paragraph, '\n')) WrapParagraph(paragraph, width, measure, lines);
  return lines;
}

void RkWordWrap::WrapParagraph(const std::string& paragraph, int width, const Measure& measure,
                               std::vector<std::string>& lines) {
  std::istringstream words(paragraph);
  std::string word;
  std::string line;
  while (words >> word) {
    const std::string longer = line.empty() ? word : line + " " + word;
    if (measure(longer) <= width) {
      line = longer;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line = word;
    while (line.size() > 1 && measure(line) > width) BreakWord(line, width, measure, lines);
  }
  if (!line.empty()) lines.push_back(line);
}

void RkWordWrap::BreakWord(std::string& word, int width, const Measure& measure, std::vector<std::string>& lines) {
  size_t length = LongestFittingStart(word, "", width, measure);
  if (length == 0) length = 1;
  lines.push_back(word.substr(0, length));
  word.erase(0, length);
}

size_t RkWordWrap::LongestFittingStart(const std::string& text, const std::string& suffix, int width,
                                       const Measure& measure) {
  // Widths grow with the length, so the longest fitting start is found by halving.
  size_t fits = 0;
  size_t tooLong = text.size() + 1;
  while (tooLong - fits > 1) {
    const size_t middle = fits + (tooLong - fits) / 2;
    if (measure(text.substr(0, middle) + suffix) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  return fits;
}

std::string RkWordWrap::Fit(const std::string& text, int width, const Measure& measure) {
  if (measure(text) <= width) return text;
  return text.substr(0, LongestFittingStart(text, kCutMark, width, measure)) + kCutMark;
}
