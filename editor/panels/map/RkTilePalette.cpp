// The tile palette's listing of the working tree and its ImGui window.
#include "RkTilePalette.h"

#include <imgui.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "RkImageHeader.h"
#include "RkSheetCell.h"
#include "RkSheetSizes.h"
#include "RkTexture.h"
#include "RkTextureCache.h"

namespace fs = std::filesystem;

namespace {

constexpr float kWindowWidth = 300.0f;
constexpr float kWindowHeight = 420.0f;
constexpr float kWindowRightMargin = 10.0f;
constexpr float kWindowTop = 40.0f;
constexpr ImU32 kCurrentFrame = IM_COL32(255, 140, 0, 255);

bool IsImageFile(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".png" || extension == ".bmp" || extension == ".jpg" || extension == ".jpeg" ||
         extension == ".gif" || extension == ".tga";
}

// Hidden folders (".git" and the like) hold no tiles of the game.
bool IsHidden(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.size() > 1 && name[0] == '.';
}

}  // namespace

RkTilePalette::RkTilePalette() = default;
RkTilePalette::~RkTilePalette() = default;

void RkTilePalette::Open() {
  open = true;
  placeWindow = true;
  Scan();
}

void RkTilePalette::Close() {
  open = false;
  thumbnails.clear();
  sheets.clear();
  unreadable.clear();
}

RkTilePalette::Picked RkTilePalette::TakePick() {
  Picked taken;
  std::swap(taken, picked);
  return taken;
}

// Unreadable folders and entries are passed over: the listing never fails.
void RkTilePalette::Scan() {
  std::map<std::string, std::vector<std::string>> byFolder;
  size_t count = 0;
  truncated = false;
  std::error_code error;
  fs::recursive_directory_iterator entry(".", fs::directory_options::skip_permission_denied, error);
  for (const fs::recursive_directory_iterator end; !error && entry != end; entry.increment(error)) {
    if (IsHidden(entry->path())) {
      if (entry->is_directory(error)) entry.disable_recursion_pending();
      continue;
    }
    if (!IsImageFile(entry->path()) || !entry->is_regular_file(error)) continue;
    if (count == kMaxImages) {
      truncated = true;
      break;
    }
    const fs::path relative = entry->path().lexically_relative(".");
    byFolder[relative.parent_path().empty() ? "." : relative.parent_path().generic_string()].push_back(
        relative.generic_string());
    ++count;
  }
  folders.clear();
  for (auto& [name, images] : byFolder) {
    std::sort(images.begin(), images.end());
    folders.push_back(Folder{name, std::move(images)});
  }
  thumbnails.clear();
  sheets.clear();
  measures.clear();
  unreadable.clear();
}

// Measured from the file's header, not decoded: most images are whole tiles.
int RkTilePalette::CellSizeOf(const std::string& path) {
  auto found = measures.find(path);
  if (found == measures.end()) {
    std::string cause;
    const std::optional<RkImageHeader> header = RkImageHeader::ReadFile(path, cause);
    Measure measure;
    // An image that does not measure is shown (and refused) as Load Sprite would.
    if (header && header->IsSupported() && header->GetWidth() <= RkImageHeader::kMaxSide &&
        header->GetHeight() <= RkImageHeader::kMaxSide) {
      measure.width = static_cast<int>(header->GetWidth());
      measure.height = static_cast<int>(header->GetHeight());
      measure.cellSize = RkSheetSizes::Instance().SizeOf(path, measure.width, measure.height);
    }
    found = measures.emplace(path, measure).first;
  }
  return found->second.cellSize;
}

void RkTilePalette::ChooseCellSize(const std::string& path, int size) {
  RkSheetSizes::Instance().Remember(path, size);
  const auto found = measures.find(path);
  if (found != measures.end() && found->second.width > 0) found->second.cellSize = size;
}

// The list beside a sheet's name: "Whole image" or a cell size.
bool RkTilePalette::DrawCellSizeCombo(const std::string& path, int size) {
  static const char* const kLabels[RkSheetSizes::kChoiceCount] = {"Whole image", "16 px cells", "24 px cells",
                                                                   "32 px cells", "48 px cells", "64 px cells"};
  int index = 0;
  for (int i = 0; i < RkSheetSizes::kChoiceCount; ++i) {
    if (RkSheetSizes::kChoices[i] == size) index = i;
  }
  ImGui::SetNextItemWidth(110.0f);
  if (!ImGui::Combo("##cells", &index, kLabels, RkSheetSizes::kChoiceCount)) return false;
  ChooseCellSize(path, RkSheetSizes::kChoices[index]);
  return true;
}

void RkTilePalette::DrawSheet(SDL_Renderer* renderer, const std::string& path, int size,
                              const std::string& currentImage, bool canPaint) {
  ImGui::PushID(path.c_str());
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(fs::path(path).filename().string().c_str());
  ImGui::SameLine();
  DrawCellSizeCombo(path, size);
  auto texture = sheets.find(path);
  if (texture == sheets.end() && renderer != nullptr) {
    texture = sheets.emplace(path, RkTextureCache::Instance().AcquireSheet(renderer, path.c_str(), false)).first;
  }
  SDL_Texture* image = texture != sheets.end() && texture->second != nullptr ? texture->second->Get() : nullptr;
  if (image == nullptr) {
    ImGui::TextDisabled("(this image cannot be read)");
    ImGui::PopID();
    return;
  }
  const RkTexture::Source& sheet = texture->second->GetSource();
  // The panel's tile image, when it is a cell of this sheet at this size, is framed.
  const RkSheetCell current = RkSheetCell::Parse(currentImage);
  RkSheetGrid::Block framed;
  const bool showsCurrent = current.IsCell() && current.GetSheet() == path && current.GetSize() == size;
  framed.column = current.GetColumn();
  framed.row = current.GetRow();
  RkSheetGrid::Block block;
  if (grid.Draw(path, image, sheet.width, sheet.height, size, showsCurrent ? &framed : nullptr, canPaint, block)) {
    PickBlock(RkSheetCell::Compose(path, block.column, block.row, size), block.columns, block.rows);
  }
  ImGui::PopID();
}

