// The editor's copy of the game's settings.
#include "RkGameSettingsDocument.h"

#include "RkMapPath.h"

RkGameSettingsDocument::RkGameSettingsDocument(std::string folder) : folder(std::move(folder)) {}

std::string RkGameSettingsDocument::Read() {
  settings = RkGameSettings::ReadFrom(folder);
  savedText = settings.Format();
  return settings.ProblemsMessage();
}

bool RkGameSettingsDocument::IsUnsaved() const { return settings.Format() != savedText; }

std::optional<RkFailure> RkGameSettingsDocument::Save() {
  if (std::optional<RkFailure> failure = settings.TryWrite(folder)) return failure;
  // Read back as written: the file now holds a line for each setting written.
  const std::string text = settings.Format();
  settings = RkGameSettings::Parse(text);
  savedText = settings.Format();
  return std::nullopt;
}

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

// The game finds its first map in any case, as it finds New Area maps.
bool RkGameSettingsDocument::IsFirstMap(const std::string& mapFile) const {
  return !mapFile.empty() && RkMapPath::LeadsInto(Lower(settings.GetMap()).c_str(), Lower(mapFile).c_str());
}

void RkGameSettingsDocument::FollowCells(const std::string& mapFile, int32_t dx, int32_t dy) {
  if ((dx == 0 && dy == 0) || !IsFirstMap(mapFile)) return;
  settings.SetStart(settings.GetStartX() + dx, settings.GetStartY() + dy);
}
