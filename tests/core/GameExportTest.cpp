// Export of a game for players on folders made here: what the collection takes
// and leaves, the check that refuses to write, and a folder that is written
// whole or not at all. The game program is /bin/true, which needs no library
// to carry, so the core's tests run without SDL.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "MapRows.h"
#include "RkExportCollector.h"
#include "RkGameExporter.h"
#include "RkNPCList.h"
#include "RkPathResolver.h"
#include "RkSharedLibraries.h"
#include "ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHero = "images/characters/ch_classm32_10.png";

void Touch(const ScratchDirectory& scratch, const std::string& path) {
  fs::create_directories(fs::path(scratch.File(path)).parent_path());
  WriteFileBytes(scratch.File(path), {1, 2, 3});
}

// game/: World.rkm and House.rkm lead into each other, House into a map in a
// folder, named the Windows way, which leads back; images named with '\', in
// another case and with a drive letter; an NPC who speaks from the library.
// An unreferenced map and image lie beside them.
void MakeGame(const ScratchDirectory& scratch) {
  for (const char* image : {"game/ok.png", "game/images/tiles/grass.png", "game/images/water.png",
                            "game/images/rowan.png", "game/sage.png", "game/unused.png", "game/attic.png"}) {
    Touch(scratch, image);
  }
  Touch(scratch, std::string("game/") + kHero);
  RkWorld world = MapFromRows({"..A."});
  world.SetTileNewArea(2, 0, "House.rkm", 0, 0);
  world.SetTileImageFile(1, 0, "Images\\Tiles\\Grass.PNG");
  world.SetNPC("Rowan", 3, 0, "images/rowan.png", NPCStatic);
  world.Save(scratch.File("game/World.rkm").c_str());
  RkWorld house = MapFromRows({".a", ".b"});
  house.SetTileNewArea(1, 0, "World.rkm", 0, 0);
  house.SetTileNewArea(1, 1, "Maps\\Cave.RKM", 0, 0);
  house.SetTileImageFile(0, 0, "C:\\Games\\Hollow\\images\\water.png");
  house.Save(scratch.File("game/House.rkm").c_str());
  fs::create_directory(scratch.File("game/maps"));
  RkWorld cave = MapFromRows({".c"});
  cave.SetTileNewArea(1, 0, "house.rkm", 0, 0);
  cave.Save(scratch.File("game/maps/cave.rkm").c_str());
  RkWorld attic = MapFromRows({"."});
  attic.SetTileImageFile(0, 0, "attic.png");
  attic.Save(scratch.File("game/Attic.rkm").c_str());
  RkNPCList library;
  library.SaveNPC("Rowan", "images/rowan.png");
  library.AddDialogue("Rowan", 0, "Hello.");
  library.SaveNPC("Sage", "sage.png");
  library.SaveNPCFile(scratch.File("game/NPCs.rk").c_str());
}

std::set<std::string> CollectedPaths(const RkExportCollection& collection) {
  std::set<std::string> paths;
  for (const auto& item : collection.GetItems()) paths.insert(item.path);
  return paths;
}

std::set<std::string> FilesBelow(const std::string& folder) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder).generic_string());
  }
  return files;
}

// Nothing beside the game's folder but what the test made: no hidden folder
// of a failed export stays behind.
std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

std::vector<std::string> Lines(const std::vector<RkMapFinding>& findings) {
  std::vector<std::string> lines;
  for (const RkMapFinding& finding : findings) lines.push_back(finding.ToLine());
  std::sort(lines.begin(), lines.end());
  return lines;
}

class GameExport : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeGame(scratch);
    Touch(scratch, "font.ttf");
  }
  RkGameExporter::Setup SetupFor(const std::string& out) const {
    RkGameExporter::Setup setup;
    setup.folder = scratch.File("game");
    setup.out = scratch.File(out);
    setup.program = "/bin/true";
    setup.font = scratch.File("font.ttf");
    return setup;
  }

  ScratchDirectory scratch;
};

}  // namespace

