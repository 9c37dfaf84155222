// Lays the conversation's page out in the box, line by line.
#include "ConversationBox.h"

int ConversationBox::LineHeight(const RkDirect3D& renderer) { return renderer.GetFontHeight() + kLineGap; }

int ConversationBox::LineTop(const RkDirect3D& renderer, int line) {
  return kArea.top + kPaddingY + line * LineHeight(renderer);
}

RkConversation::Layout ConversationBox::LayoutFor(const RkDirect3D& renderer) {
  RkConversation::Layout layout;
  layout.measure = [&renderer](const std::string& text) { return renderer.MeasureText(text.c_str()); };
  const int innerWidth = kArea.right - kArea.left - 2 * kPaddingX;
  layout.textWidth = innerWidth - kMoreMarkRoom;
  layout.optionWidth = innerWidth - kOptionIndent;
  const int lines = (kArea.bottom - kArea.top - 2 * kPaddingY) / LineHeight(renderer);
  layout.linesPerPage = lines - 1;  // the first line is the name's
  return layout;
}

void ConversationBox::AddLine(RkDirect3D& renderer, const std::string& text, int left, int line, RkColor color) {
  const int top = LineTop(renderer, line);
  renderer.AddText(text.c_str(), left, top, kArea.right - kPaddingX, top + LineHeight(renderer), color);
}

void ConversationBox::Show(const RkConversation& conversation, RkDirect3D& renderer) {
  Hide(renderer);
  if (!conversation.IsActive()) return;
  renderer.AddBox(kArea, kFill, kBorder);
  const RkConversation::Layout layout = LayoutFor(renderer);
  const int left = kArea.left + kPaddingX;
  AddLine(renderer, RkWordWrap::Fit(conversation.GetName(), layout.textWidth, layout.measure), left, 0, kNameColor);
  int line = 1;
  for (const std::string& text : conversation.GetPageLines()) AddLine(renderer, text, left, line++, kTextColor);
  const unsigned first = conversation.GetFirstShownResponse();
  for (unsigned i = first; i < first + conversation.GetShownResponseCount(); ++i) {
    const bool chosen = i == conversation.GetSelected();
    if (chosen) AddLine(renderer, kMarker, left + 4, line, kChosenColor);
    AddLine(renderer, conversation.GetResponseLine(i), left + kOptionIndent, line++,
            chosen ? kChosenColor : kOptionColor);
  }
  if (!conversation.IsOnLastPage()) {
    const int markLeft = kArea.right - kPaddingX - renderer.MeasureText(kMoreMark);
    AddLine(renderer, kMoreMark, markLeft, layout.linesPerPage, kNameColor);
  }
}

void ConversationBox::Hide(RkDirect3D& renderer) {
  renderer.ClearTexts();
  renderer.ClearBoxes();
}
