// Keyboard and mouse as immediate states: a 256-byte key table indexed by the
// system's key codes (DIK_*, bit 0x80 while down) and a 16-byte mouse record.
// The game creates the keyboard only; the editor creates both.
//
// Events: the programs pump SDL's event queue themselves (the game's loop, the
// editor's loop that feeds ImGui); ReadState then reads SDL's keyboard and mouse
// state as that pump left it. A key or button pressed and released again between
// two reads still reads as down once, so a quick tap is never lost. Tests set
// the tables directly (SetKeyboardState, SetMouseState) without any device.
#pragma once

#include <cstdint>

#include "RkKeyCodes.h"
#include "RkMouseState.h"

struct SDL_Window;
union SDL_Event;

class RkInput {
 public:
  RkInput();
  ~RkInput();
  RkInput(const RkInput&) = delete;
  RkInput& operator=(const RkInput&) = delete;

  // Starts SDL's event subsystem; the devices below need it.
  void Create();
  // Binds the keyboard (the mouse) to a window: reads happen only while that
  // window has the keyboard (mouse) focus, else the last table stays. A null
  // window binds to no window: reads then always succeed. Before Create both do nothing.
  void CreateKeyboard(SDL_Window* window);
  void CreateMouse(SDL_Window* window);
  // Acquires again each device whose window has come back to the foreground.
  void Reacquire();
  // Fills the key table and the mouse record from SDL's current state; a device
  // that is not acquired leaves its table as it was.
  void ReadState();

  const uint8_t* KeyboardState() const { return keyTable; }
  RkMouseState MouseState() const { return mouseRecord; }

  // For tests and replays: sets the tables as a read would.
  void SetKeyboardState(const uint8_t table[RK_KEY_TABLE_SIZE]);
  void SetMouseState(const RkMouseState& state);

  // The game's choice: while its window lacks the keyboard focus every key
  // reads as up, so a key held when the focus went does not stay down. Off,
  // a read in the background keeps the last table.
  void SetKeysUpWithoutFocus(bool up) { keysUpWithoutFocus = up; }

  bool HasKeyboard() const { return keyboardCreated; }
  bool HasMouse() const { return mouseCreated; }
  bool IsKeyboardAcquired() const { return keyboardAcquired; }
  bool IsMouseAcquired() const { return mouseAcquired; }

 private:
  bool created = false;
  bool keyboardCreated = false;
  bool mouseCreated = false;
  bool keyboardAcquired = false;
  bool mouseAcquired = false;
  bool keysUpWithoutFocus = false;
  SDL_Window* keyboardWindow = nullptr;
  SDL_Window* mouseWindow = nullptr;
  bool watchingEvents = false;
  int32_t pendingWheel = 0;
  // Presses seen by the event watch since the last read.
  bool pendingKeys[RK_KEY_TABLE_SIZE] = {};
  bool pendingButtons[4] = {};
  uint8_t keyTable[RK_KEY_TABLE_SIZE];
  RkMouseState mouseRecord;

  bool KeyboardWindowHasFocus() const;
  bool MouseWindowHasFocus() const;
  void ReadKeyboard();
  void ReadMouse();
  void WatchEvents();
  void CollectKeyPress(const SDL_Event& event);
  void CollectMouseEvent(const SDL_Event& event);
  static int CollectEvent(void* input, SDL_Event* event);
};
