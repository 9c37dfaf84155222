// SDL's scancodes translated into the key codes of the key table (DIK_*).
#pragma once

#include <cstdint>

class RkKeyMap {
 public:
  // The key code for an SDL scancode; 0 for keys that have none.
  static uint8_t ToKeyCode(int scancode);
  // Builds the 256-byte key table from SDL's keyboard state array.
  static void FillKeyTable(const uint8_t* sdlState, int sdlKeyCount, uint8_t* keyTable);
};
