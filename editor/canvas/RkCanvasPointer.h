// The mouse over the map canvas: where the cursor is in canvas pixels, whether
// an interface window lies under it, and what its buttons and wheel do there:
// the wheel zooms about the cursor, the middle button (or Space with the left
// button) pans, the left button paints one stroke from press to release.
#pragma once

class RkEngine;

class RkCanvasPointer {
 public:
  explicit RkCanvasPointer(RkEngine& engine) : engine(engine) {}

  // The cursor in window pixels; canvasTop is where the canvas begins below the menu.
  void Place(int windowX, int windowY, int canvasTop);
  // A modal box or dialog took the button press: painting waits for a release.
  void Disarm() { armed = false; }
  int GetX() const { return x; }
  int GetY() const { return y; }
  // Inside the canvas, with no menu, panel or dialog under the cursor.
  bool IsOnCanvas() const;
  void HandleView();
  void HandleClick();

 private:
  bool IsLeftButtonDown() const;
  bool IsClick() const;
  bool IsPanning() const;

  RkEngine& engine;
  int x = 0;
  int y = 0;
  bool overInterface = false;
  bool armed = true;
};
