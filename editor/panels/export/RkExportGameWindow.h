// File > Export Game: the export of the editor's folder for players into a
// folder the user names, with a progress bar while the files are copied and
// the report afterwards. The export's work is the core's RkGameExporter, as for
// RkExportGame. Collecting and checking run on the loop's thread (they use the
// path resolver, which belongs to it); the copy runs on a thread of its own so
// that the editor keeps drawing, and can be stopped (nothing is written then).
//
// Plain state plus an ImGui binding: Draw records the buttons, and RkEngine's
// pass calls Poll outside the ImGui frame, which acts on them (the question
// about unsaved work is a modal box).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "RkGameExporter.h"

class RkExportGameWindow {
 public:
  static constexpr const char* kTitle = "Export Game";
  enum class State { Closed, Choosing, Copying, Done };

  // Asked before the export starts (RkUnsavedWork::MayExport); false stops it.
  using ExportGate = std::function<bool()>;

  RkExportGameWindow(std::string gameProgram, ExportGate mayExport);
  // A copy still running is stopped (its hidden folder removed) and waited for.
  ~RkExportGameWindow();
  RkExportGameWindow(const RkExportGameWindow&) = delete;
  RkExportGameWindow& operator=(const RkExportGameWindow&) = delete;

  // Shows the window on the game of folder ("" the working folder) with a
  // target beside it ("<folder>-export").
  void Open(const std::string& folder = "");
  State GetState() const { return state; }
  bool IsOpen() const { return state != State::Closed; }

  // The window's controls, as the binding records them.
  void SetTarget(const std::string& out) { target = out; }
  const std::string& GetTarget() const { return target; }
  void PressExport() { exportPressed = true; }
  void PressStop() { stop = true; }
  void PressClose() { closePressed = true; }

  // Acts on the buttons and takes a finished copy's report.
  void Poll();
  // Waits until the copy has ended (tests).
  void WaitForCopy();

  // The copy's share done, 0 to 1, and the file being copied.
  float GetProgress() const;
  std::string GetCopyingPath() const;
  const RkGameExporter::Report& GetReport() const { return report; }
  std::vector<std::string> GetReportLines() const;

  void Draw();

 private:
  void Start();
  void FinishCopy();
  void DrawChoosing();
  void DrawCopying();
  void DrawDone();

  std::string gameProgram;
  ExportGate mayExport;
  std::string folder;
  std::string target;
  State state = State::Closed;
  bool exportPressed = false;
  bool closePressed = false;
  bool placeWindow = false;

  std::unique_ptr<RkGameExporter> exporter;
  RkGameExporter::Report report;
  std::thread copier;
  std::atomic<bool> stop{false};
  std::atomic<bool> copied{false};
  std::atomic<uint64_t> doneBytes{0};
  std::atomic<uint64_t> totalBytes{0};
  mutable std::mutex pathMutex;
  std::string copyingPath;
};
