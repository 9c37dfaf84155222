// Keyboard and mouse on SDL: a device is "acquired" while its window has the
// input focus (the foreground); reads of a device that is not acquired keep the
// last table, as reads in the background do.
#include "RkInput.h"

#include <SDL.h>

#include <cstring>

#include "RkError.h"
#include "RkSdlError.h"
#include "RkKeyMap.h"

namespace {

constexpr int32_t kWheelNotch = 120;

bool HasInputFocus(SDL_Window* window) { return window == nullptr || SDL_GetKeyboardFocus() == window; }

// SDL's buttons in the order of the record's four button bytes.
constexpr int kSdlButtons[4] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1};

bool IsButtonDown(Uint32 buttons, int button) { return (buttons & SDL_BUTTON(button)) != 0; }

}  // namespace

RkInput::RkInput() {
  std::memset(keyTable, 0, sizeof keyTable);
  std::memset(&mouseRecord, 0, sizeof mouseRecord);
}

RkInput::~RkInput() {
  if (watchingEvents) SDL_DelEventWatch(&RkInput::CollectEvent, this);
  keyboardCreated = false;
  mouseCreated = false;
  if (created) SDL_QuitSubSystem(SDL_INIT_EVENTS);
  created = false;
}

void RkInput::Create() {
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
    ReportDirectXError("Failed to create DirectInput.", RK_E_FAIL, RkSdlError::Text().c_str(), "RkInput",
                               56);
  }
  created = true;
}

// Acquisition needs the foreground, which a new window may not have been given
// yet: the device then stays unacquired until Reacquire finds the focus.
void RkInput::CreateKeyboard(SDL_Window* window) {
  if (!created) return;
  WatchEvents();
  keyboardCreated = true;
  keyboardWindow = window;
  keyboardAcquired = HasInputFocus(window);
}

void RkInput::CreateMouse(SDL_Window* window) {
  if (!created) return;
  WatchEvents();
  mouseCreated = true;
  mouseWindow = window;
  mouseAcquired = HasInputFocus(window);
  SDL_GetRelativeMouseState(nullptr, nullptr);
}

void RkInput::WatchEvents() {
  if (watchingEvents) return;
  SDL_AddEventWatch(&RkInput::CollectEvent, this);
  watchingEvents = true;
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
    std::memset(pendingButtons, 0, sizeof pendingButtons);
  }
}

void RkInput::ReadState() {
  if (keyboardCreated) ReadKeyboard();
  if (mouseCreated) ReadMouse();
}

void RkInput::ReadKeyboard() {
  if (!KeyboardWindowHasFocus()) keyboardAcquired = false;
  if (keyboardAcquired) {
    int keyCount = 0;
    const Uint8* state = SDL_GetKeyboardState(&keyCount);
    RkKeyMap::FillKeyTable(state, keyCount, keyTable);
    for (int code = 0; code < RK_KEY_TABLE_SIZE; ++code) {
      if (pendingKeys[code]) keyTable[code] = RK_KEY_DOWN;
    }
  } else if (keysUpWithoutFocus) {
    std::memset(keyTable, 0, sizeof keyTable);
  }
  std::memset(pendingKeys, 0, sizeof pendingKeys);
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
  for (int index = 0; index < 4; ++index) {
    const bool pressed = pendingButtons[index] || IsButtonDown(buttons, kSdlButtons[index]);
    mouseRecord.rgbButtons[index] = pressed ? RK_KEY_DOWN : 0;
    pendingButtons[index] = false;
  }
}

// Runs inside SDL's event pump (and SDL_PushEvent), on the programs' one thread.
int RkInput::CollectEvent(void* input, SDL_Event* event) {
  auto* self = static_cast<RkInput*>(input);
  if (event->type == SDL_KEYDOWN) self->CollectKeyPress(*event);
  if (event->type == SDL_MOUSEWHEEL || event->type == SDL_MOUSEBUTTONDOWN) self->CollectMouseEvent(*event);
  return 1;
}

void RkInput::CollectKeyPress(const SDL_Event& event) {
  if (!keyboardCreated || event.key.repeat != 0) return;
  if (keyboardWindow != nullptr && event.key.windowID != SDL_GetWindowID(keyboardWindow)) return;
  const uint8_t code = RkKeyMap::ToKeyCode(event.key.keysym.scancode);
  if (code != 0) pendingKeys[code] = true;
}

// The wheel has no state to read, only events; a click may be over before the read.
void RkInput::CollectMouseEvent(const SDL_Event& event) {
  if (!mouseCreated) return;
  if (event.type == SDL_MOUSEWHEEL) {
    if (mouseWindow != nullptr && event.wheel.windowID != SDL_GetWindowID(mouseWindow)) return;
    const int32_t notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
    pendingWheel += notches * kWheelNotch;
    return;
  }
  if (mouseWindow != nullptr && event.button.windowID != SDL_GetWindowID(mouseWindow)) return;
  for (int index = 0; index < 4; ++index) {
    if (event.button.button == kSdlButtons[index]) pendingButtons[index] = true;
  }
}

void RkInput::SetKeyboardState(const uint8_t table[RK_KEY_TABLE_SIZE]) {
  std::memcpy(keyTable, table, RK_KEY_TABLE_SIZE);
}

void RkInput::SetMouseState(const RkMouseState& state) { mouseRecord = state; }
