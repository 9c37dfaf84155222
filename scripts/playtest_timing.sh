#!/usr/bin/env bash
# Measures, in real windows under Xvfb, the time from F5 in the editor to the
# game's first picture: the editor loads MAP from a copy of the demo folder
# (SIZE > 0 first writes a SIZE by SIZE map of grass as MAP), the pointer rests
# on cell (1, 1), F5 is pressed and the screen is watched until the game's
# window shows the player at its centre. RUNS runs; each time is printed.
#   scripts/playtest_timing.sh [MAP] [SIZE] [RUNS]
#   scripts/playtest_timing.sh World.rkm 0 5      the demo's village
#   scripts/playtest_timing.sh Big.rkm 512 5      a 512 by 512 map
# Needs the build in build/ (RkEngine and EmberHollow), Xvfb, xdotool and ImageMagick.
set -uo pipefail
cd "$(dirname "$0")/.."
map=${1:-World.rkm}
size=${2:-0}
runs=${3:-5}
root=$PWD
editor=$root/build/editor/RkEngine
work=$(mktemp -d /tmp/rk-playtest-timing.XXXXXX)
source tests/xsession.sh
require_tools Xvfb xdotool import convert python3 bc
start_xvfb
source tests/editor/e2e_lib.sh
trap 'stop_session; rm -rf "$work"' EXIT

cp -r demo "$work/play"
if [ "$size" -gt 0 ]; then
  python3 - "$work/play/$map" "$size" <<'EOF'
import struct, sys
path, size = sys.argv[1], int(sys.argv[2])
image = b"images/tiles/grass.png"
tile = struct.pack('<i', 1) + image.ljust(500, b'\0') + b'\0' * 500 + struct.pack('<ii', 0, 0)
with open(path, 'wb') as f:
    f.write(struct.pack('<ii', size, size))
    column = tile * size
    for _ in range(size):
        f.write(column)
    f.write(struct.pack('<I', 0))
EOF
fi

hero=$(convert "$work/play/images/characters/ch_classm32_10.png" -crop 1x1+16+20 -depth 8 -format '%[hex:p{0,0}]' info: | cut -c1-6)
start_editor "$work/play"
click_at "$(panel_x 134)" "$(panel_y 46)"       # Load Map
sleep 1
xdotool type --delay 20 "$map"
xdotool key Return
sleep $((size > 0 ? 15 : 2))                   # a 265 MB map takes a while to load
xdotool mousemove 48 68                         # cell (1, 1)
sleep 0.5
for run in $(seq "$runs"); do
  xdotool windowfocus "$main_window" 2>/dev/null
  xdotool mousemove 48 68
  sleep 0.5
  started=$(date +%s.%N)
  xdotool key F5
  shown=""
  for _ in $(seq 2000); do
    id=$(xdotool search --onlyvisible --name "Ember Hollow" 2>/dev/null | head -1)
    if [ -n "$id" ] && import -window "$id" "$work/game.png" 2>/dev/null &&
       [ "$(pixel "$work/game.png" 336 260)" = "$hero" ]; then
      shown=$(date +%s.%N)
      break
    fi
    sleep 0.005
  done
  [ -n "$shown" ] || fail "run $run: no picture of the player"
  echo "run $run: F5 to the game's first picture $(echo "$shown - $started" | bc) s"
  xdotool key --window "$id" Escape
  for _ in $(seq 100); do
    xdotool search --name "Ember Hollow" >/dev/null 2>&1 || break
    sleep 0.1
  done
  sleep 1
done
