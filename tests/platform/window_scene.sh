#!/usr/bin/env bash
# Runs the window scene under Xvfb and checks a screenshot of the screen:
#   window_scene.sh SCENE_BINARY WORK_FOLDER
# The window must sit at the screen's top-left corner and show the scene that
# the program's own back-buffer checks saw. Exits 77 (skipped) without Xvfb,
# xdotool or ImageMagick.
set -uo pipefail

scene=$1
work=$2
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import convert

rm -rf "$work"
mkdir -p "$work"

start_xvfb 1024x768x24

# A fresh X server now and then refuses a client's first connection for a
# moment ("Resource temporarily unavailable"); a scene that could not reach it
# ends at once with its report, and is started again, at most three times.
for attempt in 1 2 3; do
  "$scene" "$work" 6 >"$work/scene.out" 2>"$work/scene.err" &
  app_pid=$!
  wait_for_window "Ember Hollow" 100 >/dev/null && break
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
  echo "attempt $attempt: no window; the scene said: $(cat "$work/scene.err")"
done
[ -n "$app_pid" ] || fail "no window titled \"Ember Hollow\""
sleep 1.5
import -window root "$work/screen.png" || fail "no screenshot"

wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the scene's back-buffer checks failed: $(cat "$work/scene.err")"

# Screen pixel as RRGGBB.
pixel() {
  convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}
check() {
  local actual
  actual=$(pixel "$1" "$2")
  [ "$actual" = "$3" ] || fail "screen pixel ($1, $2) is $actual, expected $3 ($4)"
}
check 4 20 FFFFFF "tile keeps white"
check 20 20 800000 "tile"
check 84 84 800000 "NPC white is transparent"
check 84 108 00A000 "NPC"
check 336 256 2040E0 "player at (320, 240)"
check 350 241 800000 "player white is transparent"
check 700 300 000000 "outside the 640 by 480 window"
echo "window scene: screen matches the scene"
