// The checks of a folder of maps, each with a sentence for the map maker.
#include "RkMapChecker.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <utility>

#include "RkImageHeader.h"
#include "RkMapLinks.h"
#include "RkMapPath.h"
#include "RkNPCList.h"
#include "RkNativePath.h"
#include "RkPathResolver.h"
#include "RkSafeLoader.h"
#include "RkWalkFlood.h"
#include "RkWorld.h"

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kUnknownKind = 255;

// "an Impassable cell", for the sentences.
std::string CellPhrase(int32_t kind) {
  switch (kind) {
    case TileNull: return "a Null cell";
    case TileOpen: return "an Open cell";
    case TileImpassable: return "an Impassable cell";
    case TileNewArea: return "a New Area cell";
  }
  return "a cell of an unknown kind";
}

bool CanArriveOn(int32_t kind) { return kind == TileOpen || kind == TileNewArea; }

std::string Place(int32_t x, int32_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) joined += i + 1 == names.size() ? " and " : ", ";
    joined += names[i];
  }
  return joined;
}

}  // namespace

RkMapChecker::RkMapChecker(std::string folder) : folder_(std::move(folder)) {}

bool RkMapChecker::HasErrors(const std::vector<RkMapFinding>& findings) {
  return std::any_of(findings.begin(), findings.end(), [](const RkMapFinding& f) { return f.IsError(); });
}

std::vector<RkMapFinding> RkMapChecker::Check() {
  findings_.clear();
  maps_.clear();
  otherTargets_.clear();
  images_.clear();
  sheets_.clear();
  settings_ = RkGameSettings::ReadFrom(folder_);
  CheckSettingsLines();
  std::vector<std::string> names = RkMapLinks::ListMaps(folder_);
  if (inMemory_ != nullptr && std::none_of(names.begin(), names.end(), [this](const std::string& name) {
        return RkMapPath::Normalized(name.c_str()) == RkMapPath::Normalized(inMemoryFile_.c_str());
      })) {
    // Its file went from the folder after it was opened: the map is still the folder's.
    names.push_back(inMemoryFile_);
  }
  for (const std::string& name : names) CheckMapFile(name);
  FindStartMap(names);
  CheckNPCLibrary();
  CheckPlayerImage();
  CheckStart();
  CheckLinks();
  CheckMapsReached();
  CheckNewAreasReached();
  return findings_;
}

void RkMapChecker::CheckSettingsLines() {
  for (const RkGameSettings::Problem& problem : settings_.GetProblems()) {
    if (problem.line > 0) {
      ErrorOnLine(problem);
    } else {
      const std::string cause = problem.error != 0 ? std::string(": ") + std::strerror(problem.error) : "";
      Error(RkGameSettings::kFileName, problem.sentence + cause);
    }
  }
}

// Without a map line the game opens "World.rkm" of the folder; a map that
// Game.ini names is found like the target of a link.
void RkMapChecker::FindStartMap(const std::vector<std::string>& names) {
  start_ = Link{};
  startFound_ = false;
  if (settings_.LineOf(RkGameSettings::Key::Map) == 0) {
    if (std::find(names.begin(), names.end(), kStartMap) == names.end()) {
      Error(kStartMap, std::string("the folder has no ") + kStartMap + ", the map the game starts on");
      return;
    }
    start_.file = kStartMap;
    start_.target = kStartMap;
    start_.inFolder = true;
  } else {
    start_.stored = settings_.GetMap();
    start_.target = RkMapPath::Normalized(start_.stored.c_str());
    LocateTarget(start_);
    if (start_.file.empty()) return ErrorOnLine(settings_.MissingMapProblem());
  }
  start_.startX = settings_.GetStartX();
  start_.startY = settings_.GetStartY();
  startFound_ = true;
}

std::string RkMapChecker::StartName() const { return start_.inFolder ? start_.file : start_.target; }

void RkMapChecker::CheckPlayerImage() {
  if (settings_.LineOf(RkGameSettings::Key::Player) == 0) return;
  const std::string& problem = ImageProblem(settings_.GetPlayerImage());
  if (problem.empty()) return;
  RkGameSettings::Problem missing = settings_.MissingPlayerImageProblem();
  missing.sentence = "the image " + settings_.GetPlayerImage() + " " + problem;
  ErrorOnLine(missing);
}

std::string RkMapChecker::InFolder(const std::string& storedPath) const {
  const std::string native = RkNativePath::FromStored(storedPath.c_str());
  return folder_.empty() ? native : (fs::path(folder_) / native).string();
}