TEST_F(GameExport, CollectsWhatTheLinksReachAtThePathsTheGameFindsAndNothingElse) {
  const RkExportCollection collection = RkExportCollector(scratch.File("game")).Collect();
  EXPECT_EQ(CollectedPaths(collection),
            (std::set<std::string>{"World.rkm", "House.rkm", "maps/cave.rkm", "ok.png", "images/tiles/grass.png",
                                   "images/water.png", "images/rowan.png", kHero, "NPCs.rk", "sage.png"}));
  EXPECT_TRUE(collection.GetFindings().empty());
}

TEST_F(GameExport, TheExportedFolderHoldsTheCollectionUnchangedAndFindsItsWindowsPaths) {
  const RkGameExporter::Report report = RkGameExporter(SetupFor("out")).Export(nullptr);
  ASSERT_TRUE(report.written) << report.failure;
  EXPECT_EQ(FilesBelow(scratch.File("out")),
            (std::set<std::string>{"World.rkm", "House.rkm", "maps/cave.rkm", "ok.png", "images/tiles/grass.png",
                                   "images/water.png", "images/rowan.png", kHero, "NPCs.rk", "sage.png", "true",
                                   "fonts/font.ttf", "play", "README.txt"}));
  EXPECT_EQ(ReadFileBytes(scratch.File("out/House.rkm")), ReadFileBytes(scratch.File("game/House.rkm")));
  EXPECT_TRUE(fs::status(scratch.File("out/play")).permissions() == fs::perms(0755));
  EXPECT_EQ(report.fileCount, 14u);
  EXPECT_EQ(NamesIn(scratch.Path()), (std::set<std::string>{"game", "font.ttf", "out"}));

  // Played there, the stored texts open the copies.
  WorkingDirectoryChange inOut(scratch.File("out"));
  std::string found;
  for (const char* stored : {"Images\\Tiles\\Grass.PNG", "C:\\Games\\Hollow\\images\\water.png", "Maps\\Cave.RKM"}) {
    EXPECT_TRUE(RkPathResolver::Instance().Find(stored, found)) << stored;
  }
}

// The check concerns only what is exported: a broken map that no link reaches
// is no error, a missing link target or a path outside the folder is, and then
// nothing is written.
TEST_F(GameExport, ErrorsInTheCollectedMapsRefuseTheExportAndWriteNothing) {
  WriteFileBytes(scratch.File("game/Broken.rkm"), {0xFF, 0xFF, 0xFF, 0xFF});
  RkGameExporter clean(SetupFor("out"));
  clean.Collect();
  EXPECT_EQ(Lines(clean.Check()), std::vector<std::string>{});

  Touch(scratch, "outside.png");
  RkWorld house;
  house.Load(scratch.File("game/House.rkm").c_str());
  house.SetTileImageFile(0, 1, "../outside.png");
  house.SetTileNewArea(1, 1, "Cellar.rkm", 0, 0);
  house.Save(scratch.File("game/House.rkm").c_str());

  const RkGameExporter::Report report = RkGameExporter(SetupFor("out")).Export(nullptr);
  EXPECT_FALSE(report.written);
  EXPECT_EQ(Lines(report.errors),
            (std::vector<std::string>{"House.rkm (0, 1): image ../outside.png, which lies outside the game's folder, "
                                      "where the exported game cannot find it",
                                      "House.rkm (1, 1): link leads to Cellar.rkm, which does not exist"}));
  EXPECT_EQ(report.failure, "the game has 2 errors; nothing was written");
  EXPECT_EQ(NamesIn(scratch.Path()), (std::set<std::string>{"game", "font.ttf", "outside.png"}));
}

TEST_F(GameExport, TheLibraryTravelsOnlyWhenAnNPCSpeaksFromItAndASheetOnce) {
  RkWorld world;
  world.Load(scratch.File("game/World.rkm").c_str());
  world.GetNPC(0).AddDialogue(0, "My own words.");
  world.SetTileImageFile(0, 0, "tiles.png#1,0");
  world.SetTileImageFile(3, 0, "TILES.png#2,0,16");
  world.Save(scratch.File("game/World.rkm").c_str());
  Touch(scratch, "game/tiles.png");
  const std::set<std::string> paths = CollectedPaths(RkExportCollector(scratch.File("game")).Collect());
  EXPECT_EQ(paths.count("NPCs.rk"), 0u);
  EXPECT_EQ(paths.count("sage.png"), 0u);
  EXPECT_EQ(paths.count("tiles.png"), 1u);
}

