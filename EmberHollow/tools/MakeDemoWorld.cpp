// Draws and writes the bundled demo world into a folder (default "demo"):
//   MakeDemoWorld [folder]
// The repository keeps its output in demo/; run it again after changing the
// layouts or the pixel art, and commit the result.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "DemoWorldBuilder.h"
#include "RkGameSettings.h"
#include "RkNPCList.h"

int main(int argc, char** argv) {
  // An option (--help or a mistyped one) is never taken for the folder to write into.
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    const bool asked = argc == 2 && std::string(argv[1]) == "--help";
    std::fprintf(asked ? stdout : stderr, "Usage: MakeDemoWorld [folder]\n");
    return asked ? 0 : 2;
  }
  const std::string folder = argc > 1 ? argv[1] : "demo";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "Cannot make the folder %s: %s\n", folder.c_str(), error.message().c_str());
    return 1;
  }
  if (!DemoWorldBuilder::WriteImages(folder)) {
    std::fprintf(stderr, "Cannot write the images: %s\n", IMG_GetError());
    return 1;
  }
  DemoWorldBuilder::WriteMaps(folder);
  DemoWorldBuilder::WriteNPCLibrary(folder);
  DemoWorldBuilder::WriteSettings(folder);
  for (const std::string& name : DemoWorldBuilder::MapNames()) {
    std::printf("%s/%s\n", folder.c_str(), name.c_str());
  }
  std::printf("%s/%s\n", folder.c_str(), RkNPCList::kFileName);
  std::printf("%s/%s\n", folder.c_str(), RkGameSettings::kFileName);
  return 0;
}
