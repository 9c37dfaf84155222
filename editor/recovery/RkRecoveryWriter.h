// Keeps a recovery file of the map while it has unsaved changes: every 30
// seconds of the editor's clock the loop takes a snapshot of the world (a few
// milliseconds even for a 512 by 512 map) and a thread of its own writes it
// beside the map's file, through a temporary file, so a crash during the write
// leaves the previous recovery file whole. RkEngine calls Tick once per pass,
// Discard when the work no longer needs keeping (a save, "Don't Save").
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "RkEditHistory.h"
#include "RkWorld.h"

class RkRecoveryWriter {
 public:
  static constexpr double kInterval = 30.0;
  // Seconds on a steady clock.
  using Clock = std::function<double()>;

  explicit RkRecoveryWriter(Clock clock);
  // Gives up a write that is still running; the previous recovery file stays.
  ~RkRecoveryWriter();
  RkRecoveryWriter(const RkRecoveryWriter&) = delete;
  RkRecoveryWriter& operator=(const RkRecoveryWriter&) = delete;

  // The map's file for the file that saving writes, or RkRecoveryFile::kUnnamedMap
  // while the map has neither a name nor a file.
  static std::string MapFileFor(const std::string& saveTarget);

  // While the history is away from its saved state, starts a write of the world
  // for mapFile once 30 seconds have passed since the work became unsaved or
  // since the last write, unless nothing changed since that write.
  void Tick(const RkWorld& world, const std::string& mapFile, const RkEditHistory& history);
  // Stops a write that is running and removes the recovery file of mapFile and
  // the one last written (the map's name may have changed since).
  void Discard(const std::string& mapFile);
  // Waits for the write that is running, if any (tests, and before a restore).
  void Wait();
  bool IsWriting() const { return worker.joinable() && !finished; }
  // How many writes were completed.
  int GetWriteCount() const { return writes; }

 private:
  // Which state of the history the world is in: a step made, undone or redone changes it.
  using Revision = std::pair<std::size_t, std::size_t>;

  void StartWrite(const RkWorld& world, const std::string& mapFile);
  // Takes the result of the write once it has finished (or waits for it).
  void CollectWrite(bool wait);
  void StopWrite();

  Clock clock;
  std::thread worker;
  std::atomic<bool> finished{false};
  std::atomic<bool> cancelled{false};
  std::atomic<int> writes{0};
  // Written by the worker, read once it has finished.
  std::string failureText;
  // When the next write is due; negative while the map is saved.
  double dueAt = -1.0;
  bool anyWritten = false;
  Revision writtenRevision{0, 0};
  std::string writtenFile;
  std::string pendingFile;
  Revision pendingRevision{0, 0};
};
