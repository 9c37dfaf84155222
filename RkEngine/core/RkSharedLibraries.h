// The shared libraries that an exported game carries beside its program: what
// the program needs, as the system's loader resolves it (ldd), less what every
// Debian 12 desktop has by itself (the C library and its loader, the C++
// runtime, the X11 and OpenGL libraries, which belong to the player's display
// and drivers). SDL2, SDL2_image, SDL2_ttf, FreeType, fontconfig and what they
// pull in stay.
#pragma once

#include <string>
#include <vector>

class RkSharedLibraries {
 public:
  struct Library {
    std::string name;  // the name the loader asks for ("libSDL2-2.0.so.0")
    std::string file;  // where this machine has it
  };

  // False, with the reason in error, when the libraries cannot be listed or
  // one of them is missing on this machine.
  static bool ListCarried(const std::string& program, std::vector<Library>& libraries, std::string& error);

  // ldd's lines ("\tlibSDL2-2.0.so.0 => /lib/x86_64-linux-gnu/libSDL2-2.0.so.0 (0x...)")
  // to the libraries to carry; a library that is "not found" is an error.
  static bool ParseLoaderList(const std::string& lines, std::vector<Library>& libraries, std::string& error);
  // Whether a library of that name travels with the game.
  static bool IsCarried(const std::string& name);
};
