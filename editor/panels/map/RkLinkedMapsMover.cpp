// The question after saving a moved map, and the rewrite of the maps leading into it.
#include "RkLinkedMapsMover.h"

#include <filesystem>
#include <utility>

#include "RkMapLinks.h"
#include "RkMapPath.h"

namespace {

constexpr int kYes = 0;
constexpr int kNo = 1;

}  // namespace

RkLinkedMapsMover::RkLinkedMapsMover(QuestionAsker askQuestion, NoticeShower showNotice)
    : askQuestion(std::move(askQuestion)), showNotice(std::move(showNotice)) {}

std::string RkLinkedMapsMover::Question(const std::string& mapName, const std::vector<std::string>& maps) {
  const bool one = maps.size() == 1;
  std::string text = std::to_string(maps.size()) + (one ? " map leads into " : " maps lead into ") + mapName + ": ";
  for (std::size_t i = 0; i < maps.size(); ++i) text += (i > 0 ? ", " : "") + maps[i];
  return text + (one ? ". Move its start points with it?" : ". Move their start points with it?");
}

void RkLinkedMapsMover::AfterSave(const RkWorld& world, const std::string& file) {
  const int32_t dx = world.GetShiftSinceSaveX();
  const int32_t dy = world.GetShiftSinceSaveY();
  // Saved under another name, the map is not the one the other maps lead into.
  const bool sameFile =
      RkMapPath::Normalized(world.GetFileName().c_str()) == RkMapPath::Normalized(file.c_str());
  if ((dx == 0 && dy == 0) || !sameFile) return;
  const std::filesystem::path path(file);
  const std::string folder = path.parent_path().string();
  const std::string mapName = path.filename().string();
  const std::vector<std::string> leading = RkMapLinks::FindMapsLeadingInto(folder, mapName);
  if (leading.empty() || askQuestion(Question(mapName, leading), {"Yes", "No"}, kNo) != kYes) {
    return;
  }
  const RkMapLinks::Rewrite rewrite = RkMapLinks::ShiftStartPointsInto(folder, mapName, dx, dy);
  if (rewrite.unsaved.empty() && rewrite.unreadable.empty()) {
    return;
  }
  std::string text = "The start points of these maps could not be moved; they stay as they were:";
  for (const std::string& failed : rewrite.unsaved) text += "\n" + failed;
  for (const std::string& failed : rewrite.unreadable) text += "\n" + failed;
  showNotice(text.c_str());
}
