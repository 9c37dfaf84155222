// Failures returned by the non-fatal file operations, and their fatal report.
#include "RkFailure.h"

#include <utility>

#include "RkError.h"

RkFailure::RkFailure(const char* message, std::string systemText, const char* sourceFile, int line)
    : message_(message), systemText_(std::move(systemText)), sourceFile_(sourceFile), line_(line) {}

RkFailure RkFailure::FromError(const char* message, int error, const char* sourceFile, int line) {
  return RkFailure(message, GetSystemErrorText(error), sourceFile, line);
}

std::string RkFailure::BuildReport() const {
  return BuildWin32Report(message_.c_str(), systemText_.c_str(), sourceFile_.c_str(), line_);
}

void RkFailure::Report() const {
  ReportWin32Error(message_.c_str(), systemText_.c_str(), sourceFile_.c_str(), line_);
}
