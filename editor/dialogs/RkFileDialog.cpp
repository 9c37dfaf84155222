// The open-file dialog of the editor's panels (Load Map, Load Sprite, Load New Area,
// and the NPC editor's Load Sprite), drawn as a modal ImGui popup.
#include "RkFileDialog.h"

#include <imgui.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "RkImageHeader.h"
#include "RkSheetCell.h"
#include "RkSheetSizes.h"
#include "RkTexture.h"
#include "RkTextureCache.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPopupTitle = "Open";

char FoldCase(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

bool IsUnder(const fs::path& relative) {
  if (relative.empty()) {
    return false;
  }
  const std::string first = relative.begin()->string();
  return first != ".." && !relative.is_absolute();
}

}  // namespace

const RkFileDialog::FilterList& RkFileDialog::SpritesFilter() {
  static const FilterList filter = {{"Sprites", "*.PNG"}, {"All Files", "*.*"}};
  return filter;
}

const RkFileDialog::FilterList& RkFileDialog::MapsFilter() {
  static const FilterList filter = {{"RkEngine Maps", "*.rkm"}};
  return filter;
}

void RkFileDialog::Open(const FilterList& newFilters) {
  filters = newFilters;
  filterIndex = 0;
  state = State::Choosing;
  pathField[0] = '\0';
  error.clear();
  chosenPath.clear();
  focusPathField = true;
  offerCells = false;
  sheetRenderer = nullptr;
  BackToFiles();
  std::error_code failure;
  workingDirectory = fs::current_path(failure).generic_string();
  ShowFolder(workingDirectory);
}

void RkFileDialog::SetFilterIndex(int index) {
  if (index < 0 || index >= static_cast<int>(filters.size())) {
    return;
  }
  filterIndex = index;
  ReadEntries();
}

void RkFileDialog::SetPathField(const char* text) {
  std::strncpy(pathField, text, kPathCapacity - 1);
  pathField[kPathCapacity - 1] = '\0';
}

void RkFileDialog::ShowFolder(const std::string& newFolder) {
  folder = fs::path(newFolder).lexically_normal().generic_string();
  if (folder.size() > 1 && folder.back() == '/') {
    folder.pop_back();
  }
  ReadEntries();
}

// Unreadable folders and entries are skipped: the dialog shows what it can read.
void RkFileDialog::ReadEntries() {
  entries.clear();
  selectedEntry = -1;
  std::vector<Entry> folders;
  std::vector<Entry> files;
  const char* patterns = filters.empty() ? "*.*" : filters[filterIndex].pattern;
  std::error_code failure;
  for (fs::directory_iterator it(folder, failure), end; !failure && it != end;
       it.increment(failure)) {
    const std::string name = it->path().filename().string();
    std::error_code kindFailure;
    if (it->is_directory(kindFailure)) {
      folders.push_back({name, true});
    } else if (MatchesFilter(name, patterns)) {
      files.push_back({name, false});
    }
  }
  const auto byName = [](const Entry& a, const Entry& b) { return LessIgnoringCase(a.name, b.name); };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  if (fs::path(folder).has_relative_path()) {
    entries.push_back({"..", true});
  }
  entries.insert(entries.end(), folders.begin(), folders.end());
  entries.insert(entries.end(), files.begin(), files.end());
}

void RkFileDialog::Click(int entryIndex) {
  if (entryIndex < 0 || entryIndex >= static_cast<int>(entries.size())) {
    return;
  }
  selectedEntry = entryIndex;
  SetPathField(entries[entryIndex].name.c_str());
}

void RkFileDialog::DoubleClick(int entryIndex) {
  Click(entryIndex);
  if (selectedEntry == entryIndex) {
    Accept();
  }
}

void RkFileDialog::Accept() {
  if (state != State::Choosing || pathField[0] == '\0') {
    return;
  }
  fs::path typed(pathField);
  if (typed.is_relative()) {
    typed = fs::path(folder) / typed;
  }
  typed = typed.lexically_normal();
  std::error_code failure;
  if (fs::is_directory(typed, failure)) {
    pathField[0] = '\0';
    error.clear();
    ShowFolder(typed.generic_string());
  } else if (fs::is_regular_file(typed, failure)) {
    ChooseFile(MakePortablePath(typed.generic_string(), workingDirectory));
  } else {
    error = std::string("The file \"") + pathField + "\" was not found.";
  }
}

