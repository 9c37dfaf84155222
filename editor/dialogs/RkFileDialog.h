// The editor's open-file dialog: a modal ImGui popup showing the folders and the
// files of one folder that match the chosen filter, a path field that can be typed
// into, and Open / Cancel. RkEngine::ChooseFile shows it in a loop of its own until
// the user chooses or cancels. The state is plain data so that tests drive it
// without a window. The dialog never changes the working directory.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RkSheetGrid.h"

struct SDL_Renderer;
class RkTexture;

class RkFileDialog {
 public:
  // One entry of the "Files of type" list: a description and its patterns,
  // separated by ";", with "*" and "?" wildcards, compared case-insensitively.
  // "*.*" takes every file, with or without an extension.
  struct Filter {
    const char* description;
    const char* pattern;
  };
  using FilterList = std::vector<Filter>;
  // "Sprites" "*.PNG", then "All Files" "*.*".
  static const FilterList& SpritesFilter();
  // "RkEngine Maps" "*.rkm".
  static const FilterList& MapsFilter();

  struct Entry {
    std::string name;
    bool isFolder;
  };

  enum class State { Closed, Choosing, Chosen, Cancelled };

  static constexpr int kPathCapacity = 500;

  // Starts choosing in the working directory with the first filter and an empty
  // path field.
  void Open(const FilterList& filters);
  State GetState() const { return state; }
  // The folder on show, absolute.
  const std::string& GetFolder() const { return folder; }
  // ".." first (except at the root), then the folders, then the matching files,
  // each group sorted by name regardless of case.
  const std::vector<Entry>& GetEntries() const { return entries; }
  int GetFilterIndex() const { return filterIndex; }
  void SetFilterIndex(int index);
  // The path field, edited in place by the ImGui binding; at most 499 characters.
  char* GetPathField() { return pathField; }
  void SetPathField(const char* text);
  // Why the last Accept kept the dialog open, or "".
  const std::string& GetError() const { return error; }

  // A single click puts the entry's name into the path field.
  void Click(int entryIndex);
  // A double click opens a folder or chooses a file.
  void DoubleClick(int entryIndex);
  // Open (the button or Enter): a folder named in the path field is shown, an
  // existing file is chosen, anything else keeps the dialog open with an error.
  // A relative name is taken from the folder on show.
  void Accept();
  void Cancel();
  // The chosen file: relative to the working directory when it lies under it,
  // else absolute; '/' separates folders. A path of 500 characters or more is
  // refused, since the records hold paths in 500-byte texts.
  const std::string& GetChosenPath() const { return chosenPath; }

  // Load Sprite's dialogs offer the cells of a tile sheet: an image chosen
  // that is a sheet (RkSheetSizes) turns the dialog to its grid of cells, where
  // a click picks "sheet.png#2,1" and "Use Whole Image" the file itself.
  // renderer draws the grid (null: the page is driven by the calls below).
  void OfferSheetCells(SDL_Renderer* renderer);
  bool IsPickingCell() const { return !sheetPath.empty(); }
  const std::string& GetSheetPath() const { return sheetPath; }
  int GetCellSize() const { return cellSize; }
  // Another cell size for the sheet, remembered for it.
  void SetCellSize(int size);
  // Chooses the sheet's cell; a cell outside the sheet keeps the page open.
  void PickCell(int column, int row);
  void UseWholeImage();
  // Back to the files, the sheet not chosen.
  void BackToFiles();

  // Binds the popup "Open" to this state; called between ImGui's NewFrame and Render.
  void Draw();

  static bool MatchesFilter(const std::string& fileName, const char* patterns);
  static bool MatchesPattern(const char* name, const char* pattern);
  static std::string MakePortablePath(const std::string& absolutePath,
                                      const std::string& workingDirectory);

 private:
  void ShowFolder(const std::string& newFolder);
  void ChooseFile(const std::string& path);
  void ReadEntries();
  void DrawEntryList();
  void DrawPathAndFilter();
  void DrawButtons();
  void DrawCellPage();
  // The path goes out as chosen (after the cell page, for a sheet).
  void Choose(const std::string& path);

  FilterList filters;
  int filterIndex = 0;
  State state = State::Closed;
  std::string workingDirectory;
  std::string folder;
  std::vector<Entry> entries;
  int selectedEntry = -1;
  char pathField[kPathCapacity] = {};
  std::string error;
  std::string chosenPath;
  bool focusPathField = false;
  bool offerCells = false;
  SDL_Renderer* sheetRenderer = nullptr;
  std::string sheetPath;  // the sheet whose cells are on show, "" on the files' page
  int sheetWidth = 0;
  int sheetHeight = 0;
  int cellSize = 0;
  std::shared_ptr<RkTexture> sheetTexture;
  RkSheetGrid grid;
};
