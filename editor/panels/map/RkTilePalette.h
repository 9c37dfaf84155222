// The tile palette: the ImGui tool window "Tile Palette" that shows the images
// under the working folder, folder by folder, as 32 by 32 thumbnails with the
// file's path on hover. A click on one chooses it as the tile image exactly as
// Load Sprite does (RkMapEditorActions::UseTileImage, preview and notice
// included). The thumbnails are the texture cache's own 32 by 32 textures, the
// ones the canvas draws, decoded only when first scrolled into view; a changed
// file shows anew here as on the canvas.
//
// Like the panels, the state is plain: Scan lists the files, Pick records a
// click (Draw or a test), and RkEngine takes it with TakePick on its next pass.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

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

  void Pick(const std::string& path) { picked = path; }
  // The image clicked since the last call, or "" when none was.
  std::string TakePick();

  // Draws the window; the thumbnail of currentImage (the panel's tile image) is
  // framed. canPaint false (no map panel open) greys the thumbnails out.
  // Between ImGui::NewFrame and ImGui::Render.
  void Draw(SDL_Renderer* renderer, const char* currentImage, bool canPaint);

 private:
  void DrawFolder(SDL_Renderer* renderer, const Folder& folder, const std::string& currentImage, bool canPaint);
  void DrawThumbnail(SDL_Renderer* renderer, const std::string& path, bool current, bool canPaint);
  // The cache's texture for the path, read on first sight; null when it does not read.
  RkTexture* Thumbnail(SDL_Renderer* renderer, const std::string& path);

  bool open = false;
  bool placeWindow = false;
  std::vector<Folder> folders;
  bool truncated = false;
  std::string picked;
  // Held while the window is open, so the cache keeps them (and renews them when
  // their files change).
  std::map<std::string, std::shared_ptr<RkTexture>> thumbnails;
  std::set<std::string> unreadable;
};
