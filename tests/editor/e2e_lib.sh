# The editor's end-to-end scripts' shared part: clicks, keys, pixels and the
# waits that drive the editor's real window. Sourced after tests/xsession.sh,
# with "work" (the scratch folder) set:
#   click_at X Y                a press and release the loop sees
#   press_keys KEY...           keys held down together a moment
#   pixel SHOT X Y              a screenshot's pixel as six hex digits
#   wait_for WHAT COMMAND...    polls ten seconds for COMMAND, fails with WHAT
#   screen_pixel_is black|lit X Y, dialog_shown, dialog_gone
#   panel_x X, panel_y Y        the map panel's client pixels on the screen
#   start_editor FOLDER         the editor started in FOLDER, its map panel open;
#                               sets app_pid and main_window
#   choose_in_dialog TEXT       types TEXT into the file dialog just opened, takes it

# A press and release with a pause, so that the editor's loop sees the button down.
click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.1
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.25
}

# The colour of screen pixel ($2, $3) of screenshot $1, as six hex digits.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 -format '%[hex:p{0,0}]' info: | cut -c1-6
}

# Polls up to ten seconds for a condition (a command) to hold; fails with $1 otherwise.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$what"
}

# Whether screen pixel ($1, $2) is black ("black") or not ("lit") right now.
screen_pixel_is() {
  import -window root "$work/probe.png" 2>/dev/null || return 1
  local colour
  colour=$(pixel "$work/probe.png" "$2" "$3")
  if [ "$1" = black ]; then [ "$colour" = "000000" ]; else [ "$colour" != "000000" ]; fi
}

# Keys held for a while, so that the editor's loop sees them down.
press_keys() {
  xdotool keydown "$@"
  sleep 0.2
  xdotool keyup "$@"
  sleep 0.2
}

# The file dialog lies over the canvas around (600, 145) while it is up.
dialog_shown() { screen_pixel_is lit 600 145; }
dialog_gone() { screen_pixel_is black 600 145; }

# Panel controls in screen pixels: the panel's corner is at (100, 100) and its
# client area starts below its title bar; the canvas starts below the menu bar.
panel_x() { echo $((100 + $1)); }
panel_y() { echo $((100 + 18 + $1)); }

# The editor started in folder $1 with File > Map Editor chosen; its output goes
# to $work/editor.out and editor.err.
start_editor() {
  (cd "$1" && exec "$editor") >"$work/editor.out" 2>"$work/editor.err" &
  app_pid=$!
  main_window=$(wait_for_window "RkEngine") || fail "no window titled \"RkEngine\""
  sleep 0.8
  click_at 25 9                                 # File
  click_at 45 33                                # Map Editor
  wait_for "the map editor panel did not open" screen_pixel_is lit 300 400
}

# The file dialog that the last click opened gets $1 typed as the file name and Return.
choose_in_dialog() {
  wait_for "the file dialog did not open" dialog_shown
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_for "the file dialog did not close" dialog_gone
}
