// The playtest: the game program (built beside the editor) started in the
// editor's folder on the map being edited, unsaved edits included, with the
// player on a chosen cell. The map goes to a hidden copy of a unique name in
// the map's own folder, so that its images and New Area paths resolve as they
// will for players; the map's file, "NPCs.rk" and "Game.ini" are never written.
// A copy that a killed editor left behind is swept with the leftovers of saves
// (RkSaveLeftovers) when an editor next starts in that folder.
//
// The game runs beside the editor, which stays responsive: a thread of this
// class reads the game's standard error until the game ends, reaps it and
// wakes the editor's loop; the next pass takes the ending (TakeEnding), which
// removes the copy and gives the game's report, if it ended with one, for a
// notice. The game knows from RK_PLAYTEST in its environment that its report
// goes to the editor and shows no box of its own.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

class RkWorld;

class RkPlaytest {
 public:
  // Called on the watching thread when the game has ended; it must only wake
  // the loop (SDL_PushEvent may be called from any thread).
  using Waker = std::function<void()>;

  explicit RkPlaytest(Waker wake);
  // Ends a game still running and removes its copy of the map.
  ~RkPlaytest();
  RkPlaytest(const RkPlaytest&) = delete;
  RkPlaytest& operator=(const RkPlaytest&) = delete;

  // Writes world to a hidden copy beside mapFile (in the working folder for a
  // map without a file) and starts the game on it with the player on
  // (startX, startY). "" when the game started; else a notice's text saying
  // why not (no game program, the copy could not be written, no process).
  std::string Start(const RkWorld& world, const std::string& mapFile, int32_t startX, int32_t startY);
  bool IsRunning() const { return processId_ > 0; }
  // Once the game has ended: the copy is removed and the notice's text comes
  // back ("" when the game ended without a report). Nothing while it runs.
  std::optional<std::string> TakeEnding();
  // Ends the running game now (a second playtest, the editor's end) and waits
  // for it; no notice follows.
  void Stop();

  // The game program: "EmberHollow" in the editor's own folder, else in the
  // build tree's EmberHollow folder beside it; "" when neither exists.
  static std::string FindGameProgram();
  // Where the game is looked for (for the notice when it is missing).
  static std::string ProgramFolder();
  // The last fatal report in the game's standard error ("" for none).
  static std::string ReportIn(const std::string& errorOutput);

  // The copy of the map while the game runs ("" otherwise), and the game's process.
  const std::string& GetMapCopy() const { return mapCopy_; }
  pid_t GetProcessId() const { return processId_; }
  // The program to start instead of FindGameProgram's (tests).
  void SetGameProgram(std::string program) { gameProgram_ = std::move(program); }

 private:
  std::string WriteMapCopy(const RkWorld& world, const std::string& mapFile);
  void LockMapCopy();
  void RemoveMapCopy();
  std::string Spawn(const std::string& program, const std::string& mapFile, int32_t startX, int32_t startY);
  void Watch(int errorPipe);
  std::string DescribeEnding() const;
  void Finish();

  Waker wake_;
  std::string gameProgram_;
  std::string mapCopy_;
  // The copy's lock, held while the game runs (-1 without one).
  int copyLock_ = -1;
  pid_t processId_ = 0;
  std::thread watcher_;
  std::atomic<bool> ended_{false};
  bool stopping_ = false;
  // Written by the watcher before ended_ is set, read after.
  int status_ = 0;
  std::string errorOutput_;
};
