// Fatal reports: builds the report text, shows it, ends the process with code 1.
#include "RkError.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

RkProgram runningProgram = RkProgram::Game;
RkFatalBoxHandler fatalBoxHandler = nullptr;

struct ResultText {
  RkResult result;
  const char* name;
  const char* description;
};

// Our platform's result codes; the names keep the system's spelling.
const ResultText kResultTexts[] = {
    {RK_OK, "S_OK", "The function completed successfully."},
    {RK_E_FAIL, "E_FAIL", "An undetermined error occurred."},
    {RK_E_OUTOFMEMORY, "E_OUTOFMEMORY", "Ran out of memory."},
    {RK_E_INVALIDARG, "E_INVALIDARG", "An invalid parameter was passed to the returning function."},
    {RK_D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL", "Invalid call."},
    {RK_D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE", "The requested format or device is not available."},
    {RK_D3DERR_DEVICELOST, "D3DERR_DEVICELOST", "The device has been lost."},
    {RK_D3DXERR_INVALIDDATA, "D3DXERR_INVALIDDATA", "The data could not be read or decoded."},
    {RK_DIERR_NOTACQUIRED, "DIERR_NOTACQUIRED", "The device is not acquired."},
    {RK_DIERR_INPUTLOST, "DIERR_INPUTLOST", "Access to the input device has been lost."},
};

const ResultText* FindResultText(RkResult result) {
  for (const ResultText& entry : kResultTexts) {
    if (entry.result == result) return &entry;
  }
  return nullptr;
}

// The "®" of the section titles, as the registered sign in UTF-8 on this platform.
constexpr const char* kWin32Format =
    "--RkEngine Description--\n%s\n\n--Microsoft\xC2\xAE Description--\n%s\n\nFILE: %s\nLINE: %d\n";
constexpr const char* kDirectXFormat =
    "--RkEngine Description--\n%s\n\n--DirectX Description--\n\"%s\": %s\n\n"
    "--Microsoft\xC2\xAE Description--\n%s\nFILE: %s\nLINE: %d\n";

[[noreturn]] void ShowAndExit(const std::string& report) {
  std::fputs(report.c_str(), stderr);
  std::fflush(stderr);
  if (fatalBoxHandler != nullptr) fatalBoxHandler("ERROR", report.c_str());
  std::exit(1);
}

}  // namespace

void SetRunningProgram(RkProgram program) { runningProgram = program; }
RkProgram GetRunningProgram() { return runningProgram; }
int RkProgramLine(int editorLine, int gameLine) {
  return runningProgram == RkProgram::Editor ? editorLine : gameLine;
}

const char* GetResultName(RkResult result) {
  const ResultText* entry = FindResultText(result);
  return entry != nullptr ? entry->name : "Unknown";
}

const char* GetResultDescription(RkResult result) {
  const ResultText* entry = FindResultText(result);
  return entry != nullptr ? entry->description : "An unknown result code was returned.";
}

void FormatReport(char* buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, kReportCapacity, format, arguments);
  va_end(arguments);
}

std::string GetSystemErrorText(int error) {
  if (error == 0) return "The failing call gave no cause.\n";
  return std::string(std::strerror(error)) + "\n";
}

std::string GetSystemErrorText() { return GetSystemErrorText(errno); }

std::string BuildWin32Report(const char* message, const char* systemText, const char* sourceFile,
                             int line) {
  char buffer[kReportCapacity];
  FormatReport(buffer, kWin32Format, message, systemText, sourceFile, line - 2);
  return buffer;
}

std::string BuildDirectXReport(const char* message, RkResult result, const char* systemText,
                               const char* sourceFile, int line) {
  char buffer[kReportCapacity];
  FormatReport(buffer, kDirectXFormat, message, GetResultName(result), GetResultDescription(result),
               systemText, sourceFile, line - 2);
  return buffer;
}

void ReportWin32Error(const char* message, const char* sourceFile, int line) {
  const std::string systemText = GetSystemErrorText();
  ShowAndExit(BuildWin32Report(message, systemText.c_str(), sourceFile, line));
}

void ReportWin32Error(const char* message, const char* systemText, const char* sourceFile, int line) {
  ShowAndExit(BuildWin32Report(message, systemText, sourceFile, line));
}

void ReportDirectXError(const char* message, RkResult result, const char* sourceFile, int line) {
  const std::string systemText = GetSystemErrorText();
  ShowAndExit(BuildDirectXReport(message, result, systemText.c_str(), sourceFile, line));
}

void ReportDirectXError(const char* message, RkResult result, const char* systemText,
                        const char* sourceFile, int line) {
  ShowAndExit(BuildDirectXReport(message, result, systemText, sourceFile, line));
}

void SetFatalBoxHandler(RkFatalBoxHandler handler) { fatalBoxHandler = handler; }
