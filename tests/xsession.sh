# The end-to-end scripts' shared part: a private X server and the waits that
# drive real windows. Sourced (not run) by tests/*/end_to_end.sh and
# tests/platform/window_scene.sh, after they set "work" (their scratch folder):
#   require_tools Xvfb xdotool ...   exits 77 (CTest's skip) when one is missing
#   start_xvfb [SCREEN [ARGS...]]    a server on a display nobody holds, with
#                                    further server arguments; sets DISPLAY and
#                                    xvfb_pid (stop_xvfb or the exit stops it)
#   stop_xvfb                        stops that server
#   wait_for_exit PID TENTHS         sets app_status when PID ends in time (and
#                                    forgets app_pid when it was that process)
#   wait_for_window NAME [TENTHS] [--onlyvisible]
#                                    prints the id of a window named NAME
#   fail MESSAGE                     says why and ends the test with 1
# The program under test runs as app_pid; on exit it and the server are stopped.

xvfb_pid=""
app_pid=""
stop_session() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap stop_session EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
}

# The server picks a free display itself (-displayfd) and writes its number
# once it accepts clients, so runs from several checkouts never collide.
start_xvfb() {
  local screen=${1:-1280x1024x24}
  shift $(($# > 0 ? 1 : 0))
  local number_file="$work/xvfb.display"
  rm -f "$number_file"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$number_file" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local number=""
  for _ in $(seq 300); do
    number=$(tr -dc '0-9' <"$number_file" 2>/dev/null)
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$number" ] || fail "Xvfb could not start: $(cat "$work/xvfb.log" 2>/dev/null)"
  export DISPLAY=":$number"
  # X11 only: should SDL fail to reach the server it must say so, not fall
  # back to another video driver and draw where no screenshot can see it.
  export SDL_VIDEODRIVER=x11
  xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"
}

wait_for_exit() {
  for _ in $(seq "$2"); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      app_status=$?
      [ "$1" = "$app_pid" ] && app_pid=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

wait_for_window() {
  local tenths=${2:-300}
  local id
  for _ in $(seq "$tenths"); do
    id=$(xdotool search ${3:-} --name "$1" 2>/dev/null | head -1)
    # xdotool's search now and then misses a window that a fresh program has
    # just named; the server's own window tree has it.
    [ -n "$id" ] || id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\":" | awk '{print $1; exit}')
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  # What the server did hold, for the failure's report.
  echo "no window named \"$1\" on $DISPLAY; top-level windows:" >&2
  xwininfo -root -children 2>&1 | tail -n +6 >&2
  return 1
}
