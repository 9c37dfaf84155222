// A failure that the caller decides about: the fixed message of the failed
// action, the cause (the system's text for the error of the failing call, or a
// text of our own where the system gives none), and the source and line that
// the fatal report of that action names.
//
// The file operations come in two forms built on this value. The non-fatal form
// (RkWorld::TryLoad, RkWorld::TrySave, RkNPCList::TryLoadNPCFile,
// RkNPCList::TrySaveNPCFile) returns the failure, so the editor can turn a bad
// file into a notice; the fatal form (Load, Save, ...) calls it and passes the
// failure to Report(), which gives exactly the fatal report of that action.
#pragma once

#include <string>

class RkFailure {
 public:
  RkFailure(const char* message, std::string systemText, const char* sourceFile, int line);
  // The cause is the system's text for the error code of the failing call.
  static RkFailure FromError(const char* message, int error, const char* sourceFile, int line);

  const std::string& GetMessage() const { return message_; }
  // Ends in a line feed, like the system's texts.
  const std::string& GetSystemText() const { return systemText_; }
  const std::string& GetSourceFile() const { return sourceFile_; }
  // The line passed to the report (the report prints it minus 2).
  int GetLine() const { return line_; }

  // The text of the fatal report for this failure.
  std::string BuildReport() const;
  // The fatal report: shows BuildReport() and ends the program with code 1.
  [[noreturn]] void Report() const;

 private:
  std::string message_;
  std::string systemText_;
  std::string sourceFile_;
  int line_;
};
