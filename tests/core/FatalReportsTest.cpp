// Fatal reports of the records and the world: texts too long for their fields,
// and a missing world file, with their sources and lines.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "RkDialogue.h"
#include "RkError.h"
#include "RkNPC.h"
#include "RkText.h"
#include "RkTile.h"
#include "RkWorld.h"

namespace {

const std::string kTooLong(500, 'x');

}  // namespace

TEST(RecordFatalDeathTest, MissingWorldFileReportsOpenWithTheGamesLine) {
  EXPECT_EXIT(
      {
        SetRunningProgram(RkProgram::Game);
        RkWorld().Load("no-such-map.rkm");
      },
      testing::ExitedWithCode(1),
      "^--RkEngine Description--\nFailed to open the world file.\n\n--Microsoft\xC2\xAE Description--\n"
      "No such file or directory\n\n\nFILE: RkWorld\nLINE: 405\n$");
  EXPECT_EXIT(
      {
        SetRunningProgram(RkProgram::Editor);
        RkWorld().Load("");
      },
      testing::ExitedWithCode(1), "Failed to open the world file.*LINE: 348\n$");
}

TEST(RecordFatalDeathTest, TextsOf500CharactersAreFatalWithTheirSettersReport) {
  const char* text = kTooLong.c_str();
  // The cause is the text's length, not whatever errno an earlier call left.
  EXPECT_EXIT(
      {
        errno = ENOENT;
        RkTile().SetImageFile(text);
      },
      testing::ExitedWithCode(1),
      "Failed to copy the image file location.\n\n--Microsoft\xC2\xAE Description--\n"
      "The text does not fit: a text field holds at most 499 characters.\n\n\nFILE: RkTile\nLINE: 149\n$");
  EXPECT_EXIT(RkTile().SetNewAreaName(text), testing::ExitedWithCode(1),
              "Failed to copy the new area name.*FILE: RkTile\nLINE: 159\n$");
  EXPECT_EXIT(RkEntity().SetName(text), testing::ExitedWithCode(1),
              "Failed to set the name of an entity.*FILE: RkEntity\nLINE: 74\n$");
  EXPECT_EXIT(RkEntity().SetImageFile(text), testing::ExitedWithCode(1),
              "Failed to set the image file location of an entity.*FILE: RkEntity\nLINE: 98\n$");
  EXPECT_EXIT(RkNPC{text}, testing::ExitedWithCode(1),
              "Failed to set the name of the NPC.*FILE: RkNPC\nLINE: 21\n$");
  EXPECT_EXIT(RkText().SetText(text), testing::ExitedWithCode(1),
              "Failed to set the name of the Dialogue text.*FILE: RkText\nLINE: 152\n$");
  EXPECT_EXIT(RkText().SetAsDialogueText(1, text), testing::ExitedWithCode(1),
              "Failed to set the name of the Dialogue text.*LINE: 43\n$");
  EXPECT_EXIT(RkText().SetAsResponse(text, 1), testing::ExitedWithCode(1),
              "Failed to set the name of the Dialogue text.*LINE: 62\n$");
  EXPECT_EXIT(RkDialogue(1, "Hi").AddResponse(text, 2), testing::ExitedWithCode(1),
              "Failed to set the name of the Dialogue text.*LINE: 62\n$");
  EXPECT_EXIT(RkNPC("Long").AddDialogue(3, text), testing::ExitedWithCode(1),
              "Failed to set the name of the Dialogue text.*LINE: 43\n$");
}

TEST(RecordFatalDeathTest, WorldEditingWithTooLongTextsIsFatal) {
  RkWorld world;
  world.Grow(0, 0);
  const char* text = kTooLong.c_str();
  EXPECT_EXIT(world.SetTileImageFile(0, 0, text), testing::ExitedWithCode(1),
              "Failed to copy the image file location.");
  EXPECT_EXIT(world.SetTileNewArea(0, 0, text, 1, 1), testing::ExitedWithCode(1),
              "Failed to copy the new area name.");
  EXPECT_EXIT(world.SetNPC(text, 0, 0, "a.png", NPCNormal), testing::ExitedWithCode(1),
              "Failed to set the name of the NPC.");
  world.SetNPC("Here", 0, 0, "a.png", NPCNormal);
  EXPECT_EXIT(world.SetNPC("Here", 0, 0, text, NPCNormal), testing::ExitedWithCode(1),
              "Failed to set the image file location of an entity.");
}

TEST(RecordFatalDeathTest, NullTextIsFatalLikeATooLongOne) {
  EXPECT_EXIT(RkEntity().SetName(nullptr), testing::ExitedWithCode(1), "Failed to set the name of an entity.");
}
