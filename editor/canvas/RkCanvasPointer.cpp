// The canvas's share of the mouse, pass by pass.
#include "RkCanvasPointer.h"

#include "RkEngine.h"

namespace {

// The mouse record counts the wheel in 120ths of a notch.
constexpr int kWheelNotch = 120;

}  // namespace

void RkCanvasPointer::Place(int windowX, int windowY, int canvasTop) {
  x = windowX;
  y = windowY - canvasTop;
  overInterface = engine.GetInterface().IsPointerOverInterface(windowX, windowY);
  if (!IsLeftButtonDown()) {
    armed = true;
  }
}

bool RkCanvasPointer::IsOnCanvas() const {
  const int canvasHeight = RkEngine::kHeight - engine.GetCanvasTop();
  const bool inside = x >= 0 && x < RkEngine::kWidth && y >= 0 && y < canvasHeight;
  return inside && !overInterface;
}

bool RkCanvasPointer::IsLeftButtonDown() const {
  return (engine.GetInput().MouseState().rgbButtons[0] & RK_KEY_DOWN) != 0;
}

// A press counts on the canvas only inside it, and not while a button press
// taken by a modal box or dialog is still held.
bool RkCanvasPointer::IsClick() const { return IsLeftButtonDown() && IsOnCanvas() && armed && !IsPanning(); }

// Space typed into a text field is not held for the canvas.
bool RkCanvasPointer::IsPanning() const {
  RkInput& input = engine.GetInput();
  const bool spaceHeld =
      engine.GetKeys().IsDown(input.KeyboardState(), DIK_SPACE) && !engine.GetInterface().WantsTextInput();
  return (input.MouseState().rgbButtons[2] & RK_KEY_DOWN) != 0 || (spaceHeld && IsLeftButtonDown());
}

void RkCanvasPointer::HandleView() {
  const RkMouseState& mouse = engine.GetInput().MouseState();
  if (mouse.lZ != 0 && IsOnCanvas()) {
    engine.GetView().ZoomAbout(mouse.lZ / kWheelNotch, x, y);
  }
  if (IsPanning() && (mouse.lX != 0 || mouse.lY != 0)) {
    engine.GetView().PanBy(mouse.lX, mouse.lY);
  }
}

void RkCanvasPointer::HandleClick() {
  if (IsClick()) {
    engine.GetUndoControl().NoteWork(RkUndoControl::Area::Map);
    engine.GetMapDocument().BeginStroke();
    engine.GetCanvas().Click(x, y);
  } else if (!IsLeftButtonDown() || !armed) {
    // Button down to button up is one step; a box that took the button ends it too.
    engine.GetMapDocument().EndStroke();
  }
}
