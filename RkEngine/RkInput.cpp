// Keyboard and mouse on SDL: a device is "acquired" while its window has the
// input focus (the foreground); reads of a device that is not acquired keep the
// last table, as reads in the background do.
#include "RkInput.h"

#include <SDL.h>

#include <cstring>

#include "RkError.h"
#include "RkKeyMap.h"

namespace {

constexpr int32_t kWheelNotch = 120;

bool HasInputFocus(SDL_Window* window) { return window == nullptr || SDL_GetKeyboardFocus() == window; }

uint8_t ButtonByte(Uint32 buttons, int button) { return (buttons & SDL_BUTTON(button)) != 0 ? RK_KEY_DOWN : 0; }

}  // namespace

RkInput::RkInput() {
  std::memset(keyTable, 0, sizeof keyTable);
  std::memset(&mouseRecord, 0, sizeof mouseRecord);
}

RkInput::~RkInput() {
  if (mouseCreated) SDL_DelEventWatch(&RkInput::CollectWheel, this);
  keyboardCreated = false;
  mouseCreated = false;
  if (created) SDL_QuitSubSystem(SDL_INIT_EVENTS);
  created = false;
}

void RkInput::Create() {
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
    ReportDirectXError("Failed to create DirectInput.", RK_E_FAIL, "RkInput", 56);
  }
  created = true;
}

// Acquisition needs the foreground, which a new window may not have been given
// yet: the device then stays unacquired until Reacquire finds the focus.
void RkInput::CreateKeyboard(SDL_Window* window) {
  if (!created) return;
  keyboardCreated = true;
  keyboardWindow = window;
  keyboardAcquired = HasInputFocus(window);
}

void RkInput::CreateMouse(SDL_Window* window) {
  if (!created) return;
  if (!mouseCreated) SDL_AddEventWatch(&RkInput::CollectWheel, this);
  mouseCreated = true;
  mouseWindow = window;
  mouseAcquired = HasInputFocus(window);
  SDL_GetRelativeMouseState(nullptr, nullptr);
}

bool RkInput::KeyboardWindowHasFocus() const { return HasInputFocus(keyboardWindow); }

bool RkInput::MouseWindowHasFocus() const { return HasInputFocus(mouseWindow); }

void RkInput::Reacquire() {
  if (keyboardCreated && !keyboardAcquired && KeyboardWindowHasFocus()) keyboardAcquired = true;
  if (mouseCreated && !mouseAcquired && MouseWindowHasFocus()) {
    mouseAcquired = true;
    // Movement made while the device was away is not the user's input to us.
    SDL_GetRelativeMouseState(nullptr, nullptr);
    pendingWheel = 0;
  }
}

void RkInput::ReadState() {
  if (keyboardCreated) ReadKeyboard();
  if (mouseCreated) ReadMouse();
}

void RkInput::ReadKeyboard() {
  if (!KeyboardWindowHasFocus()) keyboardAcquired = false;
  if (!keyboardAcquired) return;
  int keyCount = 0;
  const Uint8* state = SDL_GetKeyboardState(&keyCount);
  RkKeyMap::FillKeyTable(state, keyCount, keyTable);
}

void RkInput::ReadMouse() {
  if (!MouseWindowHasFocus()) mouseAcquired = false;
  if (!mouseAcquired) return;
  int dx = 0;
  int dy = 0;
  SDL_GetRelativeMouseState(&dx, &dy);
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  mouseRecord.lX = dx;
  mouseRecord.lY = dy;
  mouseRecord.lZ = pendingWheel;
  pendingWheel = 0;
  mouseRecord.rgbButtons[0] = ButtonByte(buttons, SDL_BUTTON_LEFT);
  mouseRecord.rgbButtons[1] = ButtonByte(buttons, SDL_BUTTON_RIGHT);
  mouseRecord.rgbButtons[2] = ButtonByte(buttons, SDL_BUTTON_MIDDLE);
  mouseRecord.rgbButtons[3] = ButtonByte(buttons, SDL_BUTTON_X1);
}

// Runs inside SDL's event pump: the wheel has no state to read, only events.
int RkInput::CollectWheel(void* input, SDL_Event* event) {
  auto* self = static_cast<RkInput*>(input);
  if (event->type != SDL_MOUSEWHEEL) return 1;
  if (self->mouseWindow != nullptr && event->wheel.windowID != SDL_GetWindowID(self->mouseWindow)) return 1;
  const int32_t notches = event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event->wheel.y : event->wheel.y;
  self->pendingWheel += notches * kWheelNotch;
  return 1;
}

void RkInput::SetKeyboardState(const uint8_t table[RK_KEY_TABLE_SIZE]) {
  std::memcpy(keyTable, table, RK_KEY_TABLE_SIZE);
}

void RkInput::SetMouseState(const RkMouseState& state) { mouseRecord = state; }
