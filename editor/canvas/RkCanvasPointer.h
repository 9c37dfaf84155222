// The mouse over the map canvas: where the cursor is in canvas pixels, whether
// an interface window lies under it, and what its buttons and wheel do there:
// the wheel zooms about the cursor, the middle button (or Space with the left
// button) pans, the left button paints one stroke from press to release (with
// the brush, or the tool chosen: RkMapTools), the right button picks a cell.
#pragma once

#include <functional>

#include "RkCanvasView.h"
#include "RkInput.h"
#include "RkMapCanvas.h"
#include "RkMapDocument.h"
#include "RkMapTools.h"

class RkCanvasPointer {
 public:
  // What the pointer asks of the rest of the editor: whether an interface
  // window lies under a window pixel, whether Space is held for the canvas (not
  // typed into a field), and it tells when the user begins to work on the map.
  struct Hooks {
    std::function<bool(int windowX, int windowY)> isOverInterface;
    std::function<bool()> isSpaceHeld;
    std::function<void()> mapWorkBegins;
  };

  // The canvas is canvasWidth wide and reaches from canvasTop (below the menu
  // bar, whose height may change as it is drawn) to canvasBottom.
  RkCanvasPointer(const RkInput& input, RkCanvasView& view, RkMapCanvas& canvas, RkMapDocument& map, int canvasWidth,
                  const int& canvasTop, int canvasBottom, Hooks hooks)
      : input(input),
        view(view),
        canvas(canvas),
        map(map),
        canvasWidth(canvasWidth),
        canvasTop(canvasTop),
        canvasBottom(canvasBottom),
        hooks(std::move(hooks)) {}

  // The cursor in window pixels.
  void Place(int windowX, int windowY);
  // A modal box or dialog took the button press: painting waits for a release.
  void Disarm() { armed = false; }
  int GetX() const { return x; }
  int GetY() const { return y; }
  // Inside the canvas, with no menu, panel or dialog under the cursor.
  bool IsOnCanvas() const;
  void HandleView();
  void HandleClick();
  // The tools that take the left button from the brush, the right button and the hover.
  void SetTools(RkMapTools* mapTools) { tools = mapTools; }

 private:
  bool IsLeftButtonDown() const;
  bool IsClick() const;
  bool IsPanning() const;
  bool IsRightButtonDown() const;
  void HandleRightButton();

  const RkInput& input;
  RkCanvasView& view;
  RkMapCanvas& canvas;
  RkMapDocument& map;
  int canvasWidth;
  const int& canvasTop;
  int canvasBottom;
  Hooks hooks;
  int x = 0;
  int y = 0;
  bool overInterface = false;
  bool armed = true;
  RkMapTools* tools = nullptr;
  bool rightWasDown = false;
  // A press is being held, and it belongs to the tools rather than the brush.
  bool holding = false;
  bool toolsHold = false;
};