bool RkMapChecker::FileExists(const std::string& storedPath) const {
  std::error_code error;
  return !storedPath.empty() && fs::exists(InFolder(storedPath), error);
}

// Stored paths are found as the game finds them (any case, '\\' between folders,
// Windows absolute paths by their tails), so that a map made on Windows is not
// flagged for what the game would open.
bool RkMapChecker::Locate(const std::string& storedPath, std::string& file) const {
  return RkPathResolver::Instance().FindIn(folder_, storedPath.c_str(), file);
}

// Maps name the same few images on thousands of cells: each is looked up once.
const std::string& RkMapChecker::ImageProblem(const std::string& storedPath) {
  const auto found = images_.find(storedPath);
  if (found != images_.end()) return found->second;
  const RkSheetCell cell = RkSheetCell::Locate(folder_, storedPath);
  std::string problem;
  if (cell.IsMalformed()) {
    problem = "does not exist, and " + cell.GetProblem();
  } else if (cell.IsCell()) {
    problem = CellProblem(cell);
  } else {
    std::error_code error;
    std::string file;
    if (!Locate(storedPath, file) || !fs::is_regular_file(file, error)) problem = "does not exist";
  }
  return images_.emplace(storedPath, std::move(problem)).first->second;
}

// A cell is drawn from its sheet: the sheet must read as an image within the
// loader's bound, and hold the whole cell.
std::string RkMapChecker::CellProblem(const RkSheetCell& cell) {
  std::error_code error;
  std::string file;
  if (!Locate(cell.GetSheet(), file) || !fs::is_regular_file(file, error)) {
    return "cannot be drawn: its sheet " + cell.GetSheet() + " does not exist";
  }
  auto measured = sheets_.find(file);
  if (measured == sheets_.end()) {
    SheetSize size;
    const std::optional<RkImageHeader> header = RkImageHeader::ReadFile(file, size.cause);
    if (!header) {
      size.cause = "cannot be read: " + size.cause;
    } else if (!header->IsSupported()) {
      size.cause = "is not an image that the game reads";
    } else if (header->GetWidth() > RkImageHeader::kMaxSide || header->GetHeight() > RkImageHeader::kMaxSide) {
      size.cause = "is " + std::to_string(header->GetWidth()) + " by " + std::to_string(header->GetHeight()) +
                   " pixels; more than " + std::to_string(RkImageHeader::kMaxSide) + " on a side is not loaded";
    } else {
      size.readable = true;
      size.width = header->GetWidth();
      size.height = header->GetHeight();
    }
    measured = sheets_.emplace(file, std::move(size)).first;
  }
  const SheetSize& sheet = measured->second;
  if (!sheet.readable) return "cannot be drawn: its sheet " + cell.GetSheet() + " " + sheet.cause;
  if (!cell.LiesWithin(sheet.width, sheet.height)) return "cannot be drawn: " + cell.DescribeOutside(sheet.width, sheet.height);
  return "";
}

// A target that the game finds among the folder's own maps is that map, by its
// name in the folder; the checks across maps follow it there.
void RkMapChecker::LocateTarget(Link& link) const {
  std::string found;
  if (!Locate(link.stored, found)) return;
  const fs::path file = fs::path(found).lexically_normal();
  const std::string parent = file.parent_path().generic_string();
  std::string folder = fs::path(folder_.empty() ? "." : folder_).lexically_normal().generic_string();
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  link.inFolder = parent == folder || (parent.empty() && folder == ".");
  link.file = link.inFolder ? file.filename().string() : file.generic_string();
}

void RkMapChecker::UseWorldFor(const std::string& name, const RkWorld& world) {
  inMemoryFile_ = name;
  inMemory_ = &world;
}

void RkMapChecker::CheckMapFile(const std::string& name) {
  const std::string normalized = RkMapPath::Normalized(name.c_str());
  MapSummary& summary = maps_[normalized];
  RkWorld loaded;
  const RkWorld* read = &loaded;
  std::string cause;
  if (inMemory_ != nullptr && normalized == RkMapPath::Normalized(inMemoryFile_.c_str())) {
    read = inMemory_;
  } else if (!RkSafeLoader::TryLoadWorld(InFolder(name), loaded, cause)) {
    Error(name, "cannot be read: " + cause);
    return;
  }
  const RkWorld& world = *read;
  CheckCells(name, world);
  CheckNPCsOnMap(name, world);
  summary = Summarize(world);
  for (Link& link : summary.links) LocateTarget(link);
}

