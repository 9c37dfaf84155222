// The demo maps as character layouts, one character a cell, turned into
// worlds through RkWorld's editing operations and saved as .rkm files.
#include "DemoWorldBuilder.h"

#include <map>

#include "PixelArt.h"
#include "RkGameSettings.h"
#include "RkNPCList.h"
#include "RkWorld.h"

namespace {

// What one layout character puts on a cell.
struct CellKind {
  int type;
  const char* image;
};

// A New Area cell: its image, the map it leads to and the start cell there.
struct Link {
  char symbol;
  const char* image;
  const char* map;
  int startX;
  int startY;
};

struct Response {
  const char* text;
  int nextId;
};

struct Line {
  int id;
  const char* text;
  std::vector<Response> responses;
};

// Where a character's dialogues are written: with it on the map, or only in
// the NPC library, as an NPC placed by the editor has them (the game then
// takes its namesake's).
enum class Speaks { OnMap, FromLibrary };

struct Character {
  const char* name;
  int x;
  int y;
  const char* image;
  int type;
  std::vector<Line> dialogues;
  Speaks speaks = Speaks::OnMap;
};

struct MapLayout {
  const char* fileName;
  std::vector<std::string> rows;
  std::vector<Link> links;
  std::vector<Character> characters;
};

const std::map<char, CellKind>& Legend() {
  static const std::map<char, CellKind> legend = {
      {'g', {TileOpen, PixelArt::kGrass}},     {'f', {TileOpen, PixelArt::kFlowers}},
      {'.', {TileOpen, PixelArt::kPath}},      {'_', {TileOpen, PixelArt::kFloor}},
      {'~', {TileImpassable, PixelArt::kWater}}, {'#', {TileImpassable, PixelArt::kWall}},
      {'T', {TileImpassable, PixelArt::kTree}},
      // Cells of the garden sheet: a pond of four cells, a bush, a rock, cobbles, mushrooms.
      {'1', {TileImpassable, PixelArt::kPondTopLeft}},  {'2', {TileImpassable, PixelArt::kPondTopRight}},
      {'3', {TileImpassable, PixelArt::kPondBottomLeft}}, {'4', {TileImpassable, PixelArt::kPondBottomRight}},
      {'b', {TileImpassable, PixelArt::kBush}},          {'o', {TileImpassable, PixelArt::kRock}},
      {'c', {TileOpen, PixelArt::kCobbles}},              {'m', {TileOpen, PixelArt::kMushrooms}},
  };
  return legend;
}

const std::vector<MapLayout>& Layouts() {
  static const std::vector<MapLayout> layouts = {
      {"World.rkm",
       {
           "..ggggggggfgggggggggTTTT",
           "g.ggggggggggT#####gggTTT",
           "g.ggfggggggTT#####ggggTT",
           "g.ggggggggggg##D##gggggT",
           "g......................E",
           "ggggggg.gggggggggggfgggg",
           "gggfggg.gggggggggggggggT",
           "gg~~~gg.gggggfggggggggTT",
           "g~~~~~g.gggggggggggggggT",
           "g~~~~~g.ggggggggTTgggggg",
           "gg~~~gg.......gggTgggggg",
           "gggggggggfggg.gggggggfgg",
           "ggTTgggggggggg.......ggg",
           "gTTTTggfgob12mggggg.gggg",
           "ggTTgggggcc34ggfggg..ggg",
           "gggggggggggmgggggggg.ggg",
           "TTggfgggggggggggggggg.gg",
           "TTTgggggggggggggggggggfg",
       },
       {
           {'D', PixelArt::kDoor, "House.rkm", 4, 6},
           {'E', PixelArt::kPath, "Grove.rkm", 1, 5},
       },
       {
           {"Rowan",
            0, 1, PixelArt::kGuard, NPCStatic,
            {{0, "Welcome to Ember Hollow, traveller! I keep watch on this corner of the village. What brings you here?",
              {{"I seek the embers.", 1}, {"Just passing through.", 2}}},
             {1, "The embers! Old Tobin in the stone house knows the old tales. Shall I tell you the way?",
              {{"Yes, please.", 3}, {"I will find it myself.", 4}}},
             {2, "Then enjoy the flowers, and mind the pond. It is colder than it looks.", {}},
             {3, "Follow the path down, then east along the road. The stone house has a red door.", {}},
             {4, "Bold! I like that. Off you go, then.", {}}},
            Speaks::FromLibrary},
           {"Bram",
            16, 5, PixelArt::kGuard, NPCStatic,
            {{0, "Halt! Who goes there?", {{"A friend.", 1}, {"Nobody.", 2}}},
             {1, "Then welcome to Ember Hollow. Need anything?", {{"Where does Old Tobin live?", 3}, {"No, thanks.", 4}}},
             {2, "Nobody? Odd. Move along, then.", {}},
             {3, "In the stone house behind me. Knock loudly, he is hard of hearing.", {}},
             {4, "Suit yourself.", {}}}},
           {"Mira",
            10, 6, PixelArt::kVillager, NPCNormal,
            {{0, "Lovely morning, isn't it?", {{"It is.", 1}, {"Where does the path lead?", 2}}},
             {1, "The flowers came out early this year.", {}},
             {2, "East, to the grove. Mind the trees.", {}}}},
           {"Pip", 18, 11, PixelArt::kChild, NPCNormal, {{0, "Catch me if you can!", {}}}},
           {"Tess", 9, 15, PixelArt::kVillager, NPCNormal, {{0, "The pond is too cold for swimming.", {}}}},
       }},
      {"House.rkm",
       {
           "##########",
           "#________#",
           "#________#",
           "#________#",
           "#________#",
           "#________#",
           "#________#",
           "####D#####",
       },
       {
           {'D', PixelArt::kDoor, "World.rkm", 15, 4},
       },
       {
           {"Old Tobin",
            2, 2, PixelArt::kElder, NPCStatic,
            {{0, "Ah, a visitor. Sit, sit.", {{"Tell me about the hollow.", 1}, {"Goodbye.", 2}}},
             {1, "Embers glow under its hills, they say. Nobody has found one yet.", {{"I will.", 2}}},
             {2, "Mind the door on your way out.", {}}}},
           {"Nell", 7, 3, PixelArt::kChild, NPCNormal, {{0, "Grandpa tells the same story every day.", {}}}},
       }},
      {"Grove.rkm",
       {
           "TTTTTTTTTTTTTTTT",
           "TgggfggggTTggggT",
           "Tgg~~~gggggggfgT",
           "Tg~~~~~ggggggggT",
           "Tgg~~~ggggfggggT",
           "H......gggggTggT",
           "Tggggg.gggggggTT",
           "Tgfgggg.....gggT",
           "TggTTggggfg.gggT",
           "TgggggggggggggfT",
           "TTggggfgggggggTT",
           "TTTTTTTTTTTTTTTT",
       },
       {
           {'H', PixelArt::kPath, "World.rkm", 22, 4},
       },
       {
           {"Fern", 10, 9, PixelArt::kVillager, NPCNormal, {{0, "Shh. The deer are grazing.", {}}}},
           {"Ash",
            13, 2, PixelArt::kElder, NPCStatic,
            {{0, "Few walk this far.", {{"I was curious.", 1}}},
             {1, "Curiosity is the best of reasons. The path home is to the west.", {}}}},
       }},
  };
  return layouts;
}

const Link* FindLink(const MapLayout& layout, char symbol) {
  for (const Link& link : layout.links) {
    if (link.symbol == symbol) return &link;
  }
  return nullptr;
}

void PaintCell(RkWorld& world, const MapLayout& layout, int x, int y) {
  const char symbol = layout.rows[y][x];
  if (const Link* link = FindLink(layout, symbol)) {
    world.SetTileType(x, y, TileNewArea);
    world.SetTileImageFile(x, y, link->image);
    world.SetTileNewArea(x, y, link->map, link->startX, link->startY);
    return;
  }
  const auto kind = Legend().find(symbol);
  if (kind == Legend().end()) return;  // unknown symbols stay Null, without an image
  world.SetTileType(x, y, kind->second.type);
  world.SetTileImageFile(x, y, kind->second.image);
}

void PlaceCharacter(RkWorld& world, const Character& character) {
  world.SetNPC(character.name, character.x, character.y, character.image, character.type);
  if (character.speaks == Speaks::FromLibrary) return;
  RkNPC& npc = world.GetNPC(world.GetNPCCount() - 1);
  for (const Line& line : character.dialogues) {
    npc.AddDialogue(line.id, line.text);
    for (const Response& response : line.responses) {
      npc.AddResponse(line.id, response.text, response.nextId);
    }
  }
}

void BuildMap(RkWorld& world, const MapLayout& layout) {
  const int height = static_cast<int>(layout.rows.size());
  const int width = static_cast<int>(layout.rows.front().size());
  world.Grow(width - 1, height - 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width && x < static_cast<int>(layout.rows[y].size()); ++x) {
      PaintCell(world, layout, x, y);
    }
  }
  for (const Character& character : layout.characters) PlaceCharacter(world, character);
}

}  // namespace

