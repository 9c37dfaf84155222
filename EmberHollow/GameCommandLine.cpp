// Reading the game's command line.
#include "GameCommandLine.h"

#include "RkGameSettings.h"

namespace {

constexpr const char* kUsageLine = "Usage: EmberHollow [--map FILE] [--start X,Y]  (EmberHollow --help tells more)\n";
constexpr const char* kUsage =
    "Usage: EmberHollow [--map FILE] [--start X,Y]\n"
    "Plays the game in the working folder: the first map and the player's first cell come from\n"
    "Game.ini when the folder has one, else World.rkm and its cell 0,0.\n"
    "\n"
    "  --map FILE    start on the map FILE instead (found like the maps of New Area cells);\n"
    "                the player starts on its cell 0,0 unless --start says otherwise\n"
    "  --start X,Y   put the player on cell X,Y (column, row) of the first map\n"
    "  --help, -h    show this text and end\n"
    "\n"
    "Without arguments the game plays as it always does. A bad argument ends it with exit code 2.\n";

// "--map=FILE" and "--map FILE" both give FILE.
void SplitOption(const std::string& argument, std::string& name, std::string& value, bool& hasValue) {
  const std::size_t equals = argument.find('=');
  hasValue = equals != std::string::npos;
  name = hasValue ? argument.substr(0, equals) : argument;
  value = hasValue ? argument.substr(equals + 1) : std::string();
}

}  // namespace

const char* GameCommandLine::Usage() { return kUsage; }
const char* GameCommandLine::UsageLine() { return kUsageLine; }

GameCommandLine GameCommandLine::Parse(int argc, const char* const* argv) {
  GameCommandLine commandLine;
  for (int index = 1; index < argc; ++index) {
    if (!commandLine.TakeOption(argc, argv, index)) break;
  }
  return commandLine;
}

bool GameCommandLine::TakeOption(int argc, const char* const* argv, int& index) {
  std::string name;
  std::string value;
  bool hasValue = false;
  SplitOption(argv[index], name, value, hasValue);
  if (name == "--help" || name == "-h") {
    wantsHelp_ = true;
    return true;
  }
  if (name != "--map" && name != "--start") {
    if (name.compare(0, 1, "-") == 0) return Fail("EmberHollow: unknown option \"" + name + "\"");
    return Fail(std::string("EmberHollow: unexpected argument \"") + argv[index] + "\"");
  }
  if (!hasValue && index + 1 < argc) {
    value = argv[++index];
    hasValue = true;
  }
  if (name == "--map") {
    if (hasMap_) return Fail("EmberHollow: --map is given twice");
    if (!hasValue || value.empty()) return Fail("EmberHollow: --map needs a map file, such as --map World.rkm");
    hasMap_ = true;
    map_ = value;
    return true;
  }
  if (hasStart_) return Fail("EmberHollow: --start is given twice");
  if (!hasValue || !RkGameSettings::ParseCell(value, startX_, startY_)) {
    return Fail("EmberHollow: --start needs two whole numbers, such as --start 4,7");
  }
  hasStart_ = true;
  return true;
}

bool GameCommandLine::Fail(std::string error) {
  error_ = std::move(error);
  return false;
}