RkMapChecker::MapSummary RkMapChecker::Summarize(const RkWorld& world) {
  MapSummary summary;
  summary.readable = true;
  summary.width = world.GetWidth();
  summary.height = world.GetHeight();
  summary.kinds.reserve(static_cast<std::size_t>(summary.width) * static_cast<std::size_t>(summary.height));
  for (int32_t x = 0; x < summary.width; ++x) {
    for (int32_t y = 0; y < summary.height; ++y) {
      const int32_t kind = world.GetTileType(x, y);
      summary.kinds.push_back(kind >= TileNull && kind <= TileNewArea ? static_cast<uint8_t>(kind) : kUnknownKind);
      if (kind != TileNewArea || world.GetTileNewAreaName(x, y)[0] == '\0') continue;
      const char* stored = world.GetTileNewAreaName(x, y);
      summary.links.push_back({x, y, stored, RkMapPath::Normalized(stored), world.GetTileNewAreaStartX(x, y),
                               world.GetTileNewAreaStartY(x, y), "", false});
    }
  }
  return summary;
}

// The game draws every cell, and ends when an image cannot be loaded.
void RkMapChecker::CheckCells(const std::string& name, const RkWorld& world) {
  for (int32_t x = 0; x < world.GetWidth(); ++x) {
    for (int32_t y = 0; y < world.GetHeight(); ++y) {
      const std::string image = world.GetTileImageFile(x, y);
      if (image.empty()) {
        ErrorAt(name, x, y, "the cell has no image, and the game cannot draw it");
      } else if (const std::string& problem = ImageProblem(image); !problem.empty()) {
        ErrorAt(name, x, y, "image " + image + " " + problem);
      }
      if (world.GetTileType(x, y) == TileNewArea && world.GetTileNewAreaName(x, y)[0] == '\0') {
        WarningAt(name, x, y, "New Area cell leads nowhere: it has no target map");
      }
    }
  }
}

void RkMapChecker::CheckNPCsOnMap(const std::string& name, const RkWorld& world) {
  std::map<std::pair<int32_t, int32_t>, std::vector<std::string>> standing;
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    const int32_t x = npc.GetX();
    const int32_t y = npc.GetY();
    standing[{x, y}].push_back(npc.GetName());
    CheckNPCImage(name, npc, true);
    if (!world.IsInBounds(x, y)) {
      WarningAt(name, x, y,
                std::string("NPC ") + npc.GetName() + " stands outside the map of " + std::to_string(world.GetWidth()) +
                    " by " + std::to_string(world.GetHeight()) + " cells");
    } else if (world.GetTileType(x, y) != TileOpen) {
      WarningAt(name, x, y,
                std::string("NPC ") + npc.GetName() + " stands on " + CellPhrase(world.GetTileType(x, y)) +
                    "; NPCs belong on Open cells");
    }
    CheckDialogues(name, npc, true);
  }
  for (const auto& [cell, names] : standing) {
    if (names.size() > 1) {
      WarningAt(name, cell.first, cell.second, "NPCs " + JoinNames(names) + " stand on the same cell");
    }
  }
}

void RkMapChecker::CheckNPCLibrary() {
  if (!FileExists(RkNPCList::kFileName)) return;
  RkNPCList library;
  std::string cause;
  if (!RkSafeLoader::TryLoadNPCList(InFolder(RkNPCList::kFileName), library, cause)) {
    Error(RkNPCList::kFileName, "cannot be read: " + cause);
    return;
  }
  for (unsigned i = 0; i < library.GetCount(); ++i) {
    CheckNPCImage(RkNPCList::kFileName, library.GetNPC(i), false);
    CheckDialogues(RkNPCList::kFileName, library.GetNPC(i), false);
  }
}

void RkMapChecker::CheckNPCImage(const std::string& file, const RkNPC& npc, bool onMap) {
  const std::string image = npc.GetImageFile();
  std::string sentence;
  if (image.empty()) {
    sentence = std::string("NPC ") + npc.GetName() + " has no image";
  } else if (const std::string& problem = ImageProblem(image); !problem.empty()) {
    sentence = "image " + image + " of NPC " + npc.GetName() + " " + problem;
  } else {
    return;
  }
  if (onMap) {
    ErrorAt(file, npc.GetX(), npc.GetY(), sentence);
  } else {
    Error(file, sentence);
  }
}

