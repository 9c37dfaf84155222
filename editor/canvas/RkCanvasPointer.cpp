// The canvas's share of the mouse, pass by pass.
#include "RkCanvasPointer.h"

namespace {

// The mouse record counts the wheel in 120ths of a notch.
constexpr int kWheelNotch = 120;

}  // namespace

void RkCanvasPointer::Place(int windowX, int windowY) {
  x = windowX;
  y = windowY - canvasTop;
  overInterface = hooks.isOverInterface && hooks.isOverInterface(windowX, windowY);
  if (!IsLeftButtonDown()) {
    armed = true;
  }
}

bool RkCanvasPointer::IsOnCanvas() const {
  const int canvasHeight = canvasBottom - canvasTop;
  const bool inside = x >= 0 && x < canvasWidth && y >= 0 && y < canvasHeight;
  return inside && !overInterface;
}

bool RkCanvasPointer::IsLeftButtonDown() const { return (input.MouseState().rgbButtons[0] & RK_KEY_DOWN) != 0; }

// A press counts on the canvas only inside it, and not while a button press
// taken by a modal box or dialog is still held.
bool RkCanvasPointer::IsClick() const { return IsLeftButtonDown() && IsOnCanvas() && armed && !IsPanning(); }

bool RkCanvasPointer::IsPanning() const {
  const bool spaceHeld = hooks.isSpaceHeld && hooks.isSpaceHeld();
  return (input.MouseState().rgbButtons[2] & RK_KEY_DOWN) != 0 || (spaceHeld && IsLeftButtonDown());
}

void RkCanvasPointer::HandleView() {
  const RkMouseState mouse = input.MouseState();
  if (mouse.lZ != 0 && IsOnCanvas()) {
    view.ZoomAbout(mouse.lZ / kWheelNotch, x, y);
  }
  if (IsPanning() && (mouse.lX != 0 || mouse.lY != 0)) {
    view.PanBy(mouse.lX, mouse.lY);
  }
}

bool RkCanvasPointer::IsRightButtonDown() const { return (input.MouseState().rgbButtons[1] & RK_KEY_DOWN) != 0; }

// The tools see the cursor each pass (their previews follow it); the left
// button is theirs from the press on when they take it then.
void RkCanvasPointer::HandleClick() {
  if (tools != nullptr) {
    tools->Hover(x, y, IsOnCanvas());
    HandleRightButton();
  }
  if (IsClick()) {
    if (hooks.mapWorkBegins) hooks.mapWorkBegins();
    map.BeginStroke();
    if (!holding) {
      holding = true;
      toolsHold = tools != nullptr && tools->TakesLeftButton();
    }
    if (toolsHold) {
      tools->Hold(x, y);
    } else {
      canvas.Click(x, y);
    }
  } else if (!IsLeftButtonDown() || !armed) {
    // Button down to button up is one step; a box that took the button ends it
    // too. A tool acts on the release inside that step.
    if (toolsHold) {
      if (IsLeftButtonDown()) {
        tools->CancelDrag();
      } else {
        tools->Release();
      }
    }
    holding = false;
    toolsHold = false;
    map.EndStroke();
  }
}

// A right press picks, once per press, with any tool.
void RkCanvasPointer::HandleRightButton() {
  const bool down = IsRightButtonDown();
  if (down && !rightWasDown && IsOnCanvas()) tools->Pick(x, y);
  rightWasDown = down;
}