TEST_F(GameExport, AnOutThatIsNotEmptyIsRefusedAndAnEmptyOneIsFilled) {
  fs::create_directory(scratch.File("out"));
  Touch(scratch, "out/keep.txt");
  RkGameExporter::Report report = RkGameExporter(SetupFor("out")).Export(nullptr);
  EXPECT_FALSE(report.written);
  EXPECT_EQ(report.failure, scratch.File("out") + " is not empty: export into a new or empty folder");
  EXPECT_EQ(FilesBelow(scratch.File("out")), std::set<std::string>{"keep.txt"});

  fs::remove(scratch.File("out/keep.txt"));
  report = RkGameExporter(SetupFor("out/")).Export(nullptr);
  EXPECT_TRUE(report.written) << report.failure;
  EXPECT_TRUE(FileExists(scratch.File("out/World.rkm")));
}

// A source gone since the collection, a stop asked for half-way, and a target
// that someone filled meanwhile: no OUT, and no hidden folder, stays behind
// (OUT's own files stay as they were).
TEST_F(GameExport, AFailureHalfWayLeavesNoHalfWrittenGame) {
  std::string error;
  RkGameExporter gone(SetupFor("out"));
  gone.Collect();
  fs::remove(scratch.File("game/images/water.png"));
  EXPECT_FALSE(gone.Write(nullptr, error));
  EXPECT_NE(error.find("images/water.png"), std::string::npos) << error;
  EXPECT_EQ(NamesIn(scratch.Path()), (std::set<std::string>{"game", "font.ttf"}));
  Touch(scratch, "game/images/water.png");

  RkGameExporter stopped(SetupFor("out"));
  stopped.Collect();
  int files = 0;
  EXPECT_FALSE(stopped.Write([&](const RkExportWriter::Progress&) { return ++files < 4; }, error));
  EXPECT_EQ(error, "the export was stopped; nothing was written");
  EXPECT_EQ(NamesIn(scratch.Path()), (std::set<std::string>{"game", "font.ttf"}));

  RkGameExporter overtaken(SetupFor("out"));
  overtaken.Collect();
  const auto fillOut = [&](const RkExportWriter::Progress& progress) {
    if (progress.path == "README.txt") Touch(scratch, "out/theirs.txt");
    return true;
  };
  EXPECT_FALSE(overtaken.Write(fillOut, error));
  EXPECT_EQ(error, scratch.File("out") + " is not empty: export into a new or empty folder");
  EXPECT_EQ(FilesBelow(scratch.File("out")), std::set<std::string>{"theirs.txt"});
  EXPECT_EQ(NamesIn(scratch.Path()), (std::set<std::string>{"game", "font.ttf", "out"}));
}