// A conversation starts at the NPC's dialogue with the lowest Text ID (as the
// game opens it) and follows the Next IDs of the answers chosen.
void RkMapChecker::CheckDialogues(const std::string& file, const RkNPC& npc, bool onMap) {
  const auto report = [&](const std::string& sentence) {
    if (onMap) {
      WarningAt(file, npc.GetX(), npc.GetY(), sentence);
    } else {
      Warning(file, sentence);
    }
  };
  const std::string who = std::string("NPC ") + npc.GetName();
  std::set<int32_t> ids;
  for (unsigned i = 0; i < npc.GetDialogueCount(); ++i) ids.insert(npc.GetDialogueID(i));
  if (ids.empty()) return;
  const int32_t startID = *ids.begin();
  std::set<int32_t> reached;
  std::vector<int32_t> pending{startID};
  while (!pending.empty()) {
    const int32_t id = pending.back();
    pending.pop_back();
    if (!reached.insert(id).second) continue;
    for (unsigned r = 0; r < npc.GetResponseCount(id); ++r) {
      const int32_t next = npc.GetResponseNextID(id, r);
      if (ids.count(next) != 0) pending.push_back(next);
    }
  }
  for (unsigned i = 0; i < npc.GetDialogueCount(); ++i) {
    const int32_t id = npc.GetDialogueID(i);
    for (unsigned r = 0; r < npc.GetResponseCount(id); ++r) {
      const int32_t next = npc.GetResponseNextID(id, r);
      if (ids.count(next) != 0) continue;
      report(who + ": the answer \"" + npc.GetResponseText(id, r) + "\" to dialogue " + std::to_string(id) +
             " leads to dialogue " + std::to_string(next) + ", which " + npc.GetName() + " does not have");
    }
    if (reached.count(id) == 0) {
      report(who + ": dialogue " + std::to_string(id) + " is never shown: the conversation starts at dialogue " +
             std::to_string(startID) + " and no answer on the way leads to it");
    }
  }
}

void RkMapChecker::CheckStart() {
  if (!startFound_) return;
  const MapSummary* world = FindSummary(start_);
  if (world == nullptr) return;
  // A map of the folder that cannot be read has its own finding.
  if (!world->readable) {
    if (!start_.inFolder || maps_.count(start_.file) == 0) {
      RkGameSettings::Problem unreadable;
      unreadable.line = settings_.LineOf(RkGameSettings::Key::Map);
      unreadable.sentence = "the map " + settings_.GetMap() + " cannot be read";
      ErrorOnLine(unreadable);
    }
    return;
  }
  if (settings_.LineOf(RkGameSettings::Key::Start) > 0) {
    const bool inside = start_.startX >= 0 && start_.startX < world->width && start_.startY >= 0 &&
                        start_.startY < world->height;
    const int32_t kind = inside ? static_cast<int32_t>(world->kinds[static_cast<std::size_t>(start_.startX) *
                                                                         world->height + start_.startY])
                                : static_cast<int32_t>(TileNull);
    if (auto problem = settings_.CheckStart(world->width, world->height, kind)) ErrorOnLine(*problem);
    return;
  }
  if (world->width == 0 || world->height == 0) {
    ErrorAt(StartName(), 0, 0, "the game starts the player on this cell, but the map has no cells");
  } else if (world->kinds[0] != TileOpen) {
    ErrorAt(StartName(), 0, 0, "the game starts the player on this cell, but it is " + CellPhrase(world->kinds[0]) +
                                   ", not an Open one");
  }
}

const RkMapChecker::MapSummary* RkMapChecker::FindSummary(const Link& link) {
  if (link.file.empty()) return nullptr;
  if (link.inFolder) {
    const auto inFolder = maps_.find(link.file);
    if (inFolder != maps_.end()) return &inFolder->second;
  }
  const auto elsewhere = otherTargets_.find(link.file);
  if (elsewhere != otherTargets_.end()) return &elsewhere->second;
  const std::string path = link.inFolder ? InFolder(link.file) : link.file;
  RkWorld world;
  std::string cause;
  MapSummary& summary = otherTargets_[link.file];
  if (RkSafeLoader::TryLoadWorld(path, world, cause)) summary = Summarize(world);
  return &summary;
}

void RkMapChecker::CheckLinks() {
  for (const auto& [name, summary] : maps_) {
    for (const Link& link : summary.links) CheckLink(name, link);
  }
}

