// The cell size that the tile palette and Load Sprite show each tile sheet with,
// as the user chose it, kept in "TileSheets.ini" in the editor's folder: one
// "path = size" line per sheet, size 0 for an image shown whole. An image
// without a line is a sheet of 32-pixel cells when it is at least four such
// cells wide or high (128 pixels), else a whole image, as before sheets existed:
// a 64-pixel picture used as one tile stays one tile.
//
// The file is the editor's own (the game never reads it); a line it does not
// understand is passed over, and a save that fails keeps the choice for this
// session only: a preference is not worth a notice.
#pragma once

#include <map>
#include <string>

class RkSheetSizes {
 public:
  static constexpr const char* kFileName = "TileSheets.ini";
  static constexpr int kChoiceCount = 6;
  // "Whole image", then the cell sizes on offer.
  static constexpr int kChoices[kChoiceCount] = {0, 16, 24, 32, 48, 64};

  // The editor's sizes, read from the working folder on first use (and again
  // when the working folder changed).
  static RkSheetSizes& Instance();

  // The size to show the image at path with: the remembered one, else the
  // default for an image of width by height pixels.
  int SizeOf(const std::string& path, int width, int height);
  // Remembers the choice and writes the file.
  void Remember(const std::string& path, int size);
  static int DefaultSize(int width, int height);

 private:
  void LoadIfNeeded();
  bool Save() const;

  std::string folder;  // the working folder the sizes were read in
  std::map<std::string, int> sizes;
};
