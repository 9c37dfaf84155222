#!/usr/bin/env bash
# The playtest in real windows under Xvfb:
#   playtest_end_to_end.sh EDITOR_BINARY DEMO_FOLDER WORK_FOLDER
# In a copy of the demo the editor loads World.rkm and paints cell (2, 3) with
# water without saving, the pointer rests on cell (1, 4), and F5 starts the game
# (the one built beside the editor): its window shows the player at its centre
# on cell (1, 4), the water one cell right of and one above the player. Escape
# ends the game; the editor still runs, World.rkm on disk is byte for byte as
# before, and the hidden copy of the map is gone. The seconds from F5 to the
# game's first picture are printed.
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

editor=$1
demo=$2
work=$3
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import convert cmp

rm -rf "$work"
mkdir -p "$work"
start_xvfb
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cp -r "$demo" "$work/play"
cp "$work/play/World.rkm" "$work/World.before"

# The colour of pixel ($2, $3) of image file $1 (the demo's own images).
image_pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 -format '%[hex:p{0,0}]' info: | cut -c1-6
}

# The village fills the canvas where the other scripts look for the file
# dialog: here the dialog gets its time instead.
choose_after_click() {
  click_at "$1" "$2"
  sleep 1
  xdotool type --delay 20 "$3"
  xdotool key Return
  sleep 1
}

start_editor "$work/play"
choose_after_click "$(panel_x 134)" "$(panel_y 46)" "World.rkm"                 # Load Map
choose_after_click "$(panel_x 55)" "$(panel_y 105)" "images/tiles/water.png"    # Load Sprite
click_at "$(panel_x 19)" "$(panel_y 349)"       # the "Impassable" radio button
xdotool mousemove 600 500
press_keys g                                    # the overlays off: cells as the game draws them
press_keys k
press_keys l
import -window root "$work/editor_before.png"
# The canvas begins below the menu bar: the first row at x = 200 that has not
# the bar's colour (nor its bottom line's).
bar=$(pixel "$work/editor_before.png" 200 5)
canvas_top=0
for y in $(seq 10 40); do
  colour=$(pixel "$work/editor_before.png" 200 "$y")
  [ "$colour" != "$bar" ] && [ "$colour" != "999999" ] && canvas_top=$y && break
done
[ "$canvas_top" -gt 0 ] || fail "no map drawn on the canvas"
cell_x() { echo $((32 * $1 + 16)); }
cell_y() { echo $((canvas_top + 32 * $1 + 16)); }

click_at "$(cell_x 2)" "$(cell_y 3)"            # water on (2, 3), not saved
import -window root "$work/editor_painted.png"
water=$(image_pixel "$work/play/images/tiles/water.png" 16 16)
[ "$(pixel "$work/editor_painted.png" "$(cell_x 2)" "$(cell_y 3)")" = "$water" ] || fail "the cell was not painted"

xdotool mousemove "$(cell_x 1)" "$(cell_y 4)"   # the pointer on (1, 4)
sleep 0.3
started=$(date +%s.%N)
xdotool key F5
game_window=$(wait_for_window "Ember Hollow" 100 --onlyvisible) || fail "F5 opened no game window"
# The first picture: the player drawn at the window's centre.
hero=$(image_pixel "$work/play/images/characters/ch_classm32_10.png" 16 20)
for _ in $(seq 200); do
  import -window "$game_window" "$work/game.png" 2>/dev/null && [ "$(pixel "$work/game.png" 336 260)" = "$hero" ] && break
  sleep 0.01
done
shown=$(date +%s.%N)
[ "$(pixel "$work/game.png" 336 260)" = "$hero" ] || fail "the game does not show the player at its centre"
echo "F5 to the game's first picture: $(echo "$shown - $started" | bc) s"
copies=$(ls -a "$work/play" | grep -c '\.playtest-')
[ "$copies" = "1" ] || fail "expected one hidden copy of the map while the game runs, found $copies"

# The player stands on (1, 4); the unsaved water of (2, 3) lies one cell right, one up.
[ "$(pixel "$work/game.png" $((352 + 16)) $((208 + 16)))" = "$water" ] || fail "the game does not show the unsaved water"
import -window root "$work/screen_game.png"

xdotool windowfocus "$game_window" 2>/dev/null
sleep 0.2
xdotool key --window "$game_window" Escape
for _ in $(seq 50); do
  xdotool search --name "Ember Hollow" >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --name "Ember Hollow" >/dev/null 2>&1 && fail "the game did not end on Escape"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "the editor ended with the game"
import -window root "$work/editor_after.png"
[ "$(pixel "$work/editor_after.png" "$(cell_x 2)" "$(cell_y 3)")" = "$water" ] || fail "the editor lost the unsaved cell"
cmp -s "$work/World.before" "$work/play/World.rkm" || fail "World.rkm on disk changed"
[ -z "$(ls -a "$work/play" | grep '\.playtest-')" ] || fail "the hidden copy of the map was left behind"
echo "PASS"
