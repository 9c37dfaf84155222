// Test support for the browser test: the desktop game's first picture of a
// game's folder, drawn by the game's first pass on the offscreen renderer and
// written as a BMP file.
//   FirstPicture FOLDER PICTURE.bmp
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "EmberHollow.h"
#include "PerformanceCounterClock.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: FirstPicture FOLDER PICTURE.bmp\n", stderr);
    return 2;
  }
  const std::string picture = std::filesystem::absolute(argv[2]).string();
  if (chdir(argv[1]) != 0) {
    std::perror(argv[1]);
    return 2;
  }
  EmberHollow game;
  PerformanceCounterClock clock;
  game.Start(clock, GameTarget::Offscreen);
  game.RunPass(clock);
  if (SDL_SaveBMP(game.GetRenderer().GetSurface(), picture.c_str()) != 0) {
    std::fprintf(stderr, "%s: %s\n", picture.c_str(), SDL_GetError());
    return 1;
  }
  return 0;
}
