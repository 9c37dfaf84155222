// Opens the map and NPC panels with the NPC library as it is on disk, and shows
// the library again after one of its steps is undone or redone.
//
// Opening a panel reads "NPCs.rk" afresh, unless the NPC panel holds edits of
// the library that are not saved yet: those are never thrown away. The
// library's steps refer to the list they were made on, so a list read afresh
// begins a new history. A library that cannot be read is a notice: the list
// stays as it was.
#pragma once

#include <functional>
#include <string>

class RkEditHistory;
class RkMapEditor;
class RkMapEditorActions;
class RkNPCEditor;
class RkNPCList;

class RkPanelOpener {
 public:
  using NoticeShower = std::function<void(const char* text)>;

  RkPanelOpener(RkMapEditor& mapPanel, RkMapEditorActions& mapActions, RkNPCEditor& npcPanel, RkNPCList& npcList,
                RkEditHistory& libraryHistory, NoticeShower showNotice);
  RkPanelOpener(const RkPanelOpener&) = delete;
  RkPanelOpener& operator=(const RkPanelOpener&) = delete;

  // Opens the map panel, its NPC list filled from the library; nothing when open.
  void OpenMapEditor();
  // Opens the NPC panel on the library; nothing when open.
  void OpenNPCEditor();
  // The NPC panel (when open) shows the list as it is now, with the NPC of
  // that name selected when it is still there.
  void ShowLibraryAgain(const std::string& name);

 private:
  void ReloadUnchangedLibrary();

  RkMapEditor& mapPanel;
  RkMapEditorActions& mapActions;
  RkNPCEditor& npcPanel;
  RkNPCList& npcList;
  RkEditHistory& libraryHistory;
  NoticeShower showNotice;
};
