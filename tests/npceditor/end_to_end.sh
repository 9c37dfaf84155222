#!/usr/bin/env bash
# The NPC editor end to end, in real windows under Xvfb, driven with xdotool as
# a person would:
#   end_to_end.sh EDITOR_BINARY GAME_BINARY DEMO_FOLDER WORK_FOLDER
# 1. File > NPC Editor: an NPC "Guard" with an image, dialogues 1 "Hello" and
#    2 "Bye: see you", a response "Yes" leading to 2 on dialogue 1; SAVE CHANGES;
#    File > Exit. "NPCs.rk" holds exactly those records.
# 2. The editor again: the panel lists Guard, its dialogues and its response as
#    they were shown before (the panel's pixels are compared).
# 3. File > Map Editor: a 3x3 floor of Open cells, Guard placed as a Static NPC
#    on cell (2, 1), saved as "World.rkm".
# 4. The game on that map shows the guard's image on the floor at cell (2, 1).
# Screenshots are left in WORK_FOLDER. Exits 77 (skipped) when Xvfb, xdotool or
# ImageMagick is missing.
set -uo pipefail

editor=$(realpath "$1")
game=$(realpath "$2")
demo=$(realpath "$3")
work=$(realpath -m "$4")
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import compare convert

rm -rf "$work"
mkdir -p "$work/run"
cp -r "$demo/images" "$work/run/images"

start_xvfb

start() {
  (cd "$work/run" && exec "$1") >"$work/$2.out" 2>"$work/$2.err" &
  app_pid=$!
  local window
  window=$(wait_for_window "$3") || fail "no window titled \"$3\""
  xdotool windowfocus "$window" 2>/dev/null
  sleep 1
}

# The programs read the mouse and keys once per pass: every press is held a moment.
click() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
}
press() {
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep 0.3
}
type_into() {
  click "$1" "$2"
  xdotool type --delay 40 "$3"
  sleep 0.2
}
shot() {
  import -window root "$work/$1.png"
}
# Pixels that differ between two screenshots inside a rectangle WxH+X+Y.
pixels_changed() {
  compare -metric AE -crop "$3" "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1
}

# The editor's window sits at the screen's corner with its menu bar on top; both
# panels open 100 pixels right and down from it. Screen positions below are the
# panels' control positions plus (100, 119): the corner and the title bar.
menu_file() { click 25 10; }
menu_item() { click 45 "$1"; }  # Map Editor 33, NPC Editor 50, Exit 143 (below Game Settings... and Export Game)
choose_file() {
  xdotool type --delay 40 "$1"
  sleep 0.2
  press Return
  sleep 0.3
}
npc_panel="440x530+100+100"

# --- 1. An NPC with an image, two dialogues and a response -------------------
start "$editor" editor1 "RkEngine"
menu_file
menu_item 50
shot npc_panel_empty
type_into 350 158 "Guard"           # Name
click 265 204                       # Load Sprite
shot file_dialog
choose_file "images/characters/guard.png"
click 260 236                       # Save NPC
click 140 158                       # the NPC list's first entry: Guard
type_into 420 328 "Hello"           # dialogue Text
type_into 390 378 "1"               # Text ID
click 460 379                       # Save Text (dialogue)
type_into 420 328 "Bye: see you"
type_into 390 378 "2"
click 460 379
click 150 324                       # the second dialogue entry: "1: Hello"
type_into 420 478 "Yes"             # response Text
type_into 392 528 "2"               # Next ID
click 460 529                       # Save Text (response)
click 150 458                       # the response entry: "2[next]: Yes"
shot npc_made
click 315 599                       # SAVE CHANGES
click 150 307                       # "2: Bye: see you", then back to "1: Hello"
click 150 324
shot npc_saved
menu_file
menu_item 143
wait_for_exit "$app_pid" 100 || fail "the editor did not end on File > Exit"
[ "$app_status" -eq 0 ] || fail "editor exit code $app_status"

[ -f "$work/run/NPCs.rk" ] || fail "SAVE CHANGES wrote no NPCs.rk"
size=$(stat -c %s "$work/run/NPCs.rk")
# 4 + NPC 1016 + dialogue 1 (512 + one response 508) + dialogue 2 (512)
[ "$size" -eq 2552 ] || fail "NPCs.rk is $size bytes, not 2552"
for text in Guard images/characters/guard.png Hello "Bye: see you" Yes; do
  grep -qF "$text" "$work/run/NPCs.rk" || fail "NPCs.rk lacks \"$text\""
done

# --- 2. Listed again after a restart ------------------------------------------
start "$editor" editor2 "RkEngine"
menu_file
menu_item 50
shot npc_reopened
click 140 158                       # Guard
click 150 307                       # "2: Bye: see you"
click 150 324                       # "1: Hello"
shot npc_listed_again
changed=$(pixels_changed npc_saved npc_listed_again "$npc_panel")
echo "panel pixels differing from the first session: $changed"
[ "${changed:-1}" -le 20 ] || fail "the reopened panel does not show the saved NPC as before"
changed=$(pixels_changed npc_panel_empty npc_reopened "$npc_panel")
[ "${changed:-0}" -gt 20 ] || fail "the reopened panel lists no NPC"

# --- 3. The NPC placed on a map -----------------------------------------------
click 528 110                       # the NPC editor's close box
menu_file
menu_item 33
click 155 223                       # Map Editor: Load Sprite
choose_file "images/tiles/floor.png"
click 120 447                       # Open
for cy in 0 1 2; do
  for cx in 0 1 2; do
    click $((32 * cx + 16)) $((19 + 32 * cy + 16))
  done
done
click 140 547                       # Guard in the map editor's NPC list
click 248 627                       # Static NPC
click 80 67                         # cell (2, 1)
type_into 275 137 "World"           # Map Name
click 147 164                       # Save Map
shot map_made
menu_file
menu_item 143
wait_for_exit "$app_pid" 100 || fail "the editor did not end on File > Exit"
[ -f "$work/run/World.rkm" ] || fail "Save Map wrote no World.rkm"
size=$(stat -c %s "$work/run/World.rkm")
# 8 + 9 tiles of 1012 + 4 + one NPC of 1016 without dialogues
[ "$size" -eq 10136 ] || fail "World.rkm is $size bytes, not 10136"
grep -qF Guard "$work/run/World.rkm" || fail "World.rkm lacks the Guard"

# --- 4. The game shows it -----------------------------------------------------
start "$game" game "Ember Hollow"
shot game
# The player stands on cell (0, 0) at screen (320, 240): cell (2, 1) is at (384, 272).
convert "$work/run/images/tiles/floor.png" \
  \( "$work/run/images/characters/guard.png" -transparent white \) -composite -alpha off \
  "$work/expected_guard.png"
convert "$work/game.png" -crop 32x32+384+272 +repage "$work/game_guard.png"
changed=$(compare -metric AE "$work/expected_guard.png" "$work/game_guard.png" null: 2>&1 | cut -d' ' -f1)
echo "guard cell pixels differing from the guard on the floor: $changed"
[ "${changed:-1}" -le 20 ] || fail "the game does not show the guard at cell (2, 1)"
press Escape
wait_for_exit "$app_pid" 50 || fail "the game did not end on Escape"
[ "$app_status" -eq 0 ] || fail "game exit code $app_status"

echo "PASS: the NPC made in the NPC editor was listed again after a restart and shown in the game"
exit 0
