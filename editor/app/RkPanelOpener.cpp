#include "RkPanelOpener.h"

#include "RkEditHistory.h"
#include "RkMapEditor.h"
#include "RkMapEditorActions.h"
#include "RkNPCEditor.h"
#include "RkNPCList.h"

RkPanelOpener::RkPanelOpener(RkMapEditor& mapPanel, RkMapEditorActions& mapActions, RkNPCEditor& npcPanel,
                             RkNPCList& npcList, RkEditHistory& libraryHistory, NoticeShower showNotice)
    : mapPanel(mapPanel),
      mapActions(mapActions),
      npcPanel(npcPanel),
      npcList(npcList),
      libraryHistory(libraryHistory),
      showNotice(std::move(showNotice)) {}

void RkPanelOpener::OpenMapEditor() {
  if (mapPanel.IsOpen()) {
    return;
  }
  ReloadUnchangedLibrary();
  mapActions.ForgetNPCSelection();
  mapPanel.Open();
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    mapPanel.AddNPCName(npcList.GetNPC(i).GetName());
  }
}

void RkPanelOpener::OpenNPCEditor() {
  if (npcPanel.IsOpen()) {
    return;
  }
  ReloadUnchangedLibrary();
  npcPanel.Open(npcList);
}

void RkPanelOpener::ReloadUnchangedLibrary() {
  if (npcPanel.HasUnsavedLibrary()) return;
  if (const auto failure = npcList.TryLoadNPCFile()) {
    std::string cause = failure->GetSystemText();
    while (!cause.empty() && cause.back() == '\n') cause.pop_back();
    const std::string text = "The NPC library could not be read; the NPCs stay as they were:\nNPCs.rk\n" +
                             failure->GetMessage() + " " + cause;
    showNotice(text.c_str());
    return;
  }
  libraryHistory.Clear();
}

void RkPanelOpener::ShowLibraryAgain(const std::string& name) {
  if (!npcPanel.IsOpen()) {
    return;
  }
  npcPanel.Open(npcList);
  for (unsigned i = 0; i < npcList.GetCount(); ++i) {
    if (name == npcList.GetNPC(i).GetName()) {
      npcPanel.GetNPCListBox().SetCurSel(static_cast<int>(i));
      return;
    }
  }
}
