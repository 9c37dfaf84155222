// What the editor does for its game: F5 (Tools > Playtest) starts the game on
// the edited map, with the player on the cell under the mouse pointer when it
// is over a cell of the map, else on the settings' start cell when this is the
// first map, else on (0, 0); a second F5 while the game runs ends that game and
// starts a new one on the map as it is now. Set Start Here (T) makes the cell under the pointer the game's first cell, as a
// step of the map's history. Poll, once a pass, turns the end of a game with
// a report into a notice. RkEngine owns it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "RkGameSettingsDocument.h"
#include "RkMapDocument.h"
#include "RkPlaytest.h"

class RkPlaytestControl {
 public:
  using Notifier = std::function<void(const char* text)>;

  RkPlaytestControl(RkMapDocument& document, RkGameSettingsDocument& settings, RkPlaytest::Waker wake,
                    Notifier notify);

  // hovered: whether the pointer is over the map cell (cellX, cellY) of the canvas.
  void Playtest(bool hovered, int32_t cellX, int32_t cellY);
  // The cell must be an Open cell of a map that has a file (Game.ini names the
  // first map by it); otherwise a notice says why nothing changed.
  void SetStartHere(bool hovered, int32_t cellX, int32_t cellY);
  void Poll();

  // Where F5 would put the player now.
  void ChooseStart(bool hovered, int32_t cellX, int32_t cellY, int32_t& startX, int32_t& startY) const;
  RkPlaytest& GetPlaytest() { return playtest; }

 private:
  void Notify(const std::string& text);

  RkMapDocument& document;
  RkGameSettingsDocument& settings;
  RkPlaytest playtest;
  Notifier notify;
};
