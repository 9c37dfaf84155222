// The question that offers a recovery file, and what each answer does.
#include "RkRecoveryOffer.h"

#include <utility>

#include "RkRecoveryFile.h"

namespace {

constexpr int kYes = 0;
constexpr int kNo = 1;
constexpr int kEscape = -1;

}  // namespace

RkRecoveryOffer::RkRecoveryOffer(Asker ask, Restorer restore) : ask(std::move(ask)), restore(std::move(restore)) {}

std::string RkRecoveryOffer::QuestionFor(const std::string& mapFile) {
  const std::string map = mapFile == RkRecoveryFile::kUnnamedMap ? "Untitled" : mapFile;
  return "Restore unsaved changes to " + map + " from " +
         RkRecoveryFile::WrittenAtText(RkRecoveryFile::PathFor(mapFile)) + "?";
}

bool RkRecoveryOffer::OfferInFolder(const std::string& folder) {
  for (const std::string& mapFile : RkRecoveryFile::FindWorthOffering(folder)) {
    if (Offer(mapFile)) return true;
  }
  return false;
}

bool RkRecoveryOffer::OfferFor(const std::string& mapFile, const std::string& readFrom) {
  return RkRecoveryFile::IsWorthOffering(mapFile, readFrom) && Offer(mapFile);
}

// A recovery file that cannot be read stays where it is: the restorer's notice
// names it, and the user may still want what it holds.
bool RkRecoveryOffer::Offer(const std::string& mapFile) {
  const std::string recoveryPath = RkRecoveryFile::PathFor(mapFile);
  const int answer = ask(QuestionFor(mapFile), {"Yes", "No"}, kEscape);
  if (answer == kYes) return restore(recoveryPath, mapFile == RkRecoveryFile::kUnnamedMap ? "" : mapFile);
  if (answer == kNo) RkRecoveryFile::Remove(recoveryPath);
  return false;
}
