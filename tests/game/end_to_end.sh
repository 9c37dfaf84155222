#!/usr/bin/env bash
# Plays the built game in a real window under Xvfb, as a player would:
#   end_to_end.sh GAME_BINARY DEMO_FOLDER WORK_FOLDER
# 1. In a copy of the demo folder: start, screenshot, hold Right then Down with
#    xdotool, screenshot (the view must have moved), Escape: exit code 0.
# 2. Talking: Rowan stands below the start; Space opens the conversation box,
#    Down moves the marker, Return takes the choice and the box shows the next
#    dialogue, Return ends it and the box goes; Escape in a conversation ends
#    only the conversation. Screenshots show each change.
# 3. Without "World.rkm": the world file's report on standard error once, its
#    box dismissed with Return, exit code 1.
# 4. The same on a server without core fonts (SDL's box cannot draw there; the
#    game's own box shows the report).
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

game=$1
demo=$2
work=$3
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import compare convert

rm -rf "$work"
mkdir -p "$work"

start_xvfb

# Gives the keyboard focus to window $1 (there is no window manager) and
# puts the pointer over it; false when the focus does not stay there.
focus_window() {
  xdotool mousemove 320 240
  local focused=0
  for _ in $(seq 200); do
    xdotool windowfocus "$1" >/dev/null 2>&1
    focused=$(xdotool getwindowfocus 2>/dev/null || echo 0)
    [ "$((focused))" = "$(($1))" ] && return 0
    sleep 0.1
  done
  echo "focus stayed on $focused, not $1" >&2
  return 1
}

