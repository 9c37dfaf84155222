// Recording changes to the NPC library, and their labels.
#include "RkLibraryRecorder.h"

#include <cstdlib>
#include <memory>
#include <utility>

RkLibraryRecorder::RkLibraryRecorder(RkNPCList& list, RkEditHistory& history) : list(list), history(history) {}

void RkLibraryRecorder::Before(Change kind, const std::string& npcName, const std::string& about) {
  pending = true;
  change = kind;
  name = npcName;
  detail = about;
  before = RkNPCSubset::Named(list, name.c_str());
}

void RkLibraryRecorder::After() {
  if (!pending) {
    return;
  }
  pending = false;
  RkNPCSubset after = RkNPCSubset::Named(list, name.c_str());
  if (after == before) {
    return;
  }
  history.Push(std::make_unique<RkLibraryStep>(Describe(), name, std::move(before), std::move(after), list, refresh));
}

bool RkLibraryRecorder::HadDialogue(int32_t textId) const {
  if (before.IsEmpty()) {
    return false;
  }
  const RkNPC& npc = before.GetMembers().front().npc;
  for (unsigned i = 0; i < npc.GetDialogueCount(); ++i) {
    if (npc.GetDialogueID(i) == textId) {
      return true;
    }
  }
  return false;
}

std::string RkLibraryRecorder::Describe() const {
  switch (change) {
    case Change::SaveNPC:
      return (before.IsEmpty() ? "Add NPC " : "Change NPC ") + name;
    case Change::RemoveNPC:
      return "Remove NPC " + name;
    case Change::SaveDialogue:
      return (HadDialogue(std::atoi(detail.c_str())) ? "Change Dialogue " : "Add Dialogue ") + detail + " of " +
             name;
    case Change::RemoveDialogue:
      return "Remove Dialogue " + detail + " of " + name;
    case Change::SaveResponse:
      return "Add Response " + detail + " to " + name;
    case Change::RemoveResponse:
      return "Remove Response " + detail + " of " + name;
  }
  return name;
}
