// Image files that declare huge sizes in every format the decoding library
// reads: each is measured and refused, or refused by its content, before a
// decoder allocates for it. Each load runs in a child process whose address
// space may grow by no more than 150 MB, so a decoder that got the file fails
// with its own words instead of ours.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "RkImageLoader.h"
#include "TestImageFolder.h"

namespace {

constexpr long kHeadroom = 150L << 20;

long AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmSize:", 0) == 0) return std::stol(line.substr(7)) * 1024;
  }
  return 0;
}

// "loaded", or the reason the loader gave, or "died" when the child did not
// come back (a decoder that ran out of its address space may abort).
std::string LoadUnderMemoryLimit(const std::string& path) {
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const rlim_t bound = static_cast<rlim_t>(AddressSpaceInUse() + kHeadroom);
    const rlimit limit{bound, bound};
    setrlimit(RLIMIT_AS, &limit);
    SDL_Surface* image = RkImageLoader::Load(path.c_str(), 32, 32, false);
    const std::string said = image != nullptr ? "loaded" : SDL_GetError();
    if (write(channel[1], said.data(), said.size()) < 0) _exit(2);
    _exit(0);
  }
  close(channel[1]);
  std::string said;
  char block[256];
  ssize_t count;
  while ((count = read(channel[0], block, sizeof block)) > 0) said.append(block, static_cast<size_t>(count));
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? said : "died";
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

struct Crafted {
  const char* name;
  std::string content;
};

std::string Write(const TestImageFolder& folder, const Crafted& file) {
  const std::string path = folder.Path(file.name);
  std::ofstream(path, std::ios::binary) << file.content << std::string(64, '\0');
  return path;
}

std::string BmpFileHeader() { return "BM" + std::string(12, '\0'); }
std::string IconDirectory(int kind) {
  return Bytes({0, 0, kind, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0, 40, 0, 0, 0, 22, 0, 0, 0});
}
std::string RiffWebp(const std::string& chunks) { return "RIFF" + Bytes({0x40, 0, 0, 0}) + "WEBP" + chunks; }

TEST(ImageLoaderBound, HugeSizesOfEveryMeasuredFormatAreRefusedBeforeDecoding) {
  const std::string huge = "The image is 65535 by 65535 pixels; more than 8192 on a side is not loaded.";
  const std::string side16384 = "The image is 16384 by 16384 pixels; more than 8192 on a side is not loaded.";
  const std::string lossless = "VP8L" + Bytes({5, 0, 0, 0, 0x2F, 0xFF, 0xFF, 0xFF, 0x0F, 0});
  const std::vector<std::pair<Crafted, std::string>> cases = {
      // A 1 x 1 screen; the frame comes after a control block and a stray byte.
      {{"frame.gif", "GIF89a" + Bytes({1, 0, 1, 0, 0, 0, 0, '!', 0xF9, 4, 0, 0, 0, 0, 0, 'x', ',', 0, 0, 0, 0, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0, 2, 2, 0x44, 1, 0, ';'})},
       huge},
      {{"os2.bmp", BmpFileHeader() + Bytes({12, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 24, 0})}, huge},
      {{"v5.bmp", BmpFileHeader() + Bytes({124, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 0, 0xFF, 0xFF, 1, 0, 32, 0})},
       huge},
      {{"exif.jpg", Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0, 4, 0, 0, 0xFF, 0xC2, 0, 11, 8, 0xFF, 0xFF, 0xFF, 0xFF, 1, 1,
                           0x11, 0})},
       huge},
      {{"huge.tga", Bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 24, 0})}, huge},
      {{"ppm-named.png", "P6\n# made by hand\n65535 65535\n255\n"}, huge},
      {{"icon.ico", IconDirectory(1) + Bytes({40, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFE, 0xFF, 1, 0, 1, 0, 32, 0})}, huge},
      {{"cursor.cur", IconDirectory(2) + Bytes({40, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFE, 0xFF, 1, 0, 1, 0, 32, 0})},
       huge},
      {{"wide.pcx", Bytes({10, 5, 1, 8, 0, 0x80, 0, 0x80, 0xFE, 0x7F, 0xFE, 0x7F}) + std::string(53, '\0') +
                        Bytes({1, 0xFE, 0xFF}) + std::string(60, '\0')},
       huge},
      {{"huge.qoi", "qoif" + Bytes({0, 0, 0x40, 0, 0, 0, 0x40, 0, 4, 0})}, side16384},
      {{"canvas.webp", RiffWebp("VP8X" + Bytes({10, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x3F, 0, 0xFF, 0x3F, 0}) + lossless)},
       side16384},
      {{"lossless.webp", RiffWebp(lossless)}, side16384},
  };
  TestImageFolder folder;
  for (const auto& [file, expected] : cases) {
    EXPECT_EQ(LoadUnderMemoryLimit(Write(folder, file)), expected) << file.name;
  }
}