// The records keep paths in 500-byte texts: a longer path could not be stored
// whole, so it is refused instead of being cut into another file's name.
void RkFileDialog::ChooseFile(const std::string& path) {
  if (offerCells) {
    std::string cause;
    const std::optional<RkImageHeader> header = RkImageHeader::ReadFile(path, cause);
    if (header && header->IsSupported() && header->GetWidth() <= RkImageHeader::kMaxSide &&
        header->GetHeight() <= RkImageHeader::kMaxSide) {
      const int width = static_cast<int>(header->GetWidth());
      const int height = static_cast<int>(header->GetHeight());
      const int size = RkSheetSizes::Instance().SizeOf(path, width, height);
      if (size > 0) {
        sheetPath = path;
        sheetWidth = width;
        sheetHeight = height;
        cellSize = size;
        error.clear();
        return;
      }
    }
  }
  Choose(path);
}

void RkFileDialog::OfferSheetCells(SDL_Renderer* renderer) {
  offerCells = true;
  sheetRenderer = renderer;
}

void RkFileDialog::SetCellSize(int size) {
  if (!IsPickingCell() || size <= 0) return;
  cellSize = size;
  RkSheetSizes::Instance().Remember(sheetPath, size);
}

void RkFileDialog::PickCell(int column, int row) {
  if (!IsPickingCell()) return;
  if (column < 0 || row < 0 || column >= RkSheetGrid::ColumnsOf(sheetWidth, cellSize) ||
      row >= RkSheetGrid::RowsOf(sheetHeight, cellSize)) {
    error = "That cell lies outside the sheet.";
    return;
  }
  Choose(RkSheetCell::Compose(sheetPath, column, row, cellSize));
}

void RkFileDialog::UseWholeImage() {
  if (IsPickingCell()) Choose(sheetPath);
}

void RkFileDialog::BackToFiles() {
  sheetPath.clear();
  sheetTexture.reset();
  error.clear();
}

void RkFileDialog::Choose(const std::string& path) {
  if (path.size() >= static_cast<std::string::size_type>(kPathCapacity)) {
    error = "The path is too long: at most 499 characters fit.";
    return;
  }
  chosenPath = path;
  error.clear();
  state = State::Chosen;
}

void RkFileDialog::Cancel() {
  if (state == State::Choosing) {
    state = State::Cancelled;
    chosenPath.clear();
  }
}

