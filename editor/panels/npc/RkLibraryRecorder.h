// Turns each change that the NPC editor makes to the NPC library into one step
// of the library's history. The editor says which change it is about to make
// and to which name, makes it, and says it is done; the recorder takes the NPCs
// of that name before and after and names the step ("Add NPC Bram", "Change
// Dialogue 3 of Bram"). A change that changed nothing makes no step.
#pragma once

#include <string>

#include "RkEditHistory.h"
#include "RkLibraryStep.h"
#include "RkNPCList.h"
#include "RkNPCSubset.h"

class RkLibraryRecorder {
 public:
  enum class Change { SaveNPC, RemoveNPC, SaveDialogue, RemoveDialogue, SaveResponse, RemoveResponse };

  RkLibraryRecorder(RkNPCList& list, RkEditHistory& history);
  RkLibraryRecorder(const RkLibraryRecorder&) = delete;
  RkLibraryRecorder& operator=(const RkLibraryRecorder&) = delete;

  void SetRefresher(RkLibraryStep::Refresher refresher) { refresh = std::move(refresher); }

  // Right before the change: what it is, the NPC's name, and the dialogue's Text
  // ID or the response's text it concerns (unused for the NPC buttons).
  void Before(Change change, const std::string& name, const std::string& detail = "");
  // Right after it.
  void After();

  // "NPCs.rk" was written: the library as it is now is the saved one.
  void MarkSaved() { history.MarkSaved(); }
  // Undoing back to the library as last saved (or as read) makes it saved again.
  bool IsAtSavedState() const { return history.IsAtSavedState(); }

 private:
  std::string Describe() const;
  bool HadDialogue(int32_t textId) const;

  RkNPCList& list;
  RkEditHistory& history;
  RkLibraryStep::Refresher refresh;
  bool pending = false;
  Change change = Change::SaveNPC;
  std::string name;
  std::string detail;
  RkNPCSubset before;
};
