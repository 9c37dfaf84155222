#!/usr/bin/env bash
# A map that grows to the left keeps the links that lead into it, in real windows
# under Xvfb:
#   links_end_to_end.sh EDITOR_BINARY GAME_BINARY DEMO_FOLDER WORK_FOLDER
# 1. In a copy of the demo, the game walks from the village's start along the
#    path to the house's red door; a screenshot shows the player inside the door.
# 2. The editor loads House.rkm, paints a cell left of its column 0 (the house
#    grows one column to the left), saves it and answers Yes to the question
#    about the village's link: World.rkm's start point moves one column right.
# 3. The same walk again: the player stands on the same cell inside the door,
#    with the door below, as in the first screenshot.
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

editor=$1
game=$2
demo=$3
work=$4
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import compare convert od

rm -rf "$work"
mkdir -p "$work"
start_xvfb
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cp -r "$demo" "$work/play"

# Differing pixels of two images (cropped first with the geometries given).
differing() {
  compare -metric AE "$1[$2]" "$3[$4]" null: 2>&1 | cut -d' ' -f1
}

# The game's view follows the player: after a step the old view, shifted by one
# cell against the step, matches the new one better than the old view unshifted.
moved() {
  local before=$1 after=$2 ahead here
  case $3 in
    Right) ahead="608x480+32+0" ; here="608x480+0+0" ;;
    Down)  ahead="640x448+0+32" ; here="640x448+0+0" ;;
  esac
  local unmoved stepped
  unmoved=$(differing "$before" "$here" "$after" "$here")
  stepped=$(differing "$before" "$ahead" "$after" "$here")
  [ "$stepped" -lt "$unmoved" ]
}

# One cell in direction $1; a wandering villager in the way is waited out.
step() {
  for _ in $(seq 20); do
    import -window root -crop 640x480+0+0 +repage "$work/before.png"
    xdotool key "$1"
    sleep 0.5
    import -window root -crop 640x480+0+0 +repage "$work/after.png"
    moved "$work/before.png" "$work/after.png" "$1" && return 0
    sleep 1
  done
  fail "the player did not step $1"
}

steps() {
  for _ in $(seq "$2"); do step "$1"; done
}

# Keyboard focus for window $1 (there is no window manager). A machine busy
# building may map the window seconds late: thirty seconds are allowed.
focus_window() {
  for _ in $(seq 300); do
    xdotool windowfocus "$1" >/dev/null 2>&1
    [ "$(($(xdotool getwindowfocus 2>/dev/null || echo 0)))" = "$(($1))" ] && return 0
    sleep 0.1
  done
  fail "window $1 did not take the keyboard"
}

# From the village's start (0, 0): right onto the path, down it to the road, east
# along the road to (15, 4), then up through the red door into the house.
walk_into_house() {
  (cd "$work/play" && exec "$game") >"$work/game$1.out" 2>"$work/game$1.err" &
  app_pid=$!
  local id
  id=$(wait_for_window "Ember Hollow") || fail "the game opened no window"
  focus_window "$id"
  wait_for "the game shows nothing at its centre" screen_pixel_is lit 330 250
  sleep 0.5
  step Right
  steps Down 4
  steps Right 14
  xdotool key Up
  sleep 1.5
  import -window root -crop 640x480+0+0 +repage "$work/house$1.png"
  xdotool key Escape
  wait_for_exit "$app_pid" 50 || fail "the game did not end on Escape"
  app_pid=""
}

# The player's cell at the view's centre and the row below it (the door between
# two walls) of two screenshots; the villagers indoors never stand there.
same_door_view() {
  [ "$(differing "$1" 32x32+320+240 "$2" 32x32+320+240)" = "0" ] &&
    [ "$(differing "$1" 96x32+288+272 "$2" 96x32+288+272)" = "0" ]
}

# The editor's view exactly one cell left of the map's column 0. An arrow moves
# the view one cell for every pass it is seen down, so a key press that a busy
# machine delivers late can move it two: such a move is taken back.
view_one_cell_left() {
  xdotool key Left
  for _ in $(seq 20); do
    sleep 0.3
    if screen_pixel_is lit 16 150; then
      xdotool key Left
    elif screen_pixel_is black 48 150; then
      xdotool key Right
    else
      return 0
    fi
  done
  fail "the view did not rest one cell left of the house"
}

# --- 1. Into the house as the demo ships -----------------------------------------
walk_into_house 1
[ "$(pixel "$work/house1.png" 336 288)" != "000000" ] || fail "no door below the player in the house"

# --- 2. The house grows to the left ---------------------------------------------
start_editor "$work/play"
click_at "$(panel_x 134)" "$(panel_y 46)"       # Load Map
choose_in_dialog "House.rkm"
click_at "$(panel_x 55)" "$(panel_y 105)"       # Load Sprite
choose_in_dialog "images/tiles/floor.png"
click_at "$(panel_x 19)" "$(panel_y 329)"       # the "Open" radio button
xdotool mousemove 700 600
view_one_cell_left                              # room left of column 0
click_at 16 150                                 # left of column 0: the house grows
wait_for "the new cell is not painted" screen_pixel_is lit 16 150
import -window root "$work/editor_grown.png"
click_at "$(panel_x 47)" "$(panel_y 46)"        # Save Map: the question comes

# The question box is a second window named "RkEngine".
question=""
for _ in $(seq 100); do
  question=$(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"RkEngine\":" {print $1}' |
             while read -r id; do [ "$((id))" != "$((main_window))" ] && echo "$id"; done | head -1)
  [ -n "$question" ] && break
  sleep 0.1
done
[ -n "$question" ] || fail "saving the grown house asked nothing"
sleep 0.5
import -window root "$work/question.png"
focus_window "$question"
xdotool key Return                              # Yes, the first button
for _ in $(seq 50); do
  xwininfo -id "$question" >/dev/null 2>&1 || break
  sleep 0.1
done
sleep 0.3
xdotool key Escape
wait_for_exit "$app_pid" 50 || fail "the editor did not end on Escape"
app_pid=""

# The house is 11 columns wide now, and the village's door (15, 3) of its 24 by
# 18 cells leads to (5, 6): one column right of (4, 6).
house_width=$(od -An -t d4 -j 0 -N 4 "$work/play/House.rkm" | tr -d ' ')
[ "$house_width" -eq 11 ] || fail "House.rkm is $house_width columns wide, not 11"
door=$((8 + 1012 * (15 * 18 + 3)))
start_x=$(od -An -t d4 -j $((door + 1004)) -N 4 "$work/play/World.rkm" | tr -d ' ')
[ "$start_x" -eq 5 ] || fail "the village's door leads to column $start_x of the house, not 5"
echo "the house grew one column; the village's door now leads to (5, 6)"

# --- 3. Into the grown house ------------------------------------------------------
walk_into_house 2
same_door_view "$work/house1.png" "$work/house2.png" ||
  fail "the player does not stand inside the door as before the growth"
echo "the player stands inside the door of the grown house, as before"