bool RkFileDialog::MatchesFilter(const std::string& fileName, const char* patterns) {
  const std::string list(patterns);
  std::string::size_type start = 0;
  while (start <= list.size()) {
    std::string::size_type end = list.find(';', start);
    if (end == std::string::npos) {
      end = list.size();
    }
    const std::string pattern = list.substr(start, end - start);
    if (pattern == "*.*" || MatchesPattern(fileName.c_str(), pattern.c_str())) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

// Glob matching with backtracking over the last "*" only, which suffices for
// patterns that have no "[...]" classes.
bool RkFileDialog::MatchesPattern(const char* name, const char* pattern) {
  const char* starPattern = nullptr;
  const char* starName = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      starPattern = ++pattern;
      starName = name;
    } else if (*pattern == '?' || (*pattern != '\0' && FoldCase(*pattern) == FoldCase(*name))) {
      ++pattern;
      ++name;
    } else if (starPattern != nullptr) {
      pattern = starPattern;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*pattern == '*') {
    ++pattern;
  }
  return *pattern == '\0';
}

std::string RkFileDialog::MakePortablePath(const std::string& absolutePath,
                                           const std::string& workingDirectory) {
  const fs::path chosen = fs::path(absolutePath).lexically_normal();
  const fs::path base = fs::path(workingDirectory).lexically_normal();
  fs::path relative = chosen.lexically_relative(base);
  if (IsUnder(relative)) {
    return relative.generic_string();
  }
  // The same file may be reached through a symbolic link of either path.
  std::error_code failure;
  const fs::path realChosen = fs::weakly_canonical(chosen, failure);
  const fs::path realBase = fs::weakly_canonical(base, failure);
  if (!failure) {
    relative = realChosen.lexically_relative(realBase);
    if (IsUnder(relative)) {
      return relative.generic_string();
    }
  }
  return chosen.generic_string();
}

void RkFileDialog::Draw() {
  if (state != State::Choosing) {
    return;
  }
  if (!ImGui::IsPopupOpen(kPopupTitle)) {
    ImGui::OpenPopup(kPopupTitle);
  }
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(display.x * 0.5f, display.y * 0.5f), ImGuiCond_Appearing,
                          ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(520, 400), ImGuiCond_Appearing);
  if (!ImGui::BeginPopupModal(kPopupTitle, nullptr,
                              ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoSavedSettings)) {
    return;
  }
  if (IsPickingCell()) {
    DrawCellPage();
  } else {
    ImGui::TextUnformatted("Look in:");
    ImGui::SameLine();
    ImGui::TextUnformatted(folder.c_str());
    DrawEntryList();
    DrawPathAndFilter();
    DrawButtons();
  }
  if (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) {
    Cancel();
  }
  if (state != State::Choosing) {
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

void RkFileDialog::DrawEntryList() {
  const float rowsBelow = ImGui::GetFrameHeightWithSpacing() * 3.0f + ImGui::GetTextLineHeight();
  ImGui::BeginChild("##entries", ImVec2(0, -rowsBelow), true);
  // Entries change when a folder opens, so the list is walked on a copy.
  const std::vector<Entry> shown = entries;
  for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
    const std::string label = shown[i].isFolder ? "[" + shown[i].name + "]" : shown[i].name;
    ImGui::PushID(i);
    if (ImGui::Selectable(label.c_str(), i == selectedEntry, ImGuiSelectableFlags_AllowDoubleClick)) {
      if (ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
        DoubleClick(i);
      } else {
        Click(i);
      }
    }
    ImGui::PopID();
    if (state != State::Choosing || entries.size() != shown.size()) {
      break;
    }
  }
  ImGui::EndChild();
}

void RkFileDialog::DrawPathAndFilter() {
  ImGui::TextUnformatted("File name:");
  ImGui::SameLine(110);
  ImGui::SetNextItemWidth(-1);
  // The field asks for the keyboard until it has it: a popup's first frame may
  // be a hidden one that drops the request.
  if (focusPathField) {
    ImGui::SetKeyboardFocusHere();
  }
  if (ImGui::InputText("##path", pathField, kPathCapacity, ImGuiInputTextFlags_EnterReturnsTrue)) {
    Accept();
    focusPathField = state == State::Choosing;
  } else if (ImGui::IsItemActive()) {
    focusPathField = false;
  }
  ImGui::TextUnformatted("Files of type:");
  ImGui::SameLine(110);
  ImGui::SetNextItemWidth(-1);
  const std::string current = filters.empty() ? std::string()
                                              : std::string(filters[filterIndex].description) +
                                                    " (" + filters[filterIndex].pattern + ")";
  if (ImGui::BeginCombo("##filter", current.c_str())) {
    for (int i = 0; i < static_cast<int>(filters.size()); ++i) {
      const std::string label = std::string(filters[i].description) + " (" + filters[i].pattern + ")";
      if (ImGui::Selectable(label.c_str(), i == filterIndex)) {
        SetFilterIndex(i);
      }
    }
    ImGui::EndCombo();
  }
}

// The sheet's grid: a click picks a cell (a drag picks the cell it began on).
void RkFileDialog::DrawCellPage() {
  ImGui::TextWrapped("%s is a tile sheet. Click the cell to use, or use the whole image.", sheetPath.c_str());
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted("Cells of");
  ImGui::SameLine();
  ImGui::SetNextItemWidth(90.0f);
  const std::string sizeLabel = std::to_string(cellSize) + " px";
  if (ImGui::BeginCombo("##cellsize", sizeLabel.c_str())) {
    for (const int size : RkSheetSizes::kChoices) {
      if (size > 0 && ImGui::Selectable((std::to_string(size) + " px").c_str(), size == cellSize)) SetCellSize(size);
    }
    ImGui::EndCombo();
  }
  if (sheetTexture == nullptr && sheetRenderer != nullptr) {
    sheetTexture = RkTextureCache::Instance().AcquireSheet(sheetRenderer, sheetPath.c_str(), false);
  }
  SDL_Texture* texture = sheetTexture != nullptr ? sheetTexture->Get() : nullptr;
  ImGui::BeginChild("##sheet", ImVec2(0, -ImGui::GetFrameHeightWithSpacing() * 1.5f), true,
                    ImGuiWindowFlags_HorizontalScrollbar);
  RkSheetGrid::Block block;
  if (texture == nullptr) {
    ImGui::TextUnformatted("The sheet cannot be read.");
  } else if (grid.Draw(sheetPath, texture, sheetWidth, sheetHeight, cellSize, nullptr, true, block)) {
    PickCell(block.column, block.row);
  }
  ImGui::EndChild();
  if (ImGui::Button("Use Whole Image", ImVec2(130, 0))) UseWholeImage();
  ImGui::SameLine();
  if (ImGui::Button("Back", ImVec2(90, 0))) BackToFiles();
  ImGui::SameLine();
  if (ImGui::Button("Cancel", ImVec2(90, 0))) Cancel();
  if (!error.empty()) {
    ImGui::SameLine();
    ImGui::TextColored(ImVec4(1.0f, 0.4f, 0.4f, 1.0f), "%s", error.c_str());
  }
}

void RkFileDialog::DrawButtons() {
  if (ImGui::Button("Open", ImVec2(90, 0))) {
    Accept();
  }
  ImGui::SameLine();
  if (ImGui::Button("Cancel", ImVec2(90, 0))) {
    Cancel();
  }
  if (!error.empty()) {
    ImGui::SameLine();
    ImGui::TextColored(ImVec4(1.0f, 0.4f, 0.4f, 1.0f), "%s", error.c_str());
  }
}
