// The launcher and the player's README of an exported game.
#include "RkExportReadme.h"

std::string RkExportReadme::PlayScript(const std::string& program) {
  return "#!/bin/sh\n"
         "# Starts the game in this folder, where it finds its maps, images and\n"
         "# libraries, from whatever folder this is called. The program's run path\n"
         "# finds lib/; the search path also serves the libraries that name a run\n"
         "# path of their own (PulseAudio's), for which the program's is not read.\n"
         "cd \"$(dirname \"$(readlink -f \"$0\")\")\" || exit 1\n"
         "LD_LIBRARY_PATH=\"$PWD/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}\"\n"
         "export LD_LIBRARY_PATH\n"
         "exec ./" + program + " \"$@\"\n";
}

std::string RkExportReadme::Readme(const Contents& contents) {
  std::string text = contents.title + "\n" + std::string(contents.title.size(), '=') + "\n\n";
  text +=
      "To play, run ./play in this folder (or start it from a file manager).\n"
      "The game opens a 640 by 480 window.\n\n"
      "Keys\n"
      "  Arrow keys        walk one cell; toward a person or a wall, turn to face it\n"
      "  Space or Return   talk to the person you face; show the next page\n"
      "  Up and Down       choose an answer (marked >); Space or Return takes it\n"
      "  Escape            end a conversation; outside one, end the game\n\n"
      "What this folder holds\n";
  text += "  play              starts the game\n";
  text += "  " + contents.program + std::string(contents.program.size() < 18 ? 18 - contents.program.size() : 1, ' ') +
          "the game program\n";
  std::string maps;
  for (const std::string& map : contents.maps) maps += (maps.empty() ? "" : ", ") + map;
  text += "  maps              " + maps + "\n";
  text += "  images            " + std::to_string(contents.imageCount) + " image files, where the maps name them\n";
  if (contents.npcLibrary) text += "  NPCs.rk           what the people of the maps say\n";
  if (contents.settings) text += "  Game.ini          the game's title, first map, start and hero\n";
  if (!contents.font.empty()) text += "  " + contents.font + "\n                    the font of the game's texts\n";
  text += "  lib/              the libraries the game draws, reads images and writes\n"
          "                    texts with (SDL2, SDL2_image, SDL2_ttf, FreeType and\n"
          "                    what they use):\n";
  for (const std::string& library : contents.libraries) text += "                    " + library + "\n";
  text +=
      "\nWhat your system needs\n"
      "A 64-bit Linux desktop like Debian 12 (X11 or Xwayland). The game uses the\n"
      "system's C library and the X11 client libraries; on a minimal Debian 12 they\n"
      "are: apt-get install libx11-6 libxext6 libxcursor1 libxi6 libxrandr2 libxss1\n"
      "libxfixes3 libxkbcommon0\n";
  return text;
}
