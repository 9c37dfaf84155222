// Fatal reports: the failure of a call that the code tests ends the program with
// a report on standard error (and in a box captioned "ERROR" when the platform
// layer has installed one), then exit code 1. Neither report returns.
//
// Report layouts (lines separated by "\n", the printed line is the passed line - 2):
//   Win32 form:   --RkEngine Description-- / message / "" / --Microsoft® Description-- /
//                 system text / "" / FILE: source / LINE: n
//   DirectX form: --RkEngine Description-- / message / "" / --DirectX Description-- /
//                 "NAME": description / "" / --Microsoft® Description-- / system text /
//                 FILE: source / LINE: n
// The system text is the operating system's text for errno, ending in a line feed.
#pragma once

#include <cstdint>
#include <string>

// The two programs pass different lines for some reports; the running program
// is one setting made at start-up (the game is the default).
enum class RkProgram { Game, Editor };
void SetRunningProgram(RkProgram program);
RkProgram GetRunningProgram();
// The line to pass where the editor and the game differ.
int RkProgramLine(int editorLine, int gameLine);

// Result codes of the platform calls, reported in the DirectX form.
using RkResult = int32_t;
constexpr RkResult RK_OK = 0;
constexpr RkResult RK_E_FAIL = static_cast<RkResult>(0x80004005u);
constexpr RkResult RK_E_OUTOFMEMORY = static_cast<RkResult>(0x8007000Eu);
constexpr RkResult RK_E_INVALIDARG = static_cast<RkResult>(0x80070057u);
constexpr RkResult RK_D3DERR_INVALIDCALL = static_cast<RkResult>(0x8876086Cu);
constexpr RkResult RK_D3DERR_NOTAVAILABLE = static_cast<RkResult>(0x8876086Au);
constexpr RkResult RK_D3DERR_DEVICELOST = static_cast<RkResult>(0x88760868u);
constexpr RkResult RK_D3DXERR_INVALIDDATA = static_cast<RkResult>(0x88760B59u);
constexpr RkResult RK_DIERR_NOTACQUIRED = static_cast<RkResult>(0x8007000Cu);
constexpr RkResult RK_DIERR_INPUTLOST = static_cast<RkResult>(0x8007001Eu);

// Symbolic name and one-line description of a result code ("Unknown" for others).
const char* GetResultName(RkResult result);
const char* GetResultDescription(RkResult result);

// The system text is errno's at the time of the call: call it right after the
// failing call, or pass the cause yourself with the second form.
[[noreturn]] void ReportWin32Error(const char* message, const char* sourceFile, int line);
[[noreturn]] void ReportWin32Error(const char* message, const char* systemText, const char* sourceFile,
                                   int line);
[[noreturn]] void ReportDirectXError(const char* message, RkResult result, const char* sourceFile,
                                     int line);
// With the cause's text given by the caller (a library's own error text, with
// its line end) where errno does not hold the cause.
[[noreturn]] void ReportDirectXError(const char* message, RkResult result, const char* systemText,
                                     const char* sourceFile, int line);

// Formats into a buffer of kReportCapacity characters (longer text is cut).
constexpr int kReportCapacity = 5000;
void FormatReport(char* buffer, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// The report texts themselves, for the reports above and for tests.
std::string BuildWin32Report(const char* message, const char* systemText, const char* sourceFile,
                             int line);
std::string BuildDirectXReport(const char* message, RkResult result, const char* systemText,
                               const char* sourceFile, int line);
// The system text of an error code (errno values), with its line end. Code 0
// means the failing call gave no cause; the text then says so rather than
// "Success", which would contradict the report.
std::string GetSystemErrorText(int error);
// The same for the last error (errno).
std::string GetSystemErrorText();

// Where a fatal report is shown besides standard error; the platform layer
// installs its message box here. Null (the default) shows nothing more.
using RkFatalBoxHandler = void (*)(const char* caption, const char* text);
void SetFatalBoxHandler(RkFatalBoxHandler handler);
