// Makes the bundled demo world: the village "World.rkm", the house and the
// grove that its New Area cells lead to (and back), with Normal and Static NPCs
// and their dialogues. Maps are written through RkWorld's own editing and save
// operations, images by PixelArt. Used by MakeDemoWorld and by the test that
// regenerates the demo.
#pragma once

#include <string>
#include <vector>

class DemoWorldBuilder {
 public:
  // File names of the maps, relative to the demo folder.
  static std::vector<std::string> MapNames();
  // Writes every map into folder (which must exist); fatal on a failed save.
  static void WriteMaps(const std::string& folder);
  // Writes "NPCs.rk" into folder: every character of the maps as the editor's
  // NPC library, so the editor started in the demo folder can place them.
  static void WriteNPCLibrary(const std::string& folder);
  // Writes "Game.ini" into folder: the demo's title, first map, start and hero.
  static void WriteSettings(const std::string& folder);
  // Writes every image under folder/images; false when one cannot be written.
  static bool WriteImages(const std::string& folder);
};