TEST(ImageLoaderBound, FormatsThatAreNotMeasuredAreRefusedByContent) {
  const std::vector<Crafted> cases = {
      {"tiff.png", "II*" + Bytes({0, 8, 0, 0, 0, 2, 0, 0, 1, 4, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 1, 4, 0, 1, 0, 0,
                                  0, 0xFF, 0xFF, 0, 0})},
      {"pixmap.xpm", "/* XPM */\nstatic char *x[] = {\n\"65535 65535 1 1\",\n\"a c #ff0000\",\n"},
      {"gimp.xcf", "gimp xcf file" + Bytes({0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0})},
      {"amiga.lbm", "FORM" + Bytes({0, 0, 0, 40}) + "ILBMBMHD" + Bytes({0, 0, 0, 20, 0xFF, 0xFF, 0xFF, 0xFF})},
      {"drawing.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"65535\" height=\"65535\"><rect "
                      "width=\"65535\" height=\"65535\"/></svg>"},
      {"thumbnail.png", "P7 332\n#END_OF_COMMENTS\n65535 65535 255\n"},
      {"cut.png", Bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})},
  };
  TestImageFolder folder;
  for (const Crafted& file : cases) EXPECT_EQ(LoadUnderMemoryLimit(Write(folder, file)), "Unsupported image format") << file.name;
}

// Small, sound files of the measured formats still load: the measuring must
// not turn away what the decoders read.
TEST(ImageLoaderBound, SmallImagesOfTheMeasuredFormatsStillLoad) {
  TestImageFolder folder;
  SDL_Surface* red = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_FillRect(red, nullptr, kRed);
  ASSERT_EQ(SDL_SaveBMP(red, folder.Path("red.bmp").c_str()), 0);
  ASSERT_EQ(IMG_SaveJPG(red, folder.Path("red.jpg").c_str(), 90), 0);
  SDL_FreeSurface(red);
  const std::vector<Crafted> made = {
      {"dot.gif", "GIF89a" + Bytes({1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, ',', 0, 0, 0, 0, 1, 0, 1, 0,
                                    0, 2, 2, 0x44, 1, 0, ';'})},
      {"dot.tga", Bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 0, 0, 0xFF})},
      {"dot.ppm", "P6 1 1 255\n" + Bytes({0xFF, 0, 0})},
      {"dot.qoi", "qoif" + Bytes({0, 0, 0, 1, 0, 0, 0, 1, 3, 0, 0xFE, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})},
      {"dot.ico", IconDirectory(1) + Bytes({40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0}) +
                      std::string(24, '\0') + Bytes({0, 0, 0xFF, 0xFF, 0, 0, 0, 0})},
  };
  for (const Crafted& file : made) Write(folder, file);
  for (const char* name : {"red.bmp", "red.jpg", "dot.gif", "dot.tga", "dot.ppm", "dot.qoi", "dot.ico"}) {
    EXPECT_EQ(LoadUnderMemoryLimit(folder.Path(name)), "loaded") << name;
  }
}

}  // namespace