std::vector<std::string> DemoWorldBuilder::MapNames() {
  std::vector<std::string> names;
  for (const MapLayout& layout : Layouts()) names.push_back(layout.fileName);
  return names;
}

void DemoWorldBuilder::WriteNPCLibrary(const std::string& folder) {
  // Built through the NPC list's own operations, as the NPC editor would.
  RkNPCList library;
  for (const MapLayout& layout : Layouts()) {
    for (const Character& character : layout.characters) {
      library.SaveNPC(character.name, character.image);
      for (const Line& line : character.dialogues) {
        library.AddDialogue(character.name, line.id, line.text);
        for (const Response& response : line.responses) {
          library.AddResponse(character.name, line.id, response.text, response.nextId);
        }
      }
    }
  }
  library.SaveNPCFile((folder + "/" + RkNPCList::kFileName).c_str());
}

void DemoWorldBuilder::WriteMaps(const std::string& folder) {
  for (const MapLayout& layout : Layouts()) {
    RkWorld world;
    BuildMap(world, layout);
    world.Save((folder + "/" + layout.fileName).c_str());
  }
}

// The demo names its title and hero in a settings file, so that a newcomer
// finds the file to start a game of their own from; the first map and the
// start are left at their defaults (shown as comments), so the demo starts
// as the game always has. Fatal on a failed write.
void DemoWorldBuilder::WriteSettings(const std::string& folder) {
  const RkGameSettings settings = RkGameSettings::Parse(
      std::string("# Game.ini: the game's own settings, read when it starts. A setting left out keeps its default:\n"
                  "# map = World.rkm      (the first map)\n"
                  "# start = 0, 0         (the player's first cell on it: column, row)\n"
                  "title = ") +
      RkGameSettings::kDefaultTitle + "\nplayer = " + PixelArt::kPlayer + "\n");
  if (std::optional<RkFailure> failure = settings.TryWrite(folder)) failure->Report();
}

bool DemoWorldBuilder::WriteImages(const std::string& folder) {
  for (const std::string& path : PixelArt::ImagePaths()) {
    if (!PixelArt::Write(path, folder)) return false;
  }
  return true;
}
