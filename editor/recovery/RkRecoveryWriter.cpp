// The timer and the background write of the recovery file.
#include "RkRecoveryWriter.h"

#include <cstdio>

#include "RkRecoveryFile.h"
#include "RkWorldSnapshot.h"

RkRecoveryWriter::RkRecoveryWriter(Clock clock) : clock(std::move(clock)) {}

RkRecoveryWriter::~RkRecoveryWriter() { StopWrite(); }

std::string RkRecoveryWriter::MapFileFor(const std::string& saveTarget) {
  return saveTarget.empty() ? RkRecoveryFile::kUnnamedMap : saveTarget;
}

void RkRecoveryWriter::Tick(const RkWorld& world, const std::string& mapFile, const RkEditHistory& history) {
  CollectWrite(false);
  if (history.IsAtSavedState()) {
    dueAt = -1.0;
    return;
  }
  const double now = clock();
  if (dueAt < 0.0) dueAt = now + kInterval;
  if (now < dueAt || worker.joinable()) return;
  const Revision revision{history.GetPushCount(), history.GetUndoCount()};
  dueAt = now + kInterval;
  if (anyWritten && revision == writtenRevision && mapFile == writtenFile) return;
  pendingRevision = revision;
  StartWrite(world, mapFile);
}

// The snapshot is taken here, on the loop; the thread owns it from then on.
void RkRecoveryWriter::StartWrite(const RkWorld& world, const std::string& mapFile) {
  auto snapshot = std::make_shared<const RkWorldSnapshot>(world);
  pendingFile = mapFile;
  finished = false;
  cancelled = false;
  failureText.clear();
  const std::string path = RkRecoveryFile::PathFor(mapFile);
  worker = std::thread([this, snapshot, path] {
    if (auto failure = snapshot->Save(path.c_str(), [this] { return !cancelled.load(); })) {
      if (!cancelled) failureText = failure->GetMessage() + " " + failure->GetSystemText();
    }
    finished = true;
  });
}

// A failed write is told on standard error once: a box every 30 seconds would
// stand in the way of the work it is meant to keep, and the next write may
// succeed.
void RkRecoveryWriter::CollectWrite(bool wait) {
  if (!worker.joinable() || (!wait && !finished)) return;
  worker.join();
  if (!failureText.empty()) {
    std::fprintf(stderr, "The recovery file of %s could not be written:\n%s", pendingFile.c_str(),
                 failureText.c_str());
    return;
  }
  if (anyWritten && writtenFile != pendingFile) RkRecoveryFile::Remove(RkRecoveryFile::PathFor(writtenFile));
  anyWritten = true;
  writtenFile = pendingFile;
  writtenRevision = pendingRevision;
  ++writes;
}

void RkRecoveryWriter::Wait() { CollectWrite(true); }

void RkRecoveryWriter::StopWrite() {
  cancelled = true;
  if (worker.joinable()) worker.join();
  finished = false;
}

void RkRecoveryWriter::Discard(const std::string& mapFile) {
  StopWrite();
  RkRecoveryFile::Remove(RkRecoveryFile::PathFor(mapFile));
  // A write given up at its very end may still have put its file in place.
  if (!pendingFile.empty()) RkRecoveryFile::Remove(RkRecoveryFile::PathFor(pendingFile));
  if (anyWritten) RkRecoveryFile::Remove(RkRecoveryFile::PathFor(writtenFile));
  anyWritten = false;
  pendingFile.clear();
  dueAt = -1.0;
}
