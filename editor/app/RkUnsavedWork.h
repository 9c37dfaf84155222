// The editor's unsaved work: whether the map and the NPC library differ from
// their files (each follows its history, so undoing back to the saved state
// makes the work saved again), the window's title that shows it, and the
// question "Save changes to World.rkm?" that RkEngine asks before the editor
// ends (Escape, File > Exit, the close box) and that the map editor panel asks
// before Load Map or Clear Map replaces the map.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "RkEditHistory.h"
#include "RkMapEditorActions.h"
#include "RkNPCEditor.h"
#include "RkNPCList.h"

class RkUnsavedWork {
 public:
  // The question's buttons, by the index that the asker returns.
  enum Answer { AnswerSave = 0, AnswerDontSave = 1, AnswerCancel = 2 };
  using QuestionAsker = RkMapEditorActions::QuestionAsker;

  RkUnsavedWork(RkEditHistory& mapHistory, RkMapEditorActions& mapActions, RkNPCEditor& npcEditor,
                RkNPCList& npcList);
  RkUnsavedWork(const RkUnsavedWork&) = delete;
  RkUnsavedWork& operator=(const RkUnsavedWork&) = delete;

  // Without an asker every question is cancelled: nothing ends, nothing is lost.
  void SetQuestionAsker(QuestionAsker asker) { ask = std::move(asker); }
  // Told when the user chose Don't Save for the map.
  void SetDiscardListener(std::function<void()> listener) { discarded = std::move(listener); }

  bool IsMapUnsaved() const { return !mapHistory.IsAtSavedState(); }
  bool IsLibraryUnsaved() const { return npcEditor.HasUnsavedLibrary(); }
  // The file name that the title and the question show: "World.rkm", or
  // "Untitled" for a map without a name or file.
  std::string GetMapFileLabel() const;
  // "RkEngine - World.rkm *" while the map is unsaved, without the mark when
  // saved; "RkEngine" alone for a new map with nothing to save.
  std::string GetTitle(const char* programTitle) const;

  // True when the editor may end: nothing is unsaved, or each unsaved file was
  // saved or given up. Cancel, or a save that failed, keeps the editor.
  bool MayEnd();
  // The same for the map alone, before it is replaced.
  bool MayReplaceMap();
  // Before File > Export Game, which reads the files on disk: each unsaved
  // file is saved, or kept unsaved as it is (nothing is given up); false on
  // Cancel or a save that failed.
  bool MayExport();

 private:
  bool SettleMap();
  bool SettleLibrary();
  int AskToSave(const std::string& fileLabel);
  int AskToSaveBeforeExport(const std::string& fileLabel);

  RkEditHistory& mapHistory;
  RkMapEditorActions& mapActions;
  RkNPCEditor& npcEditor;
  RkNPCList& npcList;
  QuestionAsker ask;
  std::function<void()> discarded;
};
