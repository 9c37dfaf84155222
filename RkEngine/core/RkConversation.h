// A conversation with one NPC, as the game runs it while it is in its talking
// mode: the NPC's dialogue being said, the page of its text on show, and the
// response option chosen. The game's step calls it for each key press and
// draws what it reports; it knows nothing of keys, fonts or the screen beyond
// the layout it is given.
//
// A conversation begins at the dialogue with the lowest Text ID. Its text is
// wrapped to the layout's width and shown in pages; the response options come
// on the last page, below the text. Taking an option goes to the dialogue with
// its Next ID; a Next ID that names no dialogue, or a dialogue without options,
// ends the conversation on the next confirmation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RkNPC.h"
#include "RkWordWrap.h"

class RkConversation {
 public:
  // Where the text goes: pixels a line of the text and of an option may take,
  // and the lines a page holds for text and options together.
  struct Layout {
    RkWordWrap::Measure measure;
    int textWidth = 0;
    int optionWidth = 0;
    int linesPerPage = 1;
  };

  // Starts talking with the NPC, with its own dialogues; false (and no
  // conversation) when it has none.
  bool Begin(const RkNPC& speaker, const Layout& layout);
  void End() { active = false; }
  bool IsActive() const { return active; }

  // Up and Down: the option above or below the chosen one, while the options
  // are on show; the first and the last stay where they are.
  void SelectPrevious();
  void SelectNext();
  // Space or Return: the next page; on the last page the chosen option is
  // taken, or, without options, the conversation ends.
  void Confirm();

  const char* GetName() const { return speaker.GetName(); }
  int32_t GetDialogueID() const { return dialogueId; }
  unsigned GetPage() const { return page; }
  unsigned GetPageCount() const { return static_cast<unsigned>(pages.size()); }
  bool IsOnLastPage() const { return page + 1 >= pages.size(); }
  // The text lines of the page on show.
  const std::vector<std::string>& GetPageLines() const { return pages.at(page); }

  // All options of the dialogue, and those the page shows: the options come on
  // the last page only, and as many as its free lines hold, the chosen one
  // always among them.
  unsigned GetResponseCount() const;
  unsigned GetFirstShownResponse() const { return firstShown; }
  unsigned GetShownResponseCount() const;
  // Option index's text, cut to the option width.
  std::string GetResponseLine(unsigned index) const;
  unsigned GetSelected() const { return selected; }

 private:
  // The first dialogue with that ID, or none.
  bool HasDialogue(int32_t id) const;
  void Enter(int32_t id);
  void PageText(const std::string& text);
  void KeepSelectedShown();
  unsigned FreeLinesOnLastPage() const;

  RkNPC speaker;
  Layout layout;
  bool active = false;
  int32_t dialogueId = 0;
  std::vector<std::vector<std::string>> pages;
  unsigned page = 0;
  unsigned selected = 0;
  unsigned firstShown = 0;
};
