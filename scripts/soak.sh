#!/usr/bin/env bash
# A random-input soak of the editor: scripts/soak.sh SECONDS [SEED]
#
# Runs the editor under a private Xvfb on a copy of the demo world and drives it
# with seeded random clicks, drags, wheel turns, keys (arrows, Escape, Return,
# Ctrl+Z/Y, letters, Delete, Tab, F-keys), typed words and answers to its
# message boxes, for SECONDS seconds. The same seed gives the same sequence of
# actions (the timing of a run, and so what each action meets, may differ).
# An editor that ends by itself (Escape, File > Exit) is started again.
#
# Fails (exit 1) when the editor dies by a signal or ends with a fatal report,
# when its memory grows more than RK_SOAK_GROWTH_MB (default 400) past what it
# held after starting, or when a map or "NPCs.rk" left in the folder cannot be
# read (the map checker's "cannot be read" errors). The checker's other
# findings are printed: random edits make maps with cells without images or
# links without maps, which is the user's work, not a fault.
#
# Environment: RK_EDITOR (default build/editor/RkEngine), RK_CHECK_MAPS (default
# build/tools/RkCheckMaps/RkCheckMaps), RK_SOAK_WORK (scratch folder, default
# build/soak; the screenshots stay there, and actions.log with the draws of each
# action), RK_SOAK_SHOT_EVERY (seconds between screenshots, default 60).
# Exits 77 when Xvfb or xdotool is missing.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:?usage: scripts/soak.sh SECONDS [SEED]}
seed=${2:-$(od -An -N3 -tu4 /dev/urandom | tr -d ' ')}
editor=$(realpath "${RK_EDITOR:-build/editor/RkEngine}")
checker=$(realpath "${RK_CHECK_MAPS:-build/tools/RkCheckMaps/RkCheckMaps}")
work=$(realpath -m "${RK_SOAK_WORK:-build/soak}")
growth_mb=${RK_SOAK_GROWTH_MB:-400}
shot_every=${RK_SOAK_SHOT_EVERY:-60}
echo "soak seed: $seed (replay: scripts/soak.sh $seconds $seed)"

source "$root/tests/xsession.sh"
require_tools Xvfb xdotool xwininfo import
[ -x "$editor" ] || fail "no editor at $editor"
[ -x "$checker" ] || fail "no map checker at $checker"

rm -rf "$work"
mkdir -p "$work/run"
cp -r "$root/demo/." "$work/run/"
start_xvfb 1280x1024x24

# --- the editor --------------------------------------------------------------------
starts=0
baseline_kb=0
peak_kb=0
start_editor() {
  (cd "$work/run" && exec "$editor") >>"$work/editor.out" 2>>"$work/editor.err" &
  app_pid=$!
  starts=$((starts + 1))
  main_window=$(wait_for_window "RkEngine") || fail "the editor opened no window"
  sleep 1
  open_village
  rss_kb=$(resident_kb)
  [ "$baseline_kb" -eq 0 ] && baseline_kb=$rss_kb
}
# Clicks and keys slow enough for the editor's loop to see each, to begin
# from the village with grass to paint.
slow_click() {
  xdotool mousemove "$1" "$2"
  sleep 0.1
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.3
}
choose_file() {
  sleep 0.5
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.5
}
open_village() {
  slow_click 25 9                              # File
  slow_click 45 33                             # Map Editor
  slow_click $((100 + 134)) $((118 + 46))      # Load Map
  choose_file World.rkm
  slow_click $((100 + 55)) $((118 + 105))      # Load Sprite
  choose_file images/tiles/grass.png
  slow_click $((100 + 19)) $((118 + 329))      # Open
}
# 0 while the editor is gone or ending (a zombie has no VmRSS line).
resident_kb() {
  local kb
  kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status" 2>/dev/null)
  echo "${kb:-0}"
}

# An editor that is gone: a clean end is started again; a signal or a fatal
# report fails the soak.
check_editor() {
  kill -0 "$app_pid" 2>/dev/null && return 0
  wait "$app_pid"
  local status=$?
  app_pid=""
  if [ "$status" -gt 128 ]; then
    fail "the editor died by signal $((status - 128)) after $actions actions (seed $seed); see $work/editor.err"
  fi
  [ "$status" -eq 0 ] || fail "the editor ended with exit code $status after $actions actions (seed $seed): $(tail -5 "$work/editor.err")"
  start_editor
}

check_memory() {
  local now
  now=$(resident_kb)
  [ "$now" -gt "$peak_kb" ] && peak_kb=$now
  if [ "$now" -gt $((baseline_kb + growth_mb * 1024)) ]; then
    fail "the editor holds $((now / 1024)) MB, more than $growth_mb MB past its $((baseline_kb / 1024)) MB at start (seed $seed)"
  fi
}

# --- the actions -------------------------------------------------------------------
keys=(Left Right Up Down Left Right Up Down Escape Return Return Delete Tab BackSpace space
      F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 a b c d e f g h i j k l m n o p q r s t u v w x y z
      0 1 2 5 9 Home End Page_Up Page_Down)
