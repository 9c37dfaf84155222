// The conversation's walk through an NPC's dialogues, page by page.
#include "RkConversation.h"

#include <algorithm>

bool RkConversation::Begin(const RkNPC& who, const Layout& shape) {
  active = false;
  if (who.GetDialogueCount() == 0) return false;
  speaker = who;
  layout = shape;
  if (layout.linesPerPage < 1) layout.linesPerPage = 1;
  int32_t lowest = speaker.GetDialogueID(0);
  for (unsigned i = 1; i < speaker.GetDialogueCount(); ++i) lowest = std::min(lowest, speaker.GetDialogueID(i));
  active = true;
  Enter(lowest);
  return true;
}

bool RkConversation::HasDialogue(int32_t id) const {
  for (unsigned i = 0; i < speaker.GetDialogueCount(); ++i) {
    if (speaker.GetDialogueID(i) == id) return true;
  }
  return false;
}

void RkConversation::Enter(int32_t id) {
  dialogueId = id;
  page = 0;
  selected = 0;
  firstShown = 0;
  for (unsigned i = 0; i < speaker.GetDialogueCount(); ++i) {
    if (speaker.GetDialogueID(i) == id) {
      PageText(speaker.GetDialogueText(i));
      return;
    }
  }
}

// Full pages of text while more remains than the last page can hold beside
// the options; the last page takes the rest and the options.
void RkConversation::PageText(const std::string& text) {
  const std::vector<std::string> lines = RkWordWrap::Wrap(text, layout.textWidth, layout.measure);
  const unsigned perPage = static_cast<unsigned>(layout.linesPerPage);
  const unsigned optionLines = std::min(GetResponseCount(), perPage);
  const unsigned roomOnLast = perPage - optionLines;
  pages.clear();
  size_t next = 0;
  while (lines.size() - next > roomOnLast) {
    const size_t count = std::min<size_t>(perPage, lines.size() - next);
    pages.emplace_back(lines.begin() + next, lines.begin() + next + count);
    next += count;
  }
  pages.emplace_back(lines.begin() + next, lines.end());
}

unsigned RkConversation::GetResponseCount() const { return speaker.GetResponseCount(dialogueId); }

unsigned RkConversation::FreeLinesOnLastPage() const {
  const unsigned used = static_cast<unsigned>(pages.back().size());
  const unsigned perPage = static_cast<unsigned>(layout.linesPerPage);
  return used < perPage ? perPage - used : 0;
}

unsigned RkConversation::GetShownResponseCount() const {
  if (!IsOnLastPage()) return 0;
  return std::min(GetResponseCount() - firstShown, FreeLinesOnLastPage());
}

std::string RkConversation::GetResponseLine(unsigned index) const {
  const char* text = speaker.GetResponseText(dialogueId, index);
  return RkWordWrap::Fit(text != nullptr ? text : "", layout.optionWidth, layout.measure);
}

void RkConversation::SelectPrevious() {
  if (!active || !IsOnLastPage() || selected == 0) return;
  --selected;
  KeepSelectedShown();
}

void RkConversation::SelectNext() {
  if (!active || !IsOnLastPage() || selected + 1 >= GetResponseCount()) return;
  ++selected;
  KeepSelectedShown();
}

// More options than free lines: the shown ones scroll with the choice.
void RkConversation::KeepSelectedShown() {
  const unsigned room = std::max(FreeLinesOnLastPage(), 1u);
  if (selected < firstShown) firstShown = selected;
  if (selected >= firstShown + room) firstShown = selected - room + 1;
}

void RkConversation::Confirm() {
  if (!active) return;
  if (!IsOnLastPage()) {
    ++page;
    return;
  }
  if (GetResponseCount() == 0) {
    End();
    return;
  }
  const int32_t nextId = speaker.GetResponseNextID(dialogueId, selected);
  if (!HasDialogue(nextId)) {
    End();
    return;
  }
  Enter(nextId);
}
