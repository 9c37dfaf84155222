// File > Export Game: the export of the editor's folder for players into a
// folder the user names, with a progress bar while the files are copied and
// the report afterwards. The export is for a computer like this one or for a
// web page, as the user chooses; its work is the core's RkGameExporter or
// RkWebGameExporter, as for RkExportGame and RkExportGame --web. Collecting and checking run on the loop's thread (they use the
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
#include "RkWebGameExporter.h"

class RkExportGameWindow {
 public:
  static constexpr const char* kTitle = "Export Game";
  enum class State { Closed, Choosing, Copying, Done };

  // Asked before the export starts (RkUnsavedWork::MayExport); false stops it.
  using ExportGate = std::function<bool()>;

  // Who the game goes to: players on a computer like this one, or a web page.
  enum class Audience { ThisComputer, Web };

  // webGame: the web build's folder that an export for the web takes the
  // game's page and program from.
  RkExportGameWindow(std::string gameProgram, ExportGate mayExport, std::string webGame = "");
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
  // A target left at its default follows the choice ("-export" or "-web").
  void SetAudience(Audience chosen);
  Audience GetAudience() const { return audience; }
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
  const RkWebGameExporter::Report& GetWebReport() const { return webReport; }
  std::vector<std::string> GetReportLines() const;

  void Draw();

 private:
  void Start();
  // Collects and checks; false when nothing may be written (the report says why).
  bool Prepare();
  // Writes; on the copy's thread.
  void Finish(const RkExportWriter::ProgressHandler& progress);
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
  std::string webGame;
  Audience audience = Audience::ThisComputer;
  std::unique_ptr<RkWebGameExporter> webExporter;
  RkWebGameExporter::Report webReport;
  std::thread copier;
  std::atomic<bool> stop{false};
  std::atomic<bool> copied{false};
  std::atomic<uint64_t> doneBytes{0};
  std::atomic<uint64_t> totalBytes{0};
  mutable std::mutex pathMutex;
  std::string copyingPath;
};
