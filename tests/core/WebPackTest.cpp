// The web page's data file and the page itself: what RkExportGame --web writes
// besides the game program. The page's unpacking of game.data is tested in the
// browser (tests/web).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "RkWebPack.h"
#include "RkWebPage.h"
#include "ScratchDirectory.h"

namespace {

uint32_t UInt32At(const std::string& pack, std::size_t& at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(pack[at + i])) << (8 * i);
  at += 4;
  return value;
}

// The pack read the way the page reads it: paths with their contents.
std::vector<std::pair<std::string, std::string>> Unpack(const std::string& pack) {
  EXPECT_EQ(pack.substr(0, 8), "RKGAME01");
  std::size_t at = 8;
  const uint32_t count = UInt32At(pack, at);
  std::vector<std::pair<std::string, uint32_t>> entries;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t length = UInt32At(pack, at);
    std::string path = pack.substr(at, length);
    at += length;
    entries.emplace_back(path, UInt32At(pack, at));
  }
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& [path, size] : entries) {
    files.emplace_back(path, pack.substr(at, size));
    at += size;
  }
  EXPECT_EQ(at, pack.size()) << "bytes after the last file";
  return files;
}

}  // namespace

TEST(WebPack, EveryFileComesBackWholeAtItsPathInListOrder) {
  ScratchDirectory scratch;
  const std::string binary("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\xff", 17);
  WriteFileBytes(scratch.File("a.png"), Bytes(binary.begin(), binary.end()));
  WriteFileBytes(scratch.File("empty"), Bytes());
  WriteFileBytes(scratch.File("World.rkm"), Bytes{1, 0, 0, 0});
  const std::vector<RkWebPack::File> files = {
      {"World.rkm", scratch.File("World.rkm")},
      {"images/Tiles/caf\xc3\xa9.png", scratch.File("a.png")},
      {"NPCs.rk", scratch.File("empty")},
  };
  std::string pack, error;
  ASSERT_TRUE(RkWebPack::Pack(files, pack, error)) << error;
  const auto unpacked = Unpack(pack);
  ASSERT_EQ(unpacked.size(), 3u);
  EXPECT_EQ(unpacked[0], std::make_pair(std::string("World.rkm"), std::string("\x01\0\0\0", 4)));
  EXPECT_EQ(unpacked[1], std::make_pair(std::string("images/Tiles/caf\xc3\xa9.png"), binary));
  EXPECT_EQ(unpacked[2], std::make_pair(std::string("NPCs.rk"), std::string()));
}

TEST(WebPack, AMissingSourceIsNamedWithItsCause) {
  ScratchDirectory scratch;
  WriteFileBytes(scratch.File("World.rkm"), Bytes{1});
  std::string pack = "untouched", error;
  EXPECT_FALSE(RkWebPack::Pack({{"World.rkm", scratch.File("World.rkm")}, {"House.rkm", scratch.File("House.rkm")}},
                               pack, error));
  EXPECT_EQ(error, scratch.File("House.rkm") + ": No such file or directory");
  EXPECT_EQ(pack, "untouched");
}

TEST(WebPage, TheTitleIsWrittenAsTextWhereverThePageMarksIt) {
  const std::string page = "<title>@RK_TITLE@</title><h1>@RK_TITLE@</h1>";
  EXPECT_EQ(RkWebPage::Fill(page, "Tom & Jerry's <Quest>"),
            "<title>Tom &amp; Jerry&#39;s &lt;Quest&gt;</title><h1>Tom &amp; Jerry&#39;s &lt;Quest&gt;</h1>");
  EXPECT_EQ(RkWebPage::Fill("<p>no mark</p>", "x"), "<p>no mark</p>");
  EXPECT_EQ(RkWebPage::Fill("@RK_TITLE@", "\"@RK_TITLE@\""), "&quot;@RK_TITLE@&quot;");
}
