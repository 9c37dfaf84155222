// Zoom and pan on the canvas: a click paints the cell drawn under the cursor at
// every zoom and pan, the wheel zooms about the cursor, drags pan, Home resets.
#include "RkEditorFixture.h"

namespace {

class RkCanvasViewTest : public RkEditorTest {
 protected:
  RkColor PixelAt(int canvasX, int canvasY) {
    engine->DrawFrame();
    return engine->GetRenderer().ReadPixel(canvasX, canvasY + engine->GetCanvasTop());
  }
};

constexpr RkColor kGreen = 0xFF00C800u;

TEST_F(RkCanvasViewTest, ClickPaintsTheCellDrawnUnderTheCursorAtEveryZoom) {
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  engine->GetMapOverlay().GetLayers() = RkMapOverlay::Layers{false, false, false};
  PressCanvas(460, 5);  // the map's cell (0, 0) is view cell (14, 0)
  ReleaseButton();
  engine->GetView().Reset(14, 0);
  struct Case {
    float zoom;
    int dragX, dragY, clickX, clickY, cellX, cellY;
  };
  // View pixel under the click = pan + click / zoom, relative to the map's corner.
  const Case cases[] = {{0.25f, 8, 4, 523, 102, 64, 12},
                        {1.0f, -50, -20, 500, 300, 17, 10},
                        {4.0f, -100, -60, 600, 250, 5, 2}};
  RkCanvasView& view = engine->GetView();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    view.Reset(14, 0);
    view.SetZoomAbout(c.zoom, 0, 0);
    view.PanBy(c.dragX, c.dragY);
    ASSERT_NE(PixelAt(c.clickX, c.clickY), kGreen);
    PressCanvas(c.clickX, c.clickY);
    ReleaseButton();
    EXPECT_EQ(engine->GetWorld().GetTileType(c.cellX, c.cellY), TileOpen);
    EXPECT_EQ(PixelAt(c.clickX, c.clickY), kGreen);
  }
  int open = 0;
  for (int x = 0; x < engine->GetWorld().GetWidth(); ++x) {
    for (int y = 0; y < engine->GetWorld().GetHeight(); ++y) {
      open += engine->GetWorld().GetTileType(x, y) == TileOpen ? 1 : 0;
    }
  }
  EXPECT_EQ(open, 4);
}

TEST_F(RkCanvasViewTest, WheelZoomsAboutTheCursorDragsPanAndHomeResets) {
  RkCanvasView& view = engine->GetView();
  int beforeX = 0, beforeY = 0, afterX = 0, afterY = 0;
  view.CellAt(410, 300, beforeX, beforeY);
  RkMouseState mouse{};
  mouse.lZ = 120;
  engine->GetInput().SetMouseState(mouse);
  engine->PlaceCursor(410, 300 + engine->GetCanvasTop());
  engine->HandleCanvasView();
  EXPECT_FLOAT_EQ(view.GetZoom(), 1.5f);
  view.CellAt(410, 300, afterX, afterY);
  EXPECT_EQ(afterX, beforeX);
  EXPECT_EQ(afterY, beforeY);
  mouse.lZ = -120 * 20;
  engine->GetInput().SetMouseState(mouse);
  engine->HandleCanvasView();
  EXPECT_FLOAT_EQ(view.GetZoom(), RkCanvasView::kMinZoom);

  // Space with the left button drags the map along and paints nothing.
  OpenMapEditor();
  PrepareTilePainting(RkMapEditor::ChoiceOpen);
  uint8_t keys[RK_KEY_TABLE_SIZE] = {};
  keys[DIK_SPACE] = RK_KEY_DOWN;
  engine->GetInput().SetKeyboardState(keys);
  mouse = RkMouseState{};
  mouse.lX = 64;
  mouse.rgbButtons[0] = RK_KEY_DOWN;
  engine->GetInput().SetMouseState(mouse);
  engine->PlaceCursor(600, 300 + engine->GetCanvasTop());
  const float panBefore = view.GetPanX();
  engine->HandleMapCanvas();
  engine->HandleCanvasView();
  EXPECT_EQ(engine->GetWorld().GetWidth(), 0);
  EXPECT_FLOAT_EQ(view.GetPanX(), panBefore - 64 / RkCanvasView::kMinZoom);
  view.CellAt(600, 300, afterX, afterY);
  const int draggedX = afterX;
  view.SetZoomAbout(1.0f, 0, 0);
  keys[DIK_SPACE] = 0;
  keys[DIK_HOME] = RK_KEY_DOWN;
  engine->GetInput().SetKeyboardState(keys);
  engine->HandleKeys();
  EXPECT_FLOAT_EQ(view.GetZoom(), 1.0f);
  EXPECT_FLOAT_EQ(view.GetPanX(), 0.0f);
  view.CellAt(600, 300, afterX, afterY);
  EXPECT_EQ(afterX, 600 / 32);
  EXPECT_NE(draggedX, afterX);
}

}  // namespace
