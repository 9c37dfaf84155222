// F5, Set Start Here, and the notices of the games that ended.
#include "RkPlaytestControl.h"

#include <memory>

#include "RkSetStartStep.h"

RkPlaytestControl::RkPlaytestControl(RkMapDocument& document, RkGameSettingsDocument& settings,
                                     RkPlaytest::Waker wake, Notifier notify)
    : document(document), settings(settings), playtest(std::move(wake)), notify(std::move(notify)) {}

void RkPlaytestControl::Notify(const std::string& text) {
  if (notify) notify(text.c_str());
}

void RkPlaytestControl::ChooseStart(bool hovered, int32_t cellX, int32_t cellY, int32_t& startX,
                                    int32_t& startY) const {
  const RkWorld& world = document.GetWorld();
  if (hovered && world.IsInBounds(cellX, cellY)) {
    startX = cellX;
    startY = cellY;
  } else if (settings.IsFirstMap(document.GetFile())) {
    startX = settings.Get().GetStartX();
    startY = settings.Get().GetStartY();
  } else {
    startX = 0;
    startY = 0;
  }
}

void RkPlaytestControl::Playtest(bool hovered, int32_t cellX, int32_t cellY) {
  const RkWorld& world = document.GetWorld();
  if (world.GetWidth() == 0 || world.GetHeight() == 0) {
    Notify("There is no map to playtest yet: paint a cell first.");
    return;
  }
  int32_t startX = 0;
  int32_t startY = 0;
  ChooseStart(hovered, cellX, cellY, startX, startY);
  // A stroke still being painted belongs in the copy too.
  document.EndStroke();
  const std::string problem = playtest.Start(world, document.GetFile(), startX, startY);
  if (!problem.empty()) Notify(problem);
}

void RkPlaytestControl::SetStartHere(bool hovered, int32_t cellX, int32_t cellY) {
  const RkWorld& world = document.GetWorld();
  if (!hovered || !world.IsInBounds(cellX, cellY)) {
    Notify("Point at a cell of the map to set the player's start there.");
    return;
  }
  if (document.GetFile().empty()) {
    Notify("Save the map first: Game.ini names the game's first map by its file.");
    return;
  }
  if (world.GetTileType(cellX, cellY) != TileOpen) {
    Notify("The player can only start on an Open cell.");
    return;
  }
  const RkGameSettings& current = settings.Get();
  RkSetStartStep::Start before{current.GetMap(), current.GetStartX(), current.GetStartY()};
  RkSetStartStep::Start after{settings.IsFirstMap(document.GetFile()) ? current.GetMap() : document.GetFile(), cellX,
                              cellY};
  if (before.map == after.map && before.x == after.x && before.y == after.y) return;
  document.Run(std::make_unique<RkSetStartStep>(settings, std::move(before), std::move(after)));
}

void RkPlaytestControl::Poll() {
  if (std::optional<std::string> ending = playtest.TakeEnding()) {
    if (!ending->empty()) Notify(*ending);
  }
}
