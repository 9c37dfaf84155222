// Fatal reports: the exact report texts, the line minus 2, and exit code 1.
#include <gtest/gtest.h>

#include <cerrno>

#include "RkError.h"
#include "RkNotice.h"

TEST(FatalReport, Win32LayoutShowsLineMinusTwo) {
  EXPECT_EQ(BuildWin32Report("Failed to open the world file.", "No such file or directory\n", "RkWorld", 407),
            "--RkEngine Description--\nFailed to open the world file.\n\n"
            "--Microsoft\xC2\xAE Description--\nNo such file or directory\n\n\n"
            "FILE: RkWorld\nLINE: 405\n");
  EXPECT_NE(BuildWin32Report("m", "", "RkTile", 2).find("LINE: 0\n"), std::string::npos);
  EXPECT_NE(BuildWin32Report("m", "", "RkTile", 1).find("LINE: -1\n"), std::string::npos);
}

TEST(FatalReport, DirectXLayoutAddsItsSectionAndOneLineFeedBeforeFile) {
  EXPECT_EQ(BuildDirectXReport("Failed to draw the sprite.", RK_D3DERR_INVALIDCALL, "Success\n", "RkSprite", 91),
            "--RkEngine Description--\nFailed to draw the sprite.\n\n"
            "--DirectX Description--\n\"D3DERR_INVALIDCALL\": Invalid call.\n\n"
            "--Microsoft\xC2\xAE Description--\nSuccess\n\n"
            "FILE: RkSprite\nLINE: 89\n");
}

TEST(FatalReport, UnknownResultStillHasANameAndDescription) {
  EXPECT_STREQ(GetResultName(0x12345), "Unknown");
  EXPECT_STRNE(GetResultDescription(0x12345), "");
}

TEST(FatalReport, LongReportIsCutToTheBuffer) {
  const std::string longMessage(6000, 'x');
  const std::string report = BuildWin32Report(longMessage.c_str(), "", "RkWorld", 10);
  EXPECT_EQ(report.size(), static_cast<size_t>(kReportCapacity - 1));
}

// A failing call that left no error code must not be reported as "Success".
TEST(FatalReportDeathTest, Win32ReportPrintsExactTextAndExitsWithOne) {
  EXPECT_EXIT(
      {
        errno = 0;
        ReportWin32Error("Failed to open the world file.", "RkWorld", 91);
      },
      testing::ExitedWithCode(1),
      "^--RkEngine Description--\nFailed to open the world file.\n\n--Microsoft\xC2\xAE Description--\n"
      "The failing call gave no cause.\n\n\nFILE: RkWorld\nLINE: 89\n$");
}

TEST(FatalReportDeathTest, DirectXReportOfResultZeroStillExitsWithOne) {
  EXPECT_EXIT(ReportDirectXError("Failed to present the display buffer.", RK_OK, "RkDirect3D", 5),
              testing::ExitedWithCode(1), "\"S_OK\": The function completed successfully.");
}

TEST(FatalReport, LinesFollowTheRunningProgram) {
  SetRunningProgram(RkProgram::Editor);
  EXPECT_EQ(RkProgramLine(350, 407), 350);
  SetRunningProgram(RkProgram::Game);
  EXPECT_EQ(RkProgramLine(350, 407), 407);
}

TEST(Notice, HandlerObservesTextAndCaption) {
  std::string seenText;
  const char* seenCaption = "unset";
  SetNoticeHandler([&](const std::string& text, const char* caption) {
    seenText = text;
    seenCaption = caption;
  });
  ShowNotice("still bad");
  SetNoticeHandler(nullptr);
  EXPECT_EQ(seenText, "still bad");
  EXPECT_EQ(seenCaption, nullptr);
}
