#!/usr/bin/env bash
# The editor keeps the user's work, in a real window under Xvfb:
#   safety_end_to_end.sh EDITOR_BINARY DEMO_FOLDER WORK_FOLDER
# 1. The map name "World" typed and Escape pressed in the field: the editor goes
#    on and its title shows the typed name ("RkEngine - World.rkm").
# 2. Load Sprite of a file that is not an image: a notice box names it; Return
#    dismisses it and the editor goes on.
# 3. One Escape cancels the file dialog. A cell painted: the title gets the unsaved mark. Escape on the open File
#    menu closes the menu; Escape with nothing open asks "Save changes to
#    World.rkm?", and Escape on that box (Cancel) keeps the editor.
# 4. Save Map: the mark goes; Escape ends the editor at once, exit code 0, and
#    "World.rkm" holds the painted cell.
# Screenshots are left in WORK_FOLDER. Exits 77 (skipped) when a tool is missing.
set -uo pipefail

editor=$(realpath "$1")
demo=$(realpath "$2")
work=$(realpath -m "$3")
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

require_tools Xvfb xdotool xwininfo import convert od

rm -rf "$work"
mkdir -p "$work/run"
cp -r "$demo/images" "$work/run/images"
echo "these are notes, not an image" >"$work/run/notes.png"

start_xvfb

shot() { import -window root "$work/$1.png"; }
# Top-level windows named exactly $1 (message boxes included, which xdotool's
# search does not list).
windows_named() { xwininfo -root -tree 2>/dev/null | awk -v name="\"$1\":" '$2 == name' | wc -l; }
box_shown() { [ "$(windows_named RkEngine)" -ge 1 ]; }
box_gone() { [ "$(windows_named RkEngine)" -eq 0 ]; }
# Without a window manager the box gets the keyboard only when given it.
press_in_box() {
  xdotool windowfocus "$(xwininfo -root -tree | awk '$2 == "\"RkEngine\":" {print $1; exit}')" 2>/dev/null
  sleep 0.2
  press_keys "$1"
}
title_is() { [ "$(xdotool getwindowname "$main_window" 2>/dev/null)" = "$1" ]; }
running() { kill -0 "$app_pid" 2>/dev/null; }
choose_file() {
  wait_for "the file dialog did not open" dialog_shown
  xdotool type --delay 30 "$1"
  sleep 0.2
  press_keys Return
}
start_editor "$work/run"

# --- 1. Escape in a text field keeps what was typed -------------------------------
click_at "$(panel_x 175)" "$(panel_y 19)"          # map name
xdotool type --delay 30 "World"
press_keys Escape
sleep 0.3
running || fail "Escape in the map name field ended the editor"
wait_for "the title does not show the typed name" title_is "RkEngine - World.rkm"

# --- 2. A sprite that is not an image ---------------------------------------------
click_at "$(panel_x 55)" "$(panel_y 105)"          # Load Sprite
choose_file "notes.png"
wait_for "no notice for notes.png" box_shown
sleep 0.5
shot notice
press_in_box Return
wait_for "the notice did not go" box_gone
running || fail "the editor ended after the notice"

# --- 3. Painting, the mark, Escape on a menu and on the question -------------------
click_at "$(panel_x 55)" "$(panel_y 105)"          # Load Sprite: one Escape cancels the dialog
wait_for "the file dialog did not open" dialog_shown
press_keys Escape
wait_for "Escape did not cancel the file dialog" dialog_gone
running || fail "Escape in the file dialog ended the editor"
click_at "$(panel_x 55)" "$(panel_y 105)"          # Load Sprite
choose_file "images/tiles/grass.png"
wait_for "the file dialog did not close" dialog_gone
click_at "$(panel_x 19)" "$(panel_y 329)"          # Open
click_at 452 300
wait_for "no cell painted" screen_pixel_is lit 452 300
wait_for "the title has no unsaved mark" title_is "RkEngine - World.rkm *"
xdotool mousemove 700 600
sleep 0.3
shot painted

click_at 25 9                                      # File
sleep 0.3
shot file_menu
press_keys Escape
sleep 0.3
running || fail "Escape on the open File menu ended the editor"
box_gone || fail "Escape on the open File menu asked a question"
shot menu_closed
[ "$(pixel "$work/file_menu.png" 45 33)" != "$(pixel "$work/menu_closed.png" 45 33)" ] ||
  fail "the File menu did not close on Escape"

press_keys Escape
wait_for "Escape with unsaved changes asked nothing" box_shown
sleep 0.5
shot question
press_in_box Escape                             # the question's Cancel
wait_for "the question did not go" box_gone
sleep 0.3
running || fail "Cancel ended the editor"

# --- 4. Saved: Escape ends at once -----------------------------------------------
click_at "$(panel_x 47)" "$(panel_y 46)"           # Save Map
wait_for "Save Map wrote no World.rkm" test -f "$work/run/World.rkm"
wait_for "the title keeps the unsaved mark" title_is "RkEngine - World.rkm"
press_keys Escape
for _ in $(seq 50); do running || break; sleep 0.1; done
running && fail "the editor did not end on Escape once saved"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "editor exit code $status"
size=$(stat -c %s "$work/run/World.rkm")
[ "$size" -eq $((8 + 1012 + 4)) ] || fail "World.rkm has $size bytes, not those of one cell"
echo "PASS"
