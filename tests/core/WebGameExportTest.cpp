// The export for a web page on folders made here: the collected files travel
// packed in game.data beside the page and the web build's program files, and
// a game with errors, or without a web build, gets no folder at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "MapRows.h"
#include "RkWebGameExporter.h"
#include "ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHero = "images/characters/ch_classm32_10.png";

void Write(const ScratchDirectory& scratch, const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(scratch.File(path)).parent_path());
  WriteFileBytes(scratch.File(path), Bytes(text.begin(), text.end()));
}

std::string Read(const std::string& file) {
  const Bytes bytes = ReadFileBytes(file);
  return std::string(bytes.begin(), bytes.end());
}

// game/: World.rkm leads to House.rkm (named the Windows way); Attic.rkm and
// unused.png are reached by nothing. web/: a stand-in for the web build.
class WebGameExport : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(scratch, "game/ok.png", "tile");
    Write(scratch, "game/unused.png", "unused");
    Write(scratch, std::string("game/") + kHero, "hero");
    RkWorld world = MapFromRows({".A"});
    world.SetTileNewArea(1, 0, ".\\house.RKM", 0, 0);
    world.Save(scratch.File("game/World.rkm").c_str());
    MapFromRows({"."}).Save(scratch.File("game/House.rkm").c_str());
    MapFromRows({"."}).Save(scratch.File("game/Attic.rkm").c_str());
    Write(scratch, "web/index.html", "<title>@RK_TITLE@</title>");
    for (const std::string& name : RkWebGameExporter::ProgramFiles()) Write(scratch, "web/" + name, name);
  }

  RkWebGameExporter::Setup SetupFor(const std::string& out) const {
    RkWebGameExporter::Setup setup;
    setup.folder = scratch.File("game");
    setup.out = scratch.File(out);
    setup.webGame = scratch.File("web");
    return setup;
  }

  ScratchDirectory scratch;
};

}  // namespace

TEST_F(WebGameExport, ThePageTheProgramAndThePackOfTheReachedFilesAreWritten) {
  Write(scratch, "game/Game.ini", "title = Ash & Ember\n");
  const RkWebGameExporter::Report report = RkWebGameExporter(SetupFor("out")).Export(nullptr);
  ASSERT_TRUE(report.written) << report.failure;
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(scratch.File("out"))) files.insert(entry.path().filename().string());
  EXPECT_EQ(files, (std::set<std::string>{"index.html", "EmberHollow.js", "EmberHollow.wasm", "EmberHollow.data",
                                          "game.data"}));
  EXPECT_EQ(Read(scratch.File("out/index.html")), "<title>Ash &amp; Ember</title>");
  EXPECT_EQ(Read(scratch.File("out/EmberHollow.wasm")), "EmberHollow.wasm");
  const std::string pack = Read(scratch.File("out/game.data"));
  EXPECT_NE(pack.find("House.rkm"), std::string::npos);
  EXPECT_NE(pack.find(kHero), std::string::npos);
  EXPECT_EQ(pack.find("Attic.rkm"), std::string::npos);
  EXPECT_EQ(pack.find("unused"), std::string::npos);
  EXPECT_NE(pack.find("Game.ini"), std::string::npos);
  EXPECT_EQ(report.maps, (std::vector<std::string>{"World.rkm", "House.rkm"}));
}

TEST_F(WebGameExport, AGameWithErrorsOrWithoutAWebBuildGetsNoFolder) {
  RkWorld broken = MapFromRows({".A"});
  broken.SetTileNewArea(1, 0, "Cellar.rkm", 0, 0);
  broken.Save(scratch.File("game/House.rkm").c_str());
  RkWebGameExporter::Report report = RkWebGameExporter(SetupFor("out")).Export(nullptr);
  EXPECT_FALSE(report.written);
  EXPECT_FALSE(report.errors.empty());
  EXPECT_FALSE(fs::exists(scratch.File("out")));

  MapFromRows({"."}).Save(scratch.File("game/House.rkm").c_str());
  fs::remove(scratch.File("web/EmberHollow.wasm"));
  report = RkWebGameExporter(SetupFor("out")).Export(nullptr);
  EXPECT_FALSE(report.written);
  EXPECT_EQ(report.failure, "the web build of the game is missing " + scratch.File("web/EmberHollow.wasm") +
                                "; run scripts/web-setup.sh first");
  EXPECT_EQ(std::set<std::string>({"game", "web"}), [&] {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(scratch.Path())) names.insert(entry.path().filename().string());
    return names;
  }());
}
