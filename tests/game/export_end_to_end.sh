#!/usr/bin/env bash
# The demo exported for players and played from the exported folder, as a
# player would, under Xvfb:
#   export_end_to_end.sh EXPORTER GAME DEMO_FOLDER WORK_FOLDER SOURCE_DIR BUILD_DIR
# 1. RkExportGame DEMO OUT; OUT is moved to a folder of its own outside the
#    source and build trees.
# 2. ldd: SDL2, SDL2_image, SDL2_ttf and FreeType resolve inside OUT through
#    the program's run path; with the launcher's search path nothing resolves
#    into the source or build tree.
# 3. The built game in a copy of the demo and the exported one started by its
#    "play" from another working folder, with an empty environment and no
#    usable fontconfig set-up: the first pictures are the same; Space facing
#    Rowan opens his box, drawn with the bundled font (fontconfig is never
#    asked, so it never complains); Escape ends it with 0.
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -uo pipefail

exporter=$(realpath "$1")
game=$(realpath "$2")
demo=$(realpath "$3")
work=$4
source_dir=$(realpath "$5")
build_dir=$(realpath "$6")
source "$(dirname "${BASH_SOURCE[0]}")/../xsession.sh"

require_tools Xvfb xdotool xwininfo import compare ldd

rm -rf "$work"
mkdir -p "$work"
# The players' copy lives where neither tree is.
elsewhere=$(mktemp -d /tmp/rk-exported-XXXXXX)
cleanup() {
  stop_session
  rm -rf "$elsewhere"
}
trap cleanup EXIT

# --- 1. Export ---------------------------------------------------------------
"$exporter" "$demo" "$work/out" >"$work/export.out" 2>&1 || fail "RkExportGame exited $?: $(cat "$work/export.out")"
cat "$work/export.out"
head -1 "$work/export.out" | grep -q '^Exported 3 maps, 14 images' || fail "unexpected report: $(head -1 "$work/export.out")"
mv "$work/out" "$elsewhere/game"
played="$elsewhere/game"
for file in play README.txt EmberHollow World.rkm House.rkm Grove.rkm NPCs.rk images/characters/ch_classm32_10.png; do
  [ -e "$played/$file" ] || fail "the exported folder has no $file"
done
ls "$played"/fonts/*.ttf >/dev/null 2>&1 || fail "the exported folder brings no font"

# --- 2. Libraries ------------------------------------------------------------
ldd "$played/EmberHollow" >"$work/ldd.txt" 2>&1
for library in libSDL2-2.0.so.0 libSDL2_image-2.0.so.0 libSDL2_ttf-2.0.so.0 libfreetype.so.6; do
  grep -q "$library => $played/lib/$library " "$work/ldd.txt" || fail "$library does not resolve inside OUT: $(grep "$library" "$work/ldd.txt")"
done
LD_LIBRARY_PATH="$played/lib" ldd "$played/EmberHollow" >"$work/ldd_play.txt" 2>&1
grep -q "not found" "$work/ldd_play.txt" && fail "a library is missing: $(grep 'not found' "$work/ldd_play.txt")"
grep -E "$source_dir|$build_dir" "$work/ldd_play.txt" && fail "a library resolves into the source or build tree"
for library in "$played"/lib/*; do
  name=$(basename "$library")
  grep -q "$name => $played/lib/$name " "$work/ldd_play.txt" || fail "$name is carried but not used from OUT"
done

# --- 3. Playing --------------------------------------------------------------
start_xvfb

focus_window() {
  xdotool mousemove 320 240
  for _ in $(seq 200); do
    xdotool windowfocus "$1" >/dev/null 2>&1
    [ "$(($(xdotool getwindowfocus 2>/dev/null || echo 0)))" = "$(($1))" ] && return 0
    sleep 0.1
  done
  return 1
}
press() {
  xdotool keydown "$1"
  sleep 0.25
  xdotool keyup "$1"
  sleep 0.6
}
end_with_escape() {
  for _ in $(seq 5); do
    press Escape
    wait_for_exit "$app_pid" 30 && return 0
  done
  return 1
}
# The first picture 1 s after the window shows: before any NPC may step (3 s).
first_picture() {
  window=$(wait_for_window "Ember Hollow" 300 --onlyvisible) || fail "no game window ($1)"
  focus_window "$window" || fail "the game's window never got the keyboard focus ($1)"
  sleep 1
  import -window root "$work/$1.png"
}

cp -r "$demo" "$work/demo"
(cd "$work/demo" && exec "$game") >"$work/demo.err" 2>&1 &
app_pid=$!
first_picture demo_first
end_with_escape || fail "the built game did not end on Escape"

# From another working folder, with nothing of this shell's environment but
# the display, and a fontconfig set-up that finds no font.
(cd / && exec env -i DISPLAY="$DISPLAY" SDL_VIDEODRIVER=x11 FONTCONFIG_FILE=/nonexistent "$played/play") \
  >"$work/exported.err" 2>&1 &
app_pid=$!
first_picture exported_first
differ=$(compare -metric AE -crop 640x480+0+0 "$work/demo_first.png" "$work/exported_first.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels that differ between the first pictures: $differ"
[ "$differ" = "0" ] || fail "the exported game's first picture differs from the demo's in $differ pixels"

press space
import -window root "$work/exported_talk.png"
changed=$(compare -metric AE -crop 600x150+20+310 "$work/exported_first.png" "$work/exported_talk.png" null: 2>&1 | cut -d' ' -f1)
echo "box area pixels changed by Space: $changed"
[ "${changed:-0}" -gt 20000 ] || fail "no conversation box in the exported game: $(cat "$work/exported.err")"
press Escape
end_with_escape || fail "the exported game did not end on Escape"
app_pid=""
[ "$app_status" -eq 0 ] || fail "the exported game exited $app_status: $(cat "$work/exported.err")"
# Fontconfig, had the game asked it, would have complained of its missing set-up.
grep -q "Fontconfig" "$work/exported.err" && fail "the exported game looked for its font through fontconfig"

echo "PASS: the demo exported, played from $played with its own libraries and font; first picture as the demo's"
exit 0