RkTexture* RkTilePalette::Thumbnail(SDL_Renderer* renderer, const std::string& path) {
  const auto found = thumbnails.find(path);
  if (found != thumbnails.end()) return found->second.get();
  if (unreadable.count(path) != 0 || renderer == nullptr) return nullptr;
  // The same settings as Load Sprite's check and the canvas's tile sprites.
  std::shared_ptr<RkTexture> texture =
      RkTextureCache::Instance().Acquire(renderer, path.c_str(), kThumbnailSize, kThumbnailSize, false);
  if (texture == nullptr) {
    unreadable.insert(path);
    return nullptr;
  }
  return thumbnails.emplace(path, std::move(texture)).first->second.get();
}

void RkTilePalette::Draw(SDL_Renderer* renderer, const char* currentImage, bool canPaint) {
  if (!open) return;
  if (placeWindow) {
    const float left = ImGui::GetIO().DisplaySize.x - kWindowWidth - kWindowRightMargin;
    ImGui::SetNextWindowPos(ImVec2(left, kWindowTop), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight), ImGuiCond_Always);
    placeWindow = false;
  }
  bool keepOpen = true;
  if (ImGui::Begin(kWindowTitle, &keepOpen, ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoCollapse)) {
    if (ImGui::Button("Refresh")) Scan();
    ImGui::SameLine();
    ImGui::TextDisabled(canPaint ? "A click picks the tile image." : "Open File > Map Editor to paint.");
    if (folders.empty()) ImGui::TextUnformatted("No images under the working folder.");
    if (truncated) ImGui::TextDisabled("Only the first %zu images are shown.", kMaxImages);
    const std::string current = currentImage != nullptr ? currentImage : "";
    for (const Folder& folder : folders) DrawFolder(renderer, folder, current, canPaint);
  }
  ImGui::End();
  if (!keepOpen) Close();
}

// A folder's thumbnails in rows as wide as the window; only those scrolled into
// view are decoded.
void RkTilePalette::DrawFolder(SDL_Renderer* renderer, const Folder& folder, const std::string& currentImage,
                               bool canPaint) {
  ImGui::PushID(folder.name.c_str());
  if (ImGui::CollapsingHeader(folder.name.c_str(), ImGuiTreeNodeFlags_DefaultOpen)) {
    const ImGuiStyle& style = ImGui::GetStyle();
    const float cell = kThumbnailSize + 2 * style.FramePadding.x + style.ItemSpacing.x;
    const int perRow = std::max(1, static_cast<int>((ImGui::GetContentRegionAvail().x + style.ItemSpacing.x) / cell));
    // Whole images flow in rows; a sheet takes the full width, and the row
    // after it starts afresh. An image is measured once it scrolls into view.
    int inRow = 0;
    for (const std::string& image : folder.images) {
      const bool inView = ImGui::IsRectVisible(ImVec2(cell, cell));
      const int size = inView || measures.count(image) != 0 ? CellSizeOf(image) : 0;
      if (size > 0) {
        DrawSheet(renderer, image, size, currentImage, canPaint);
        inRow = 0;
        continue;
      }
      if (inRow % perRow != 0) ImGui::SameLine();
      DrawThumbnail(renderer, image, image == currentImage, canPaint);
      ++inRow;
    }
  }
  ImGui::PopID();
}

void RkTilePalette::DrawThumbnail(SDL_Renderer* renderer, const std::string& path, bool current, bool canPaint) {
  ImGui::PushID(path.c_str());
  const ImVec2 size(kThumbnailSize, kThumbnailSize);
  const ImGuiStyle& style = ImGui::GetStyle();
  const ImVec2 corner = ImGui::GetCursorScreenPos();
  const ImVec2 outer(size.x + 2 * style.FramePadding.x, size.y + 2 * style.FramePadding.y);
  bool clicked = false;
  if (!ImGui::IsRectVisible(outer)) {
    ImGui::Dummy(outer);  // not decoded until it is scrolled into view
  } else if (RkTexture* texture = Thumbnail(renderer, path)) {
    const ImVec4 tint = canPaint ? ImVec4(1, 1, 1, 1) : ImVec4(1, 1, 1, 0.4f);
    clicked = ImGui::ImageButton(reinterpret_cast<ImTextureID>(texture->Get()), size, ImVec2(0, 0), ImVec2(1, 1),
                                 -1, ImVec4(0, 0, 0, 0), tint);
  } else {
    clicked = ImGui::Button("?", outer);
  }
  if (current) {
    ImGui::GetWindowDrawList()->AddRect(corner, ImVec2(corner.x + outer.x, corner.y + outer.y), kCurrentFrame, 0.0f,
                                        0, 2.0f);
  }
  if (ImGui::IsItemHovered()) {
    ImGui::SetTooltip("%s%s", path.c_str(), unreadable.count(path) != 0 ? "\n(this image cannot be read)" : "");
  }
  if (ImGui::BeginPopupContextItem("cells")) {
    for (int i = 1; i < RkSheetSizes::kChoiceCount; ++i) {
      const std::string label = "Show as a sheet of " + std::to_string(RkSheetSizes::kChoices[i]) + " px cells";
      if (ImGui::MenuItem(label.c_str())) ChooseCellSize(path, RkSheetSizes::kChoices[i]);
    }
    ImGui::EndPopup();
  }
  if (clicked && canPaint) Pick(path);
  ImGui::PopID();
}