void RkMapChecker::CheckLink(const std::string& name, const Link& link) {
  const MapSummary* target = FindSummary(link);
  const std::string leads = "link leads to " + link.target;
  if (target == nullptr) {
    ErrorAt(name, link.x, link.y, leads + ", which does not exist");
    return;
  }
  // A target in the folder that cannot be read has its own finding.
  if (!target->readable) {
    if (!link.inFolder || maps_.count(link.file) == 0) ErrorAt(name, link.x, link.y, leads + ", which cannot be read");
    return;
  }
  const std::string arrival = leads + " " + Place(link.startX, link.startY);
  if (link.startX < 0 || link.startX >= target->width || link.startY < 0 || link.startY >= target->height) {
    ErrorAt(name, link.x, link.y,
            arrival + ", which is outside that map of " + std::to_string(target->width) + " by " +
                std::to_string(target->height) + " cells");
    return;
  }
  const uint8_t kind = target->kinds[static_cast<std::size_t>(link.startX) * target->height + link.startY];
  if (!CanArriveOn(kind)) {
    ErrorAt(name, link.x, link.y,
            arrival + ", which is " + CellPhrase(kind) + "; the player can only arrive on Open or New Area cells");
  }
}

void RkMapChecker::CheckMapsReached() {
  if (!startFound_) return;
  const MapSummary* start = FindSummary(start_);
  if (start == nullptr || !start->readable) return;
  std::set<std::string> reached;
  if (start_.inFolder) reached.insert(start_.file);
  std::vector<const MapSummary*> pending{start};
  while (!pending.empty()) {
    const MapSummary* map = pending.back();
    pending.pop_back();
    for (const Link& link : map->links) {
      if (!link.inFolder) continue;
      const auto target = maps_.find(link.file);
      if (target == maps_.end() || !target->second.readable || !reached.insert(link.file).second) continue;
      pending.push_back(&target->second);
    }
  }
  for (const auto& [name, summary] : maps_) {
    if (summary.readable && reached.count(name) == 0) {
      Warning(name, "no chain of links from " + StartName() + " leads to this map");
    }
  }
}

// The cells where the player arrives on a map: the start points of the links into
// it that land on the map, and the start cell of the map the game starts on.
std::vector<std::pair<int32_t, int32_t>> RkMapChecker::EntriesOf(const std::string& name) const {
  std::vector<std::pair<int32_t, int32_t>> entries;
  if (startFound_ && start_.inFolder && name == start_.file) entries.emplace_back(start_.startX, start_.startY);
  for (const auto& [holder, summary] : maps_) {
    for (const Link& link : summary.links) {
      if (link.inFolder && link.file == name) entries.emplace_back(link.startX, link.startY);
    }
  }
  return entries;
}

void RkMapChecker::CheckNewAreasReached() {
  for (const auto& [name, summary] : maps_) {
    if (!summary.readable) continue;
    std::vector<std::pair<int32_t, int32_t>> entries;
    for (const auto& entry : EntriesOf(name)) {
      const bool inside = entry.first >= 0 && entry.first < summary.width && entry.second >= 0 &&
                          entry.second < summary.height;
      if (inside && CanArriveOn(summary.kinds[static_cast<std::size_t>(entry.first) * summary.height + entry.second])) {
        entries.push_back(entry);
      }
    }
    // A map the player never enters is reported as such, not cell by cell.
    if (entries.empty()) continue;
    const std::vector<uint8_t> reached = RkWalkFlood::Reach(summary.kinds, summary.width, summary.height, entries);
    for (int32_t x = 0; x < summary.width; ++x) {
      for (int32_t y = 0; y < summary.height; ++y) {
        const std::size_t index = static_cast<std::size_t>(x) * summary.height + y;
        if (summary.kinds[index] == TileNewArea && reached[index] == 0) {
          WarningAt(name, x, y, "the player cannot walk to this New Area cell from where the map is entered");
        }
      }
    }
  }
}

void RkMapChecker::Error(const std::string& file, const std::string& sentence) {
  findings_.emplace_back(RkMapFinding::Severity::Error, file, sentence);
}

void RkMapChecker::ErrorAt(const std::string& file, int32_t x, int32_t y, const std::string& sentence) {
  findings_.emplace_back(RkMapFinding::Severity::Error, file, x, y, sentence);
}

void RkMapChecker::Warning(const std::string& file, const std::string& sentence) {
  findings_.emplace_back(RkMapFinding::Severity::Warning, file, sentence);
}

void RkMapChecker::ErrorOnLine(const RkGameSettings::Problem& problem) {
  findings_.push_back(
      RkMapFinding::AtLine(RkMapFinding::Severity::Error, RkGameSettings::kFileName, problem.line, problem.sentence));
}

void RkMapChecker::WarningAt(const std::string& file, int32_t x, int32_t y, const std::string& sentence) {
  findings_.emplace_back(RkMapFinding::Severity::Warning, file, x, y, sentence);
}
