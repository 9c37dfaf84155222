#!/usr/bin/env bash
# Measures the game on one or more game folders, each in its own Xvfb: the time
# from the program's start to its first picture (the first SDL_RenderPresent),
# the resident memory then, and the CPU it uses over SECONDS while the player
# stands still (after SETTLE seconds). The folders take turns, RUNS rounds, so
# that a busy machine slows them alike; each run is printed, then the medians.
#   scripts/scale_timing.sh [-r RUNS] [-s SECONDS] [-w SETTLE] [-k KEY] [-g GAME] FOLDER...
#   scripts/scale_timing.sh -r 5 demo /tmp/big      the demo against a big map
# -g runs another build of the game (a saved copy of an older one, say).
# With -k KEY the key is held for a moment once the game has settled (Right
# walks onto a New Area cell beside the start, say) and the longest pause
# between two pictures after it is printed too: the map change's wait.
# Needs the build in build/ (EmberHollow), Xvfb, xdotool and a C compiler: the
# first picture is timed by a small library preloaded into the game.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=3
seconds=20
settle=8
key=""
game=$PWD/build/EmberHollow/EmberHollow
while getopts "r:s:w:k:g:" option; do
  case $option in
    r) runs=$OPTARG ;;
    s) seconds=$OPTARG ;;
    w) settle=$OPTARG ;;
    k) key=$OPTARG ;;
    g) game=$(realpath "$OPTARG") ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-r RUNS] [-s SECONDS] [-w SETTLE] [-k KEY] [-g GAME] FOLDER..."; exit 2; }
[ -x "$game" ] || { echo "no game at $game: build first"; exit 1; }
work=$(mktemp -d /tmp/rk-scale-timing.XXXXXX)
source tests/xsession.sh
require_tools Xvfb xdotool cc python3
trap 'stop_session; rm -rf "$work"' EXIT

# Every present is counted from the moment the library is loaded (before the
# game's own code runs); a pause of more than 50 ms after the tenth is logged.
cat >"$work/present.c" <<'SHIM'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
static double started, last;
static long frames;
static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}
static long ResidentKb(void) {
  long size = 0, resident = 0;
  FILE* statm = fopen("/proc/self/statm", "r");
  if (statm) { if (fscanf(statm, "%ld %ld", &size, &resident) != 2) resident = 0; fclose(statm); }
  return resident * 4;
}
__attribute__((constructor)) static void Start(void) { started = Now(); }
void SDL_RenderPresent(void* renderer) {
  static void (*real)(void*);
  if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
  real(renderer);
  double now = Now();
  if (++frames == 1) fprintf(stderr, "SCALE first %.3f rss %ld\n", now - started, ResidentKb() / 1024);
  else if (frames > 10 && now - last > 0.05) fprintf(stderr, "SCALE gap %.3f at %.3f\n", now - last, now - started);
  last = now;
}
SHIM
cc -O2 -shared -fPIC -o "$work/present.so" "$work/present.c" -ldl || fail "the timing library did not build"

# One run of the game in FOLDER; prints "first RSS cpu [gap]".
measure() {
  local folder=$1 log=$work/run.log
  start_xvfb
  (cd "$folder" && exec env LD_PRELOAD="$work/present.so" "$game" >/dev/null 2>"$log") &
  app_pid=$!
  sleep "$settle"
  local gap=""
  if [ -n "$key" ]; then
    local window
    window=$(xdotool search --name "Ember Hollow" 2>/dev/null | head -1)
    xdotool mousemove 10 10
    for _ in $(seq 10); do xdotool windowfocus "$window" 2>/dev/null; sleep 0.1; done
    xdotool keydown "$key"; sleep 0.15; xdotool keyup "$key"
    sleep "$settle"
  fi
  local tick before after
  tick=$(getconf CLK_TCK)
  before=$(awk '{print $14 + $15}' /proc/"$app_pid"/stat)
  sleep "$seconds"
  after=$(awk '{print $14 + $15}' /proc/"$app_pid"/stat)
  local rss
  rss=$(awk '/VmRSS/ {print int($2 / 1024)}' /proc/"$app_pid"/status)
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
  stop_xvfb
  local first
  first=$(awk '/SCALE first/ {print $3; exit}' "$log")
  [ -n "$first" ] || fail "no picture from the game in $folder: $(head -5 "$log")"
  [ -n "$key" ] && gap=$(awk -v pressed="$settle" 'BEGIN {m = 0} /SCALE gap/ && $5 > pressed {if ($3 > m) m = $3} END {print m}' "$log")
  echo "$first $rss $(echo "scale=1; ($after - $before) * 100 / ($tick * $seconds)" | bc) $gap"
}

for run in $(seq "$runs"); do
  index=0
  for folder in "$@"; do
    result=$(measure "$folder")
    echo "$result" >>"$work/results.$index"
    read -r first rss cpu gap <<<"$result"
    echo "run $run $folder: first picture $first s, resident $rss MB after the run, idle CPU $cpu %${gap:+, longest pause after -k $gap s}"
    index=$((index + 1))
  done
done
index=0
for folder in "$@"; do
  python3 - "$folder" "$work/results.$index" <<'MEDIAN'
import statistics, sys
rows = [line.split() for line in open(sys.argv[2])]
column = lambda n: statistics.median(float(row[n]) for row in rows if len(row) > n)
text = f"median {sys.argv[1]}: first picture {column(0):.3f} s, resident {column(1):.0f} MB, idle CPU {column(2):.1f} %"
if len(rows[0]) > 3:
    text += f", longest pause {column(3):.3f} s"
print(text)
MEDIAN
  index=$((index + 1))
done
