#include "RkWebPage.h"

#include <cstring>

std::string RkWebPage::Fill(const std::string& page, const std::string& title) {
  const std::string escaped = EscapeHtml(title);
  const std::size_t markSize = std::strlen(kTitleMark);
  std::string filled;
  std::size_t from = 0;
  for (std::size_t at = page.find(kTitleMark); at != std::string::npos; at = page.find(kTitleMark, from)) {
    filled.append(page, from, at - from);
    filled += escaped;
    from = at + markSize;
  }
  filled.append(page, from, std::string::npos);
  return filled;
}

std::string RkWebPage::EscapeHtml(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}
