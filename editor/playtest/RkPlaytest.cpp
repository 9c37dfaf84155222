// Starting the game on a copy of the edited map, watching it, and cleaning up.
#include "RkPlaytest.h"

#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <vector>

#include "RkSaveLeftovers.h"
#include "RkWorld.h"

extern char** environ;

namespace {

constexpr const char* kGameName = "EmberHollow";
constexpr const char* kPlaytestVariable = "RK_PLAYTEST=1";
// The edited map's own file, which the copy stands in for: a New Area leading
// back into the edited map then plays the copy too, unsaved edits included.
constexpr const char* kMapVariable = "RK_PLAYTEST_MAP=";
constexpr const char* kReportStart = "--RkEngine Description--";
// The game writes little to its standard error; a flood keeps only its end,
// where the report is.
constexpr std::size_t kMaxErrorOutput = 64 * 1024;
// A game asked to end (SDL turns the request into its window's close) gets
// this long before it is killed.
constexpr auto kStopGrace = std::chrono::seconds(2);

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsProgram(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

}  // namespace

RkPlaytest::RkPlaytest(Waker wake) : wake_(std::move(wake)) {}

RkPlaytest::~RkPlaytest() { Stop(); }

std::string RkPlaytest::ProgramFolder() {
  std::vector<char> self(PATH_MAX + 1, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", self.data(), PATH_MAX);
  if (length <= 0) return "./";
  return FolderOf(std::string(self.data(), static_cast<std::size_t>(length)));
}

std::string RkPlaytest::FindGameProgram() {
  const std::string folder = ProgramFolder();
  for (const std::string& candidate : {folder + kGameName, folder + "../EmberHollow/" + kGameName}) {
    if (IsProgram(candidate)) return candidate;
  }
  return std::string();
}

std::string RkPlaytest::ReportIn(const std::string& errorOutput) {
  const std::size_t start = errorOutput.rfind(kReportStart);
  if (start == std::string::npos) return std::string();
  std::string report = errorOutput.substr(start);
  while (!report.empty() && (report.back() == '\n' || report.back() == '\r')) report.pop_back();
  return report;
}

std::string RkPlaytest::Start(const RkWorld& world, const std::string& mapFile, int32_t startX, int32_t startY) {
  if (IsRunning()) Stop();
  const std::string program = gameProgram_.empty() ? FindGameProgram() : gameProgram_;
  if (program.empty()) {
    return std::string("The game program ") + kGameName + " was not found beside the editor (in " + ProgramFolder() +
           "), so there is nothing to playtest with.";
  }
  std::string problem = WriteMapCopy(world, mapFile);
  if (problem.empty()) problem = Spawn(program, mapFile, startX, startY);
  if (!problem.empty()) RemoveMapCopy();
  return problem;
}

// mkstemp picks the unique name; the world is then saved over that empty file
// the way every map is saved, and the saved file is locked for the game's run.
std::string RkPlaytest::WriteMapCopy(const RkWorld& world, const std::string& mapFile) {
  std::string pattern = RkSaveLeftovers::PlaytestPattern(mapFile.empty() ? std::string("Untitled.rkm") : mapFile);
  const int fd = ::mkstemp(&pattern[0]);
  if (fd < 0) {
    return "The playtest could not write the map's copy " + pattern + ": " + std::strerror(errno) + ".";
  }
  ::close(fd);
  mapCopy_ = pattern;
  if (const std::optional<RkFailure> failure = world.TrySave(mapCopy_.c_str())) {
    std::string cause = failure->GetSystemText();
    while (!cause.empty() && cause.back() == '\n') cause.pop_back();
    return "The playtest could not write the map's copy " + mapCopy_ + ": " + failure->GetMessage() + " " + cause;
  }
  LockMapCopy();
  return std::string();
}

// Not closed on exec: the game inherits the lock, so an editor that starts
// later sweeps the copy away only once both the editor that made it and its
// game are gone. A lock that cannot be taken only weakens that sweep's test
// to the editor's process id.
void RkPlaytest::LockMapCopy() {
  copyLock_ = ::open(mapCopy_.c_str(), O_RDONLY | O_NOFOLLOW);
  if (copyLock_ >= 0) ::flock(copyLock_, LOCK_EX | LOCK_NB);
}

void RkPlaytest::RemoveMapCopy() {
  if (copyLock_ >= 0) ::close(copyLock_);
  copyLock_ = -1;
  if (!mapCopy_.empty()) ::unlink(mapCopy_.c_str());
  mapCopy_.clear();
}

std::string RkPlaytest::Spawn(const std::string& program, const std::string& mapFile, int32_t startX,
                              int32_t startY) {
  int errorPipe[2];
  if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
    return std::string("The game could not be started: ") + std::strerror(errno) + ".";
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
  const std::string start = std::to_string(startX) + "," + std::to_string(startY);
  std::vector<char*> arguments{const_cast<char*>(program.c_str()), const_cast<char*>("--map"),
                               const_cast<char*>(mapCopy_.c_str()), const_cast<char*>("--start"),
                               const_cast<char*>(start.c_str()), nullptr};
  std::vector<char*> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::strncmp(*variable, "RK_PLAYTEST", 11) != 0) environment.push_back(*variable);
  }
  environment.push_back(const_cast<char*>(kPlaytestVariable));
  std::string mapVariable = kMapVariable + mapFile;
  if (!mapFile.empty()) environment.push_back(&mapVariable[0]);
  environment.push_back(nullptr);
  pid_t child = 0;
  const int error =
      posix_spawn(&child, program.c_str(), &actions, nullptr, arguments.data(), environment.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(errorPipe[1]);
  if (error != 0) {
    ::close(errorPipe[0]);
    return "The game program " + program + " could not be started: " + std::strerror(error) + ".";
  }
  processId_ = child;
  ended_ = false;
  status_ = 0;
  errorOutput_.clear();
  watcher_ = std::thread(&RkPlaytest::Watch, this, errorPipe[0]);
  return std::string();
}

// The watching thread: the game's standard error until it closes, then the
// game's end.
void RkPlaytest::Watch(int errorPipe) {
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(errorPipe, buffer, sizeof buffer);
    if (count > 0) {
      errorOutput_.append(buffer, static_cast<std::size_t>(count));
      if (errorOutput_.size() > kMaxErrorOutput) errorOutput_.erase(0, errorOutput_.size() - kMaxErrorOutput);
    } else if (count == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(errorPipe);
  int status = 0;
  while (::waitpid(processId_, &status, 0) < 0 && errno == EINTR) {
  }
  status_ = status;
  ended_ = true;
  if (wake_) wake_();
}

std::optional<std::string> RkPlaytest::TakeEnding() {
  if (!IsRunning() || !ended_) return std::nullopt;
  const std::string notice = DescribeEnding();
  Finish();
  return notice;
}

std::string RkPlaytest::DescribeEnding() const {
  if (stopping_) return std::string();
  if (WIFSIGNALED(status_)) {
    return "The game ended unexpectedly: " + std::string(strsignal(WTERMSIG(status_))) + ".";
  }
  const int code = WIFEXITED(status_) ? WEXITSTATUS(status_) : 0;
  if (code == 0) return std::string();
  const std::string report = ReportIn(errorOutput_);
  if (!report.empty()) return "The game ended with this report:\n\n" + report;
  std::string output = errorOutput_;
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return "The game ended with exit code " + std::to_string(code) + (output.empty() ? "." : ":\n\n" + output);
}

void RkPlaytest::Stop() {
  if (!IsRunning()) return;
  stopping_ = true;
  ::kill(processId_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
  while (!ended_ && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!ended_) ::kill(processId_, SIGKILL);
  Finish();
  stopping_ = false;
}

// The game has ended (or was killed): the thread is done, the copy goes.
void RkPlaytest::Finish() {
  if (watcher_.joinable()) watcher_.join();
  RemoveMapCopy();
  processId_ = 0;
}
