// The editor benchmarks' common start: an editor offscreen in a scratch folder
// of its own. Header-only, since every bench_*.cpp is a program of its own.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "RkEngine.h"
#include "RkNotice.h"

// An editor started offscreen in a scratch folder that is the working folder
// while it lives and is removed after it. The folder holds grass.png, the map
// editor panel is open with that image loaded through Load Sprite (the file
// chooser always answers it) and "Open" checked, and the mouse button is up.
class BenchEditorFolder {
 public:
  // One cell of a map made by FillMap.
  struct Cell {
    int kind;
    const char* image;
  };

  // pattern names the folder, ending in XXXXXX (see mkdtemp).
  explicit BenchEditorFolder(std::string pattern) : previous(std::filesystem::current_path()) {
    folder = mkdtemp(pattern.data());
    std::filesystem::current_path(folder);
    SaveTileImage("grass.png", 40, 160, 40);
    SetNoticeHandler([](const std::string&, const char*) {});
    engine = std::make_unique<RkEngine>();
    engine->InitializeOffscreen();
    engine->SetFileChooser([](const RkFileDialog::FilterList&, std::string& path) {
      path = "grass.png";
      return true;
    });
    engine->HandleMenuCommand(RkEngine::CommandMapEditor);
    engine->GetMapEditor().Click(RkMapEditor::Button::LoadSprite);
    engine->PollMapEditor();
    engine->GetMapEditor().SetPaintingChoice(RkMapEditor::ChoiceOpen);
    // The button goes up after the dialog, before the first stroke.
    engine->GetInput().SetMouseState(RkMouseState{});
    engine->PlaceCursor(0, 0);
  }
  ~BenchEditorFolder() {
    engine.reset();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
  }
  BenchEditorFolder(const BenchEditorFolder&) = delete;
  BenchEditorFolder& operator=(const BenchEditorFolder&) = delete;

  // A 32 by 32 tile image of one colour, written into the working folder.
  static void SaveTileImage(const char* path, Uint8 red, Uint8 green, Uint8 blue) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, red, green, blue));
    IMG_SavePNG(surface, path);
    SDL_FreeSurface(surface);
  }

  // A map of width by height cells made directly through the world and the
  // renderer, each cell of the kind and image cellAt(x, y) gives and with its
  // tile sprite, as painting would leave it; a New Area cell leads to cave.rkm.
  template <typename CellAt>
  void FillMap(int width, int height, CellAt cellAt) {
    RkWorld& world = engine->GetWorld();
    world.Grow(width - 1, height - 1);
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        const Cell cell = cellAt(x, y);
        world.SetTileType(x, y, cell.kind);
        world.SetTileImageFile(x, y, cell.image);
        if (cell.kind == TileNewArea) world.SetTileNewArea(x, y, "cave.rkm", 1, 1);
        engine->GetRenderer().AddSprite(cell.image, 32.0f * x, 32.0f * y, 32, 32, 0, 0);
      }
    }
  }

  std::unique_ptr<RkEngine> engine;

 private:
  std::filesystem::path previous;
  std::string folder;
};
