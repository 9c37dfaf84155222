// Offers the work that a recovery file kept: on start for the maps of the
// working folder, after Load Map for the map just loaded. Yes restores it as the
// map, unsaved; No removes the file, so the same work is not offered again;
// Escape or the close box keeps it for the next time.
#pragma once

#include <functional>
#include <string>
#include <vector>

class RkRecoveryOffer {
 public:
  // Asks the question; the index of the button chosen, escapeAnswer for Escape.
  using Asker = std::function<int(const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer)>;
  // Takes the recovery file's world as the map of mapFile (empty for a map
  // without a name); false (after a notice) when it cannot be read.
  using Restorer = std::function<bool(const std::string& recoveryPath, const std::string& mapFile)>;

  RkRecoveryOffer(Asker ask, Restorer restore);

  // "Restore unsaved changes to World.rkm from 10:42?"; "... to Untitled from
  // 10:42?" for RkRecoveryFile::kUnnamedMap.
  static std::string QuestionFor(const std::string& mapFile);

  // Offers the recovery files of the folder's maps, newest first, until one is
  // restored (only one map is open at a time); true when one was.
  bool OfferInFolder(const std::string& folder);
  // Offers the recovery file of mapFile if it is newer than mapFile and readFrom.
  bool OfferFor(const std::string& mapFile, const std::string& readFrom = "");

 private:
  bool Offer(const std::string& mapFile);

  Asker ask;
  Restorer restore;
};