TEST(SharedLibraries, CarriesSDLAndWhatItPullsInButNotTheSystemsOwn) {
  const std::string ldd =
      "\tlinux-vdso.so.1 (0x00007ffd)\n"
      "\tlibSDL2-2.0.so.0 => /lib/x86_64-linux-gnu/libSDL2-2.0.so.0 (0x00007f31)\n"
      "\tlibstdc++.so.6 => /lib/x86_64-linux-gnu/libstdc++.so.6 (0x00007f32)\n"
      "\tlibc.so.6 => /lib/x86_64-linux-gnu/libc.so.6 (0x00007f33)\n"
      "\tlibfreetype.so.6 => /lib/x86_64-linux-gnu/libfreetype.so.6 (0x00007f34)\n"
      "\tlibX11.so.6 => /lib/x86_64-linux-gnu/libX11.so.6 (0x00007f35)\n"
      "\tlibxcb.so.1 => /lib/x86_64-linux-gnu/libxcb.so.1 (0x00007f36)\n"
      "\tlibGLX.so.0 => /lib/x86_64-linux-gnu/libGLX.so.0 (0x00007f37)\n"
      "\tlibwayland-client.so.0 => /lib/x86_64-linux-gnu/libwayland-client.so.0 (0x00007f38)\n"
      "\tlibpulsecommon-16.1.so => /usr/lib/x86_64-linux-gnu/pulseaudio/libpulsecommon-16.1.so (0x00007f39)\n"
      "\t/lib64/ld-linux-x86-64.so.2 (0x00007f3a)\n";
  std::vector<RkSharedLibraries::Library> libraries;
  std::string error;
  ASSERT_TRUE(RkSharedLibraries::ParseLoaderList(ldd, libraries, error));
  std::vector<std::string> carried;
  for (const auto& library : libraries) carried.push_back(library.name + " " + library.file);
  EXPECT_EQ(carried, (std::vector<std::string>{
                         "libSDL2-2.0.so.0 /lib/x86_64-linux-gnu/libSDL2-2.0.so.0",
                         "libfreetype.so.6 /lib/x86_64-linux-gnu/libfreetype.so.6",
                         "libwayland-client.so.0 /lib/x86_64-linux-gnu/libwayland-client.so.0",
                         "libpulsecommon-16.1.so /usr/lib/x86_64-linux-gnu/pulseaudio/libpulsecommon-16.1.so"}));

  EXPECT_FALSE(RkSharedLibraries::ParseLoaderList("\tlibSDL2_ttf-2.0.so.0 => not found\n", libraries, error));
  EXPECT_EQ(error, "libSDL2_ttf-2.0.so.0, which the game needs, is not installed on this machine");
}

// "Game.ini" names the first map, the start and the hero: the collection
// starts there, the checker's findings about (0, 0) of "World.rkm" no longer
// concern the game, and a start cell off the first map refuses the export.
TEST_F(GameExport, GameSettingsChooseTheFirstMapAndTheHeroAndTravelWithTheGame) {
  RkWorld world;
  world.Load(scratch.File("game/World.rkm").c_str());
  world.SetTileType(0, 0, TileImpassable);
  world.Save(scratch.File("game/World.rkm").c_str());
  RkWorld house;
  house.Load(scratch.File("game/House.rkm").c_str());
  house.SetTileNewArea(1, 0, "World.rkm", 1, 0);
  house.Save(scratch.File("game/House.rkm").c_str());
  fs::remove(scratch.File(std::string("game/") + kHero));
  const auto writeSettings = [&](const std::string& start) {
    const std::string text = "title = Moss Road\nmap = house.RKM\nstart = " + start + "\nplayer = Images\\Rowan.png\n";
    WriteFileBytes(scratch.File("game/Game.ini"), Bytes(text.begin(), text.end()));
  };
  writeSettings("0, 1");
  RkGameExporter::Report report = RkGameExporter(SetupFor("out")).Export(nullptr);
  ASSERT_TRUE(report.written) << report.failure << (report.errors.empty() ? "" : report.errors[0].ToLine());
  EXPECT_EQ(report.maps, (std::vector<std::string>{"House.rkm", "World.rkm", "maps/cave.rkm"}));
  EXPECT_TRUE(FileExists(scratch.File("out/Game.ini")));
  EXPECT_TRUE(FileExists(scratch.File("out/images/rowan.png")));
  EXPECT_EQ(TextAt(ReadFileBytes(scratch.File("out/README.txt")), 0).substr(0, 10), "Moss Road\n");

  writeSettings("5, 5");
  report = RkGameExporter(SetupFor("out2")).Export(nullptr);
  EXPECT_FALSE(report.written);
  EXPECT_EQ(Lines(report.errors), std::vector<std::string>{"Game.ini line 3: the start cell (5, 5) is outside the "
                                                           "map house.RKM of 2 by 2 cells"});
  EXPECT_FALSE(fs::exists(scratch.File("out2")));
}
