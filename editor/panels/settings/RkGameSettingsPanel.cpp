// The Game Settings window: its draft, its buttons and its widgets.
#include "RkGameSettingsPanel.h"

#include <imgui.h>

#include <cstring>
#include <vector>

#include "RkTexture.h"
#include "RkTextureCache.h"

namespace {

constexpr float kWindowLeft = 120.0f;
constexpr float kWindowTop = 120.0f;
constexpr float kWindowWidth = 460.0f;
constexpr float kPreviewSize = 64.0f;
constexpr int kPreviewPixels = 32;
const ImVec4 kProblemColor(1.0f, 0.45f, 0.35f, 1.0f);

// A text field on a std::string: ImGui edits a buffer of the field's size.
bool EditText(const char* label, std::string& text, std::size_t capacity) {
  std::vector<char> buffer(capacity + 1, '\0');
  std::strncpy(buffer.data(), text.c_str(), capacity);
  if (!ImGui::InputText(label, buffer.data(), buffer.size())) return false;
  text = buffer.data();
  return true;
}

}  // namespace

RkGameSettingsPanel::RkGameSettingsPanel(RkGameSettingsDocument& settings, FileChooser chooseFile, Notifier notify)
    : settings(settings), chooseFile(std::move(chooseFile)), notify(std::move(notify)) {}

void RkGameSettingsPanel::Open() {
  if (!open) TakeSettings();
  open = true;
  placeWindow = true;
}

void RkGameSettingsPanel::TakeSettings() {
  const RkGameSettings& current = settings.Get();
  draft.title = current.GetTitle();
  draft.map = current.GetMap();
  draft.startX = current.GetStartX();
  draft.startY = current.GetStartY();
  draft.playerImage = current.GetPlayerImage();
}

void RkGameSettingsPanel::Poll() {
  std::string path;
  if (chooseMapClicked && chooseFile && chooseFile(RkFileDialog::MapsFilter(), path)) draft.map = path;
  path.clear();
  if (chooseImageClicked && chooseFile && chooseFile(RkFileDialog::SpritesFilter(), path)) draft.playerImage = path;
  if (revertClicked) TakeSettings();
  if (saveClicked) Save();
  saveClicked = revertClicked = chooseMapClicked = chooseImageClicked = false;
}

// The draft goes into the settings as the file will hold it (trimmed, cut to
// its limits), and the file is written; a failure is a notice, and the
// settings stay changed for another try.
void RkGameSettingsPanel::Save() {
  RkGameSettings& edited = settings.Edit();
  edited.SetTitle(draft.title);
  edited.SetMap(draft.map);
  edited.SetStart(draft.startX, draft.startY);
  edited.SetPlayerImage(draft.playerImage);
  TakeSettings();
  if (std::optional<RkFailure> failure = settings.Save()) {
    const std::string text = "Game.ini could not be saved.\n" + failure->GetMessage() + "\n" + failure->GetSystemText();
    if (notify) notify(text.c_str());
  }
}

void RkGameSettingsPanel::Draw(SDL_Renderer* renderer) {
  if (!open) return;
  if (placeWindow) {
    ImGui::SetNextWindowPos(ImVec2(kWindowLeft, kWindowTop), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(kWindowWidth, 0.0f), ImGuiCond_Always);
    placeWindow = false;
  }
  bool keepOpen = true;
  if (ImGui::Begin(kTitle, &keepOpen, ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings)) {
    ImGui::TextWrapped("Written to Game.ini beside the maps; the game reads it when it starts.");
    EditText("Title", draft.title, 4 * RkGameSettings::kMaxTitleCharacters);
    EditText("First map", draft.map, RkGameSettings::kMaxPathBytes);
    ImGui::SameLine();
    if (ImGui::Button("Choose...##map")) ClickChooseMap();
    int start[2] = {draft.startX, draft.startY};
    if (ImGui::InputInt2("Start cell", start)) {
      draft.startX = start[0];
      draft.startY = start[1];
    }
    EditText("Hero image", draft.playerImage, RkGameSettings::kMaxPathBytes);
    ImGui::SameLine();
    if (ImGui::Button("Choose...##hero")) ClickChooseImage();
    DrawPreview(renderer);
    if (settings.Get().HasProblems()) {
      ImGui::TextColored(kProblemColor, "%s", settings.Get().ProblemsMessage().c_str());
    }
    if (ImGui::Button("Save")) ClickSave();
    ImGui::SameLine();
    if (ImGui::Button("Revert")) ClickRevert();
    if (settings.IsUnsaved()) {
      ImGui::SameLine();
      ImGui::TextUnformatted("(unsaved changes)");
    }
  }
  ImGui::End();
  if (!keepOpen) open = false;
}

// The hero as the game draws it: 32 by 32, white made transparent.
void RkGameSettingsPanel::DrawPreview(SDL_Renderer* renderer) {
  if (renderer == nullptr) return;
  if (draft.playerImage != previewFile) {
    previewFile = draft.playerImage;
    preview = RkTextureCache::Instance().Acquire(renderer, previewFile.c_str(), kPreviewPixels, kPreviewPixels, true);
  }
  if (preview != nullptr && preview->Get() != nullptr) {
    ImGui::Image(reinterpret_cast<ImTextureID>(preview->Get()), ImVec2(kPreviewSize, kPreviewSize));
  } else {
    ImGui::TextColored(kProblemColor, "The hero image cannot be read.");
  }
}
