#!/usr/bin/env bash
# The canvas tools in the real editor under Xvfb, as a user would:
#   tools_end_to_end.sh EDITOR_BINARY DEMO_FOLDER WORK_FOLDER
# A rectangle of grass (P), a wall drawn down its middle with the brush (B), a
# fill of water on its left (F) that stops at the wall, a right click that picks
# grass again for the brush, the water selected (R), copied and pasted right of
# the map (which grows), Save Map: the saved map holds exactly those cells.
# Escape drops the selection, a second Escape ends the editor. Exits 77
# (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

editor=$1
demo=$2
work=$3
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import convert od

rm -rf "$work"
mkdir -p "$work"
start_xvfb

source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# Map cell (c, r) on the screen: the rectangle's first corner makes (420, 300) cell (0, 0).
cell_x() { echo $((420 + 32 * $1)); }
cell_y() { echo $((300 + 32 * $1)); }

# A drag with the left button from screen pixel ($1, $2) through the others to the last.
drag() {
  xdotool mousemove "$1" "$2"
  sleep 0.15
  xdotool mousedown 1
  shift 2
  while [ $# -ge 2 ]; do
    sleep 0.15
    xdotool mousemove "$1" "$2"
    shift 2
  done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
}

use_tile() {
  click_at "$(panel_x 55)" "$(panel_y 105)"     # Load Sprite
  choose_in_dialog "images/tiles/$1.png"
}

cp -r "$demo" "$work/make"
rm -f "$work/make/World.rkm" "$work/make/NPCs.rk"
start_editor "$work/make"

# --- A rectangle of grass, 5 by 4 cells ------------------------------------------
use_tile grass
click_at "$(panel_x 19)" "$(panel_y 329)"       # "Open"
press_keys p
drag "$(cell_x 0)" "$(cell_y 0)" "$(cell_x 2)" "$(cell_y 2)" "$(cell_x 4)" "$(cell_y 3)"
wait_for "the rectangle painted nothing" screen_pixel_is lit "$(cell_x 4)" "$(cell_y 3)"
import -window root "$work/rectangle.png"

# --- A wall down column 2 with the brush --------------------------------------------
use_tile wall
click_at "$(panel_x 19)" "$(panel_y 349)"       # "Impassable"
press_keys b
drag "$(cell_x 2)" "$(cell_y 0)" "$(cell_x 2)" "$(cell_y 1)" "$(cell_x 2)" "$(cell_y 2)" "$(cell_x 2)" "$(cell_y 3)"

# --- Water filled left of the wall ----------------------------------------------
use_tile water
press_keys f
xdotool mousemove "$(cell_x 0)" "$(cell_y 1)"
sleep 0.4
import -window root "$work/fill_preview.png"
click_at "$(cell_x 0)" "$(cell_y 1)"
sleep 0.3
import -window root "$work/filled.png"
[ "$(pixel "$work/filled.png" "$(cell_x 1)" "$(cell_y 3)")" != "$(pixel "$work/rectangle.png" "$(cell_x 1)" "$(cell_y 3)")" ] ||
  fail "the fill did not change cell (1, 3)"

# --- Pick grass with the right button, paint it on the wall's top cell ---------------
xdotool mousemove "$(cell_x 3)" "$(cell_y 0)"
sleep 0.15
xdotool mousedown 3
sleep 0.15
xdotool mouseup 3
sleep 0.3
press_keys b
click_at "$(cell_x 2)" "$(cell_y 0)"

# --- Select the water, copy it, paste it right of the map ---------------------------
press_keys r
drag "$(cell_x 0)" "$(cell_y 0)" "$(cell_x 1)" "$(cell_y 2)" "$(cell_x 1)" "$(cell_y 3)"
press_keys Control_L c
press_keys Control_L v
xdotool mousemove "$(cell_x 5)" "$(cell_y 0)"
sleep 0.4
import -window root "$work/paste_preview.png"
click_at "$(cell_x 5)" "$(cell_y 0)"
wait_for "the paste drew nothing" screen_pixel_is lit "$(cell_x 6)" "$(cell_y 3)"

click_at "$(panel_x 175)" "$(panel_y 19)"       # map name
xdotool type --delay 20 "Tools"
click_at "$(panel_x 200)" "$(panel_y 75)"       # empty panel space: the field lets go
click_at "$(panel_x 47)" "$(panel_y 46)"        # Save Map
wait_for "Save Map wrote no Tools.rkm" test -f "$work/make/Tools.rkm"
xdotool mousemove 700 600
sleep 0.3
import -window root "$work/saved.png"

# Escape first drops the selection, then ends the editor (the map is saved).
press_keys Escape
sleep 0.3
kill -0 "$app_pid" 2>/dev/null || fail "the first Escape ended the editor instead of dropping the selection"
press_keys Escape
wait_for_exit "$app_pid" 50 || fail "the editor did not end on the second Escape"
app_pid=""
[ "$app_status" -eq 0 ] || fail "editor exit code $app_status after Escape (expected 0)"

# --- The saved map: 7 by 4 cells ------------------------------------------------------
map="$work/make/Tools.rkm"
int_at() { od -An -t d4 -j "$1" -N 4 "$map" | tr -d ' '; }
text_at() { dd if="$map" bs=1 skip="$1" count=500 2>/dev/null | tr -d '\0'; }
size=$(stat -c %s "$map")
[ "$size" -eq $((8 + 1012 * 28 + 4)) ] || fail "Tools.rkm has $size bytes, not those of a 7 by 4 map"
[ "$(int_at 0)" -eq 7 ] && [ "$(int_at 4)" -eq 4 ] || fail "Tools.rkm is $(int_at 0) by $(int_at 4), not 7 by 4"
# Cell (x, y) begins at 8 + 1012 * (4x + y): columns of four cells.
expect_cell() {
  local offset=$((8 + 1012 * (4 * $1 + $2)))
  [ "$(int_at "$offset")" -eq "$3" ] || fail "cell ($1, $2) has kind $(int_at "$offset"), not $3"
  [ "$(text_at $((offset + 4)))" = "images/tiles/$4.png" ] ||
    fail "cell ($1, $2) has image \"$(text_at $((offset + 4)))\", not $4"
}
for y in 0 1 2 3; do
  for x in 0 1 5 6; do expect_cell "$x" "$y" 2 water; done
  expect_cell 3 "$y" 1 grass
  expect_cell 4 "$y" 1 grass
done
expect_cell 2 0 1 grass
for y in 1 2 3; do expect_cell 2 "$y" 2 wall; done
[ "$(int_at $((8 + 1012 * 28)))" -eq 0 ] || fail "Tools.rkm holds NPCs"
echo "PASS"
