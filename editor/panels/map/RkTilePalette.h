// The tile palette: the ImGui tool window "Tile Palette" that shows the images
// under the working folder, folder by folder, as 32 by 32 thumbnails with the
// file's path on hover. A click on one chooses it as the tile image exactly as
// Load Sprite does (RkMapEditorActions::UseTileImage, preview and notice
// included). The thumbnails are the texture cache's own 32 by 32 textures, the
// ones the canvas draws, decoded only when first scrolled into view; a changed
// file shows anew here as on the canvas.
//
// A tile sheet (an image holding several cells, see RkSheetSizes) shows as a
// grid of its cells (RkSheetGrid) with its cell size beside its name; a click on
// a cell picks "sheet.png#2,1" as the tile image, a drag over several cells picks
// the block, which the canvas paints as a block. A right click on a thumbnail
// or the size list switches an image between whole and sheet; the choice is
// remembered per sheet.
//
// Like the panels, the state is plain: Scan lists the files, Pick records a
// click (Draw or a test), and RkEngine takes it with TakePick on its next pass.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "RkSheetGrid.h"

struct SDL_Renderer;
class RkTexture;

class RkTilePalette {
 public:
  static constexpr const char* kWindowTitle = "Tile Palette";
  static constexpr int kThumbnailSize = 32;
  // A folder of the working tree holding more is still listed, up to this many
  // images in all, so that opening the palette in a huge tree stays quick.
  static constexpr size_t kMaxImages = 5000;

  // The images of one folder, as paths relative to the working folder (the
  // form the file dialog gives), sorted by name.
  struct Folder {
    std::string name;  // "." for the working folder itself
    std::vector<std::string> images;
  };

  RkTilePalette();
  ~RkTilePalette();
  RkTilePalette(const RkTilePalette&) = delete;
  RkTilePalette& operator=(const RkTilePalette&) = delete;

  bool IsOpen() const { return open; }
  // Opens the window and lists the images afresh.
  void Open();
  // Closes it and lets the thumbnails go.
  void Close();
  // Lists the images under the working folder (also the window's Refresh).
  void Scan();
  const std::vector<Folder>& GetFolders() const { return folders; }

  // What a click picked: an image, or the top-left cell of a block of a sheet's
  // cells with the block's size.
  struct Picked {
    std::string path;
    int columns = 1;
    int rows = 1;
  };
  void Pick(const std::string& path) { picked = Picked{path, 1, 1}; }
  void PickBlock(const std::string& path, int columns, int rows) { picked = Picked{path, columns, rows}; }
  // The image clicked since the last call; an empty path when none was.
  Picked TakePick();

  // Draws the window; the thumbnail of currentImage (the panel's tile image) is
  // framed. canPaint false (no map panel open) greys the thumbnails out.
  // Between ImGui::NewFrame and ImGui::Render.
  void Draw(SDL_Renderer* renderer, const char* currentImage, bool canPaint);

 private:
  void DrawFolder(SDL_Renderer* renderer, const Folder& folder, const std::string& currentImage, bool canPaint);
  void DrawThumbnail(SDL_Renderer* renderer, const std::string& path, bool current, bool canPaint);
  // The cache's texture for the path, read on first sight; null when it does not read.
  RkTexture* Thumbnail(SDL_Renderer* renderer, const std::string& path);
  // The cell size the image shows with (0: whole, also for an image that does
  // not measure), measuring it from its header on first sight.
  int CellSizeOf(const std::string& path);
  void DrawSheet(SDL_Renderer* renderer, const std::string& path, int size, const std::string& currentImage,
                 bool canPaint);
  // The right-click menu and the size list: whole image or cells of a size.
  void ChooseCellSize(const std::string& path, int size);
  bool DrawCellSizeCombo(const std::string& path, int size);

  bool open = false;
  bool placeWindow = false;
  std::vector<Folder> folders;
  bool truncated = false;
  Picked picked;
  RkSheetGrid grid;
  struct Measure {
    int width = 0;
    int height = 0;
    int cellSize = 0;  // as RkSheetSizes gave it, kept for the frames to come
  };
  std::map<std::string, Measure> measures;  // image sizes by path, read from the headers
  // Held while the window is open, so the cache keeps them (and renews them when
  // their files change).
  std::map<std::string, std::shared_ptr<RkTexture>> thumbnails;
  std::map<std::string, std::shared_ptr<RkTexture>> sheets;  // at their own size
  std::set<std::string> unreadable;
};