letters=abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789
answers=(Return Escape "Tab Return" "Right Return" space "Left Return")
# The map panel's controls (client pixels; the panel's client area starts at
# 100, 118): name, Save Map, Load Map, Load Sprite, Load New Area, the start
# edits, the seven radio buttons, the NPC list.
controls=("175 19" "47 46" "134 46" "55 105" "195 290" "155 369" "235 369" "19 289" "19 309" "19 329"
          "19 349" "19 369" "19 389" "19 409" "100 450" "100 480")

# Message boxes are top-level windows of their own besides the main window.
box_window() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ && $2 != "(has" {print $1}'); do
    [ "$((id))" -eq "$((main_window))" ] && continue
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && { echo "$id"; return 0; }
  done
  return 1
}

click() {
  xdotool mousemove "$1" "$2" mousedown "$3"
  sleep 0.05
  xdotool mouseup "$3"
}
drag() {
  xdotool mousemove "$1" "$2" mousedown "$5"
  local step
  for step in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 4)) $(($2 + ($4 - $2) * step / 4))
    sleep 0.03
  done
  xdotool mouseup "$5"
}
press() {
  xdotool keydown $1
  sleep 0.04
  xdotool keyup $1
}
type_word() {
  local length=$1 start=$2 stride=$3 word="" i
  for ((i = 0; i < length; i++)); do word+=${letters:$(((start + i * stride) % ${#letters})):1}; done
  xdotool type --delay 15 "$word"
}
answer_box() {
  local box
  box=$(box_window) || return 0
  xdotool windowfocus "$box" 2>/dev/null
  sleep 0.1
  local key
  for key in ${answers[$1]}; do press "$key"; done
  # Back to the main window, which has the keyboard when no box is up.
  sleep 0.2
  box_window >/dev/null || xdotool windowfocus "$main_window" 2>/dev/null
}

# Six draws per action whatever it turns out to be, so that the sequence of
# actions depends on the seed alone.
act() {
  local kind=$((RANDOM % 100)) a=$RANDOM b=$RANDOM c=$RANDOM d=$RANDOM e=$RANDOM
  echo "$kind $a $b $c $d $e" >>"$work/actions.log"
  if ((kind < 28)); then
    click $((a % 896)) $((b % 700)) $((e % 6 == 0 ? 3 : 1))
  elif ((kind < 40)); then
    drag $((a % 896)) $((b % 700)) $((c % 896)) $((d % 700)) $((e % 5 == 0 ? 3 : 1))
  elif ((kind < 47)); then
    xdotool mousemove $((a % 896)) $((b % 700)) click --repeat $((1 + d % 5)) $((c % 2 == 0 ? 4 : 5))
  elif ((kind < 75)); then
    local key=${keys[$((a % ${#keys[@]}))]}
    case $((b % 10)) in
      0) key="ctrl+z" ;;
      1) key="ctrl+y" ;;
      2) key="ctrl+$key" ;;
    esac
    press "$key"
  elif ((kind < 82)); then
    type_word $((1 + a % 8)) "$b" "$((c % 61 + 1))"
  elif ((kind < 90)); then
    answer_box $((a % ${#answers[@]}))
  elif ((kind < 96)); then
    local control=(${controls[$((a % ${#controls[@]}))]})
    click $((100 + control[0])) $((118 + control[1])) 1
  else
    click $((20 + a % 3 * 45)) 9 1        # a menu of the bar, then one of its items
    sleep 0.15
    click $((10 + b % 220)) $((22 + c % 160)) 1
  fi
  actions=$((actions + 1))
}

# --- the run -----------------------------------------------------------------------
RANDOM=$seed
actions=0
start_editor
started=$SECONDS
next_shot=0
while ((SECONDS - started < seconds)); do
  check_editor
  act
  sleep 0.0$((RANDOM % 10))
  check_memory
  if ((SECONDS - started >= next_shot)); then
    import -window root "$work/shot-$(printf %05d $((SECONDS - started))).png" 2>/dev/null
    next_shot=$((next_shot + shot_every))
  fi
done
check_editor
check_memory
# The soak's own end: nothing of the user's work is asked about.
kill -9 "$app_pid" 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""
stop_xvfb 2>/dev/null || true

# --- what is left in the folder ----------------------------------------------------
echo "soak: $actions actions in $seconds s, $starts editor start(s), peak $((peak_kb / 1024)) MB" \
  "(at start $((baseline_kb / 1024)) MB)"
ls -la "$work/run" | grep -E '\.rkm$|NPCs\.rk$' | awk '{print "  " $5 "\t" $9}'
unreadable=0
while IFS= read -r folder; do
  findings=$("$checker" "$folder")
  label=${folder#"$work/run"}
  if [ -n "$findings" ]; then
    echo "map checker on ${label:-the folder}: $(echo "$findings" | wc -l) findings, the first ten:"
    echo "$findings" | head -10 | sed 's/^/  /'
  fi
  if echo "$findings" | grep -q "cannot be read"; then unreadable=1; fi
done < <(find "$work/run" \( -name '*.rkm' -o -name NPCs.rk \) -printf '%h\n' | sort -u)
[ "$unreadable" -eq 0 ] || fail "a map or NPCs.rk left by the soak cannot be read (seed $seed)"
echo "soak passed (seed $seed)"