# Waits for a top-level window named exactly $1 (the message box, which
# xdotool's search does not list); prints its id.
wait_for_box() {
  for _ in $(seq 400); do
    local id
    id=$(xwininfo -root -tree 2>/dev/null | awk -v name="\"$1\":" '$2 == name {print $1; exit}')
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Number of pixels that differ between two screenshots in the game's 640x480.
pixels_changed() {
  compare -metric AE -crop 640x480+0+0 "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# --- 1. Playing the demo -----------------------------------------------------
cp -r "$demo" "$work/play"
(cd "$work/play" && exec "$game") >"$work/play.out" 2>"$work/play.err" &
app_pid=$!
window=$(wait_for_window "Ember Hollow" 300 --onlyvisible) || fail "no window titled \"Ember Hollow\""
focus_window "$window" || fail "the game's window never got the keyboard focus"
sleep 1
import -window root "$work/start.png"

xdotool keydown Right
sleep 0.6
xdotool keyup Right
sleep 0.5
import -window root "$work/walked_right.png"
xdotool keydown Down
sleep 0.6
xdotool keyup Down
sleep 0.5
import -window root "$work/walked_down.png"

changed=$(pixels_changed "$work/start.png" "$work/walked_right.png")
echo "pixels changed by walking right: $changed"
[ "${changed:-0}" -gt 10000 ] || fail "the view did not move when walking right"
changed=$(pixels_changed "$work/walked_right.png" "$work/walked_down.png")
echo "pixels changed by walking down: $changed"
[ "${changed:-0}" -gt 10000 ] || fail "the view did not move when walking down"

# Held a moment, as a person presses it: the steps read the keyboard's state,
# so a press and release taken in one message pump (a busy machine) is not
# seen; like a person, press again then.
ended=no
for _ in $(seq 5); do
  xdotool keydown Escape
  sleep 0.4
  xdotool keyup Escape
  if wait_for_exit "$app_pid" 30; then
    ended=yes
    break
  fi
done
if [ "$ended" != yes ]; then
  import -window root "$work/after_escape.png"
  fail "the game did not end on Escape; focus: $(xdotool getwindowfocus getwindowname 2>&1)"
fi
app_pid=""
[ "$app_status" -eq 0 ] || fail "exit code $app_status after Escape (expected 0); $(cat "$work/play.err")"

# --- 2. Talking to a villager -------------------------------------------------
# Pixels that differ inside the conversation box's area (600x150 at 20,310).
box_pixels_changed() {
  compare -metric AE -crop 600x150+20+310 "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
# One press as a person makes it: held a moment, so the game's steps see it.
press() {
  xdotool keydown "$1"
  sleep 0.25
  xdotool keyup "$1"
  sleep 0.6
}
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

rm -rf "$work/talk"
cp -r "$demo" "$work/talk"
(cd "$work/talk" && exec "$game") >"$work/talk.out" 2>"$work/talk.err" &
app_pid=$!
window=$(wait_for_window "Ember Hollow" 300 --onlyvisible) || fail "no window for the conversation run"
focus_window "$window" || fail "the game's window never got the keyboard focus"
sleep 1
import -window root "$work/talk_before.png"
press space
import -window root "$work/talk_open.png"
press Down
import -window root "$work/talk_chosen.png"
press Return
import -window root "$work/talk_next.png"
press Return
import -window root "$work/talk_ended.png"

changed=$(box_pixels_changed "$work/talk_before.png" "$work/talk_open.png")
echo "box area pixels changed by Space: $changed"
[ "${changed:-0}" -gt 20000 ] || fail "no conversation box after Space facing Rowan"
border=$(pixel "$work/talk_open.png" 20 385)
echo "box border pixel: $border"
[ "$border" = "232,224,200" ] || fail "the box's left border is $border, not the light border colour"
changed=$(box_pixels_changed "$work/talk_open.png" "$work/talk_chosen.png")
echo "box pixels changed by Down: $changed"
[ "${changed:-0}" -gt 50 ] || fail "the marker did not move with Down"
changed=$(box_pixels_changed "$work/talk_chosen.png" "$work/talk_next.png")
echo "box pixels changed by taking the choice: $changed"
[ "${changed:-0}" -gt 1000 ] || fail "the box did not change when the choice was taken"
changed=$(box_pixels_changed "$work/talk_before.png" "$work/talk_ended.png")
echo "box area pixels that differ from before the talk, after its end: $changed"
[ "${changed:-0}" -lt 3000 ] || fail "the box did not go away at the end of the conversation"

press space
import -window root "$work/talk_again.png"
press Escape
import -window root "$work/talk_escaped.png"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "Escape in a conversation ended the game"
changed=$(box_pixels_changed "$work/talk_before.png" "$work/talk_again.png")
[ "${changed:-0}" -gt 20000 ] || fail "no box when talking again"
changed=$(box_pixels_changed "$work/talk_before.png" "$work/talk_escaped.png")
[ "${changed:-0}" -lt 3000 ] || fail "Escape did not close the box"
ended=no
for _ in $(seq 5); do
  press Escape
  if wait_for_exit "$app_pid" 30; then
    ended=yes
    break
  fi
done
[ "$ended" = yes ] || fail "the game did not end on Escape after the conversation"
app_pid=""
[ "$app_status" -eq 0 ] || fail "exit code $app_status after the conversation run"

# --- 3. No "World.rkm" -------------------------------------------------------
# The report is in its box (SDL's, or ours where the server has no core fonts
# for SDL's), dismissed with Return, on standard error once, exit code 1.
check_missing_world_report() {
  rm -rf "$work/empty"
  cp -r "$demo" "$work/empty"
  # The game without settings: Game.ini's missing first map has a report of its own.
  rm -f "$work/empty/World.rkm" "$work/empty/Game.ini"
  (cd "$work/empty" && exec "$game") >"$work/empty.out" 2>"$work/empty.err" &
  app_pid=$!
  box=$(wait_for_box "ERROR") || fail "no \"ERROR\" box without World.rkm ($1); the game said: $(cat "$work/empty.err")"
  sleep 0.3
  import -window root "$work/missing_world_$1.png"
  focus_window "$box" || fail "the report box never got the keyboard focus ($1)"
  xdotool key Return
  wait_for_exit "$app_pid" 50 || fail "the game did not end after its report was dismissed ($1)"
  app_pid=""
  [ "$app_status" -eq 1 ] || fail "exit code $app_status without World.rkm (expected 1, $1)"
  [ "$(grep -c "Failed to open the world file." "$work/empty.err")" -eq 1 ] ||
    fail "report not on standard error exactly once ($1): $(cat "$work/empty.err")"
  grep -q "FILE: RkWorld" "$work/empty.err" || fail "report without its source name ($1)"
}
check_missing_world_report core_fonts

# --- 4. The same on a server without core fonts ------------------------------
stop_xvfb
start_xvfb 1280x1024x24 -fp built-ins
check_missing_world_report no_core_fonts

echo "PASS: the demo played and ended with 0; Rowan talked, the box followed the choice and went; without World.rkm it ended with 1, with and without core fonts"
exit 0
