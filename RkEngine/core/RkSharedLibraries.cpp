// The libraries an exported game carries, from the loader's own list.
#include "RkSharedLibraries.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

namespace {

// Name prefixes of the libraries that the player's system brings: the C
// library and the loader, the C++ runtime, the X11 client libraries and
// OpenGL, which belong to the player's display and drivers (a copy would not
// match them). Debian's SDL2 also links the Wayland, DRM and GBM libraries; a
// desktop has them, a minimal system with only the X11 client libraries does
// not, and under X11 they are loaded but not used: they travel with the game.
constexpr const char* kSystemPrefixes[] = {
    "ld-linux", "libc.so", "libm.so", "libdl.so", "libpthread.so", "librt.so", "libresolv.so", "libutil.so",
    "libanl.so", "libstdc++.so", "libgcc_s.so", "libX", "libxcb", "libxkbcommon", "libGL", "libEGL", "libOpenGL",
    "linux-vdso", "linux-gate",
};

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The shell word for a path: in single quotes, each quote closed and escaped.
std::string Quoted(const std::string& path) {
  std::string quoted = "'";
  for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

bool RkSharedLibraries::IsCarried(const std::string& name) {
  // X11's glue to XCB is no display library: only PulseAudio's client library
  // needs it, and a system with just the X11 client libraries lacks it.
  if (StartsWith(name, "libX11-xcb.so")) return true;
  for (const char* prefix : kSystemPrefixes) {
    if (StartsWith(name, prefix)) return false;
  }
  return StartsWith(name, "lib");
}

bool RkSharedLibraries::ParseLoaderList(const std::string& lines, std::vector<Library>& libraries,
                                        std::string& error) {
  libraries.clear();
  std::istringstream in(lines);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t arrow = line.find(" => ");
    if (arrow == std::string::npos) continue;  // the loader itself, or the kernel's vdso
    const std::size_t start = line.find_first_not_of(" \t");
    const std::string name = line.substr(start, arrow - start);
    std::string file = line.substr(arrow + 4);
    if (StartsWith(file, "not found")) {
      error = name + ", which the game needs, is not installed on this machine";
      return false;
    }
    const std::size_t address = file.rfind(" (0x");
    if (address != std::string::npos) file.erase(address);
    if (IsCarried(name)) libraries.push_back({name, file});
  }
  return true;
}

bool RkSharedLibraries::ListCarried(const std::string& program, std::vector<Library>& libraries, std::string& error) {
  const std::string command = "ldd " + Quoted(program) + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    error = "cannot run ldd to list the libraries of " + program;
    return false;
  }
  std::string output;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  const int status = pclose(pipe);
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = "ldd cannot list the libraries of " + program + ": " + output;
    while (!error.empty() && error.back() == '\n') error.pop_back();
    return false;
  }
  return ParseLoaderList(output, libraries, error);
}
