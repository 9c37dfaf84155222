#!/usr/bin/env bash
# Makes a map with the built editor in a real window under Xvfb, as a user would,
# then opens it with the game:
#   end_to_end.sh EDITOR_BINARY GAME_BINARY DEMO_FOLDER WORK_FOLDER
# 1. In a copy of the demo folder without "World.rkm": File > Map Editor, Load
#    Sprite through the file dialog (typed path), three cells painted "Open" and
#    one "New Area" (map typed into the dialog, start x typed into its edit),
#    the name "World" typed, Save Map, a screenshot, Escape: exit code 0.
# 2. "World.rkm" holds exactly those cells, byte for byte where it matters.
# 3. The game started in that folder shows the painted cells around the player.
# GAME_BINARY may be "" (no game built): part 3 is then left out.
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

editor=$1
game=$2
demo=$3
work=$4
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import convert od

rm -rf "$work"
mkdir -p "$work"

start_xvfb

source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# --- 1. Making the map ---------------------------------------------------------
cp -r "$demo" "$work/make"
rm -f "$work/make/World.rkm" "$work/make/NPCs.rk"
start_editor "$work/make"
click_at "$(panel_x 55)" "$(panel_y 105)"       # Load Sprite
choose_in_dialog "images/tiles/grass.png"
click_at "$(panel_x 19)" "$(panel_y 329)"       # the "Open" radio button

# Three cells in a row at canvas cells (13, 8) to (15, 8): the first click on the
# empty map puts its cell (0, 0) there.
for x in 420 452 484; do
  click_at "$x" 300
  wait_for "no cell painted at ($x, 300)" screen_pixel_is lit "$x" 300
done

click_at "$(panel_x 195)" "$(panel_y 290)"      # Load New Area
choose_in_dialog "Grove.rkm"
click_at "$(panel_x 155)" "$(panel_y 369)"      # start x edit
xdotool key ctrl+a
xdotool type --delay 20 "2"
click_at "$(panel_x 19)" "$(panel_y 369)"       # the "New Area" radio button
click_at 420 332                                # map cell (0, 1): the map grows to 3 by 2
wait_for "the New Area cell is not painted" screen_pixel_is lit 420 332

click_at "$(panel_x 175)" "$(panel_y 19)"       # map name
xdotool type --delay 20 "World"
click_at "$(panel_x 200)" "$(panel_y 75)"       # empty panel space: the field lets go
click_at "$(panel_x 47)" "$(panel_y 46)"        # Save Map
wait_for "Save Map wrote no World.rkm" test -f "$work/make/World.rkm"
xdotool mousemove 700 600
sleep 0.3
import -window root "$work/editor_panel.png"

[ "$(pixel "$work/editor_panel.png" 425 305)" != "000000" ] || fail "the painted cell is not drawn"
[ "$(pixel "$work/editor_panel.png" 530 305)" = "000000" ] || fail "an unpainted cell is drawn"
[ "$(pixel "$work/editor_panel.png" 300 400)" != "000000" ] || fail "the panel is not drawn"

xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
wait_for_exit "$app_pid" 50 || fail "the editor did not end on Escape"
app_pid=""
[ "$app_status" -eq 0 ] || fail "editor exit code $app_status after Escape (expected 0)"

# --- 2. The saved file -----------------------------------------------------------
map="$work/make/World.rkm"
int_at() { od -An -t d4 -j "$1" -N 4 "$map" | tr -d ' '; }
text_at() { dd if="$map" bs=1 skip="$1" count=500 2>/dev/null | tr -d '\0'; }
size=$(stat -c %s "$map")
[ "$size" -eq $((8 + 1012 * 6 + 4)) ] || fail "World.rkm has $size bytes, not those of a 3 by 2 map"
[ "$(int_at 0)" -eq 3 ] && [ "$(int_at 4)" -eq 2 ] || fail "World.rkm is $(int_at 0) by $(int_at 4), not 3 by 2"
# Cell (x, y) begins at 8 + 1012 * (2x + y): columns of two cells.
expect_cell() {
  local offset=$((8 + 1012 * (2 * $1 + $2)))
  [ "$(int_at "$offset")" -eq "$3" ] || fail "cell ($1, $2) has kind $(int_at "$offset"), not $3"
  [ "$(text_at $((offset + 4)))" = "$4" ] || fail "cell ($1, $2) has image \"$(text_at $((offset + 4)))\""
  [ "$(text_at $((offset + 504)))" = "$5" ] || fail "cell ($1, $2) leads to \"$(text_at $((offset + 504)))\""
  [ "$(int_at $((offset + 1004)))" -eq "$6" ] && [ "$(int_at $((offset + 1008)))" -eq "$7" ] ||
    fail "cell ($1, $2) starts at ($(int_at $((offset + 1004))), $(int_at $((offset + 1008))))"
}
grass="images/tiles/grass.png"
expect_cell 0 0 1 "$grass" "" 0 0
expect_cell 1 0 1 "$grass" "" 0 0
expect_cell 2 0 1 "$grass" "" 0 0
expect_cell 0 1 3 "$grass" "Grove.rkm" 2 0
expect_cell 1 1 0 "" "" 0 0
expect_cell 2 1 0 "" "" 0 0
[ "$(int_at $((8 + 1012 * 6)))" -eq 0 ] || fail "World.rkm holds NPCs"
echo "World.rkm holds the four painted cells"

# --- 3. The game opens it ---------------------------------------------------------
if [ -z "$game" ]; then
  echo "no game program built: the game part is left out"
  exit 0
fi
(cd "$work/make" && exec "$game") >"$work/game.out" 2>"$work/game.err" &
app_pid=$!
wait_for_window "Ember Hollow" >/dev/null || fail "the game opened no window"
wait_for "the game shows nothing at its centre" screen_pixel_is lit 330 250
sleep 0.3
import -window root "$work/game.png"
# The player stands on cell (0, 0) at the view's centre (320, 240): cells (1, 0)
# and (2, 0) lie to its right, the New Area cell (0, 1) below it; the others are empty.
[ "$(pixel "$work/game.png" 370 250)" != "000000" ] || fail "the game does not show cell (1, 0)"
[ "$(pixel "$work/game.png" 400 250)" != "000000" ] || fail "the game does not show cell (2, 0)"
[ "$(pixel "$work/game.png" 330 282)" != "000000" ] || fail "the game does not show cell (0, 1)"
[ "$(pixel "$work/game.png" 362 282)" = "000000" ] || fail "the game shows the empty cell (1, 1)"
[ "$(pixel "$work/game.png" 430 250)" = "000000" ] || fail "the game shows a cell beyond the map"
xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
wait_for_exit "$app_pid" 50 || fail "the game did not end on Escape"
app_pid=""
[ "$app_status" -eq 0 ] || fail "game exit code $app_status after Escape (expected 0)"
echo "the game shows the map made in the editor"
