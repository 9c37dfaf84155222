// The unsaved mark, the title and the question before the editor's work is
// ended or replaced.
#include "RkUnsavedWork.h"

#include <utility>

#include "RkPathParts.h"

namespace {
constexpr const char* kUntitled = "Untitled";
constexpr const char* kUnsavedMark = " *";
}  // namespace

RkUnsavedWork::RkUnsavedWork(RkEditHistory& mapHistory, RkMapEditorActions& mapActions, RkNPCEditor& npcEditor,
                             RkNPCList& npcList)
    : mapHistory(mapHistory),
      mapActions(mapActions),
      npcEditor(npcEditor),
      npcList(npcList) {}

std::string RkUnsavedWork::GetMapFileLabel() const {
  const std::string target = mapActions.GetSaveTarget();
  return target.empty() ? kUntitled : RkPathParts::FileName(target);
}

std::string RkUnsavedWork::GetTitle(const char* programTitle) const {
  const bool unsaved = IsMapUnsaved();
  if (!unsaved && mapActions.GetSaveTarget().empty()) {
    return programTitle;
  }
  return std::string(programTitle) + " - " + GetMapFileLabel() + (unsaved ? kUnsavedMark : "");
}

bool RkUnsavedWork::MayEnd() { return SettleMap() && SettleLibrary(); }

bool RkUnsavedWork::MayReplaceMap() { return SettleMap(); }

int RkUnsavedWork::AskToSave(const std::string& fileLabel) {
  if (!ask) {
    return AnswerCancel;
  }
  return ask("Save changes to " + fileLabel + "?", {"Save", "Don't Save", "Cancel"}, AnswerCancel);
}

int RkUnsavedWork::AskToSaveBeforeExport(const std::string& fileLabel) {
  if (!ask) {
    return AnswerCancel;
  }
  return ask("The export reads the files on disk. Save changes to " + fileLabel + " first?",
             {"Save", "Export Without Them", "Cancel"}, AnswerCancel);
}

// "Export Without Them" keeps the edits in the editor, unsaved: unlike Don't
// Save, nothing is given up (the recovery file stays too).
bool RkUnsavedWork::MayExport() {
  const auto settle = [this](bool unsaved, const std::string& label, const std::function<bool()>& save) {
    if (!unsaved) return true;
    const int answer = AskToSaveBeforeExport(label);
    return answer == AnswerSave ? save() : answer == AnswerDontSave;
  };
  return settle(IsMapUnsaved(), GetMapFileLabel(), [this] { return mapActions.SaveToTarget(); }) &&
         settle(IsLibraryUnsaved(), RkNPCList::kFileName, [this] { return npcEditor.SaveLibrary(npcList); });
}

bool RkUnsavedWork::SettleMap() {
  if (!IsMapUnsaved()) {
    return true;
  }
  switch (AskToSave(GetMapFileLabel())) {
    case AnswerSave:
      return mapActions.SaveToTarget();
    case AnswerDontSave:
      if (discarded) discarded();
      return true;
    default:
      return false;
  }
}

bool RkUnsavedWork::SettleLibrary() {
  if (!IsLibraryUnsaved()) {
    return true;
  }
  switch (AskToSave(RkNPCList::kFileName)) {
    case AnswerSave:
      return npcEditor.SaveLibrary(npcList);
    case AnswerDontSave:
      return true;
    default:
      return false;
  }
}
