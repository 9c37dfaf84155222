#!/usr/bin/env bash
# Undo and redo in the real editor under Xvfb, as a user would:
#   undo_end_to_end.sh EDITOR_BINARY DEMO_FOLDER WORK_FOLDER
# A stroke of three cells (button held while the mouse moves), Ctrl+Z: the
# canvas is as before the stroke, pixel for pixel; Ctrl+Y: as after it. The Edit
# menu names the step. Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is
# missing.
set -uo pipefail

editor=$1
demo=$2
work=$3
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import convert compare

rm -rf "$work"
mkdir -p "$work"
start_xvfb

source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# The canvas right of the panel, as a picture of its own.
canvas_shot() {
  xdotool mousemove 700 600
  sleep 0.4
  import -window root "$work/$1.png"
  convert "$work/$1.png" -crop 480x400+400+200 +repage "$work/$1_canvas.png"
}

same_canvas() {
  local differing
  differing=$(compare -metric AE "$work/$1_canvas.png" "$work/$2_canvas.png" null: 2>&1)
  [ "$differing" = "0" ]
}

cp -r "$demo" "$work/make"
rm -f "$work/make/World.rkm" "$work/make/NPCs.rk"
start_editor "$work/make"
click_at "$(panel_x 55)" "$(panel_y 105)"       # Load Sprite
choose_in_dialog "images/tiles/grass.png"
click_at "$(panel_x 19)" "$(panel_y 329)"       # the "Open" radio button
canvas_shot before

# One stroke over three cells: down, two moves, up.
xdotool mousemove 420 300
sleep 0.1
xdotool mousedown 1
for x in 436 452 468 484; do
  sleep 0.15
  xdotool mousemove "$x" 300
done
sleep 0.2
xdotool mouseup 1
wait_for "the stroke painted nothing" screen_pixel_is lit 484 300
canvas_shot painted
[ "$(pixel "$work/painted.png" 425 305)" != "000000" ] || fail "the first cell of the stroke is not drawn"

click_at 62 9                                   # Edit
import -window root "$work/edit_menu.png"
click_at 62 9                                   # Edit again: the menu closes
kill -0 "$app_pid" 2>/dev/null || fail "the editor ended while its Edit menu was open"

press_keys Control_L z
wait_for "Ctrl+Z did not take the stroke back" screen_pixel_is black 484 300
canvas_shot undone
same_canvas before undone || fail "after Ctrl+Z the canvas differs from before the stroke"

press_keys Control_L y
wait_for "Ctrl+Y did not paint the stroke again" screen_pixel_is lit 484 300
canvas_shot redone
same_canvas painted redone || fail "after Ctrl+Y the canvas differs from after the stroke"
kill -0 "$app_pid" 2>/dev/null || fail "the editor ended"
echo "PASS"
