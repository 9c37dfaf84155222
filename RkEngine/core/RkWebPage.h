// The page of a game exported for the web: the web build's index.html with
// the game's title written into it. The title comes from "Game.ini" where the
// game has one; it is text, so characters that mean something in HTML are
// written as entities.
#pragma once

#include <string>

class RkWebPage {
 public:
  static constexpr const char* kFileName = "index.html";
  // Where the page's template holds the title.
  static constexpr const char* kTitleMark = "@RK_TITLE@";

  // The template with every title mark replaced.
  static std::string Fill(const std::string& page, const std::string& title);
  static std::string EscapeHtml(const std::string& text);
};
