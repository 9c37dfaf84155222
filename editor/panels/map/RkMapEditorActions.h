// What the map editor panel's push buttons and NPC list do: Save Map, Load Map,
// Clear Map, Load Sprite and Load New Area, and the preview of the NPC selected
// in the list. RkEngine::PollMapEditor calls Poll once per pass of the loop while
// the panel is open; the file dialog and the notices come from the application
// object, which takes the keyboard and the mouse back after them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RkDirect3D.h"
#include "RkFileDialog.h"
#include "RkMapDocument.h"
#include "RkMapEditor.h"
#include "RkNPCList.h"
#include "RkWorld.h"

class RkSprite;

class RkMapEditorActions {
 public:
  // Shows a file dialog with the filters; true with the chosen path, false (and
  // an empty path) when cancelled.
  using FileChooser = std::function<bool(const RkFileDialog::FilterList& filters, std::string& path)>;
  // Shows a modal notice.
  using NoticeShower = std::function<void(const char* text)>;
  // Asks a question with the buttons; the index of the one chosen (escapeAnswer
  // for Escape or the box's close button).
  using QuestionAsker =
      std::function<int(const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer)>;
  // Asked before Load Map or Clear Map replaces the map: false keeps it.
  using ReplaceGuard = std::function<bool()>;
  // Puts the new map's cell (0, 0) at the canvas's top-left corner, whatever
  // zoom or pan the old map was seen with.
  using ViewReset = std::function<void()>;

  // The renderer's device loads the previews and the images of a map being opened.
  RkMapEditorActions(RkMapEditor& panel, RkMapDocument& document, RkDirect3D& renderer, RkNPCList& npcList,
                     FileChooser chooseFile, NoticeShower showNotice);
  RkMapEditorActions(const RkMapEditorActions&) = delete;
  RkMapEditorActions& operator=(const RkMapEditorActions&) = delete;

  // Acts on the buttons clicked since the last poll, in the panel's order, then
  // follows the NPC list's selection.
  void Poll();

  // Makes the image the tile image with its preview, as Load Sprite does with
  // the file chosen; an image that does not load is a notice and changes nothing.
  // The tile palette's clicks come here too.
  void UseTileImage(const std::string& path);
  // The same for a block of a sheet's cells (path its top-left cell), which the
  // canvas then paints as a block.
  void UseTileBlock(const std::string& path, int columns, int rows);

  // The panel opens afresh: the next selection builds its preview again.
  void ForgetNPCSelection() { selectedMapNPC.clear(); }
  const std::string& GetSelectedMapNPC() const { return selectedMapNPC; }
  // Told after each successful save, to move the start points of the other maps'
  // links into a map whose cells moved.
  void SetLinkedMapsMover(class RkLinkedMapsMover* mover) { linkedMaps = mover; }

  // Load Map for a file chosen elsewhere (the map checker's list): the question
  // about unsaved changes first, then the map replaces the one being edited only
  // when it reads whole; false when it was kept (or after a notice).
  bool LoadMapFile(const std::string& path);

  // Without an asker a file that Save Map would replace is kept (the save fails).
  void SetQuestionAsker(QuestionAsker asker) { ask = std::move(asker); }
  void SetReplaceGuard(ReplaceGuard guard) { mayReplaceMap = std::move(guard); }
  // Called each time a loaded or cleared map replaces the one being edited.
  void SetViewReset(ViewReset reset) { resetView = std::move(reset); }

  // The file that saving writes: the typed name's, else the map's own file
  // (the name field is emptied when the panel opens again); empty when neither.
  std::string GetSaveTarget() const;
  // Saves to GetSaveTarget(), as the question before ending offers it; false
  // (after a notice, or when the user keeps the file it would replace) when the
  // map was not written.
  bool SaveToTarget();

  // Told the file after a map was saved or loaded through the panel's buttons.
  using MapFileHandler = std::function<void(const std::string& file)>;
  void SetMapSavedHandler(MapFileHandler handler) { mapSaved = std::move(handler); }
  void SetMapLoadedHandler(MapFileHandler handler) { mapLoaded = std::move(handler); }

  // Reads the world file at path in place of the map (a notice and false when it
  // cannot be read: the map stays) as the map of fileOfMap (none for an empty
  // one), saved.
  bool OpenMapFile(const std::string& path, const std::string& fileOfMap);
  // OpenMapFile from a recovery file; the map is then unsaved.
  bool RestoreMap(const std::string& recoveryPath, const std::string& fileOfMap);

  // The file that Save Map writes for the typed name: ".rkm" is added unless
  // the name already ends in it.
  static std::string MapFileName(const std::string& typedName);
  // The notice for a map whose images are missing: the count and the first few.
  static std::string MissingImagesNotice(const std::vector<std::string>& missing);

 private:
  void SaveMap();
  bool SaveAs(const std::string& file);
  bool MayWriteOver(const std::string& file);
  void LoadMap();
  bool ReadMapFile(const std::string& path);
  // A chosen map read, then told to whoever follows the loaded map (the recovery offer).
  bool LoadChosenFile(const std::string& path);
  void ClearMap();
  void LoadTileSprite();
  void LoadNewArea();
  void FollowNPCSelection();
  // Missing images of the map draw as checkers; the missing files, first few first.
  std::vector<std::string> UsePlaceholdersForMissingImages(const RkWorld& world);
  std::unique_ptr<RkSprite> MakePreviewSprite(const char* imageFile, const RkMapEditor::Rect& rect);

  RkMapEditor& panel;
  RkMapDocument& document;
  RkDirect3D& renderer;
  RkNPCList& npcList;
  FileChooser chooseFile;
  NoticeShower showNotice;
  // The NPC whose preview the panel shows, by name.
  std::string selectedMapNPC;
  class RkLinkedMapsMover* linkedMaps = nullptr;

  QuestionAsker ask;
  ReplaceGuard mayReplaceMap;
  ViewReset resetView;
  MapFileHandler mapSaved;
  MapFileHandler mapLoaded;
};
