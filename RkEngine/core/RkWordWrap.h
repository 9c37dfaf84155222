// Breaks a text into lines that fit a width in pixels, for the game's
// conversation box. The width of a piece of text comes from the caller (the
// renderer's font), so the breaking itself needs no font and no display.
#pragma once

#include <functional>
#include <string>
#include <vector>

class RkWordWrap {
 public:
  // Width in pixels of a piece of text, as it would be drawn.
  using Measure = std::function<int(const std::string&)>;

  // Lines of at most width pixels, broken between words; a line feed always
  // breaks. A word wider than a whole line is broken between its characters.
  // The spaces at a break are dropped. An empty text gives no lines.
  static std::vector<std::string> Wrap(const std::string& text, int width, const Measure& measure);
  // The text itself when it fits; else its longest start that fits with "..."
  // after it.
  static std::string Fit(const std::string& text, int width, const Measure& measure);

 private:
  static void WrapParagraph(const std::string& paragraph, int width, const Measure& measure,
                            std::vector<std::string>& lines);
  // Moves the longest start of word that fits into lines; keeps at least one
  // character a line, so a width too small for anything still ends.
  static void BreakWord(std::string& word, int width, const Measure& measure, std::vector<std::string>& lines);
  static size_t LongestFittingStart(const std::string& text, const std::string& suffix, int width,
                                    const Measure& measure);
};
