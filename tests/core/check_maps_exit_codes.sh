#!/bin/bash
# RkCheckMaps exits 0 on the demo (run from inside it, with no argument), 1 on a
# folder without World.rkm, and 0 on a copy of the demo with an extra map that no
# link reaches (a warning only), printing that warning, and 1 on a copy whose
# tile sheet is no image, naming a cell that uses it.
#   check_maps_exit_codes.sh RkCheckMaps demo-folder scratch-folder
set -u
checker=$1 demo=$2 scratch=$3
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$scratch" && mkdir -p "$scratch/empty" || fail "cannot make $scratch"
(cd "$demo" && "$checker") >"$scratch/demo.out"; code=$?
[ $code -eq 0 ] || fail "demo: exit $code, expected 0: $(cat "$scratch/demo.out")"
[ ! -s "$scratch/demo.out" ] || fail "demo printed findings: $(cat "$scratch/demo.out")"

"$checker" "$scratch/empty" >"$scratch/empty.out"; code=$?
[ $code -eq 1 ] || fail "empty folder: exit $code, expected 1"
grep -qx "World.rkm: the folder has no World.rkm, the map the game starts on" "$scratch/empty.out" ||
  fail "empty folder printed: $(cat "$scratch/empty.out")"

cp -r "$demo" "$scratch/extra" && cp "$demo/House.rkm" "$scratch/extra/Attic.rkm"
"$checker" "$scratch/extra" >"$scratch/extra.out"; code=$?
[ $code -eq 0 ] || fail "warnings only: exit $code, expected 0: $(cat "$scratch/extra.out")"
grep -qx "Attic.rkm: warning: no chain of links from World.rkm leads to this map" "$scratch/extra.out" ||
  fail "warnings only printed: $(cat "$scratch/extra.out")"
cp -r "$demo" "$scratch/sheet" && echo "no picture" >"$scratch/sheet/images/tiles/garden.png"
"$checker" "$scratch/sheet" >"$scratch/sheet.out"; code=$?
[ $code -eq 1 ] || fail "broken sheet: exit $code, expected 1: $(cat "$scratch/sheet.out")"
grep -q "^World.rkm ([0-9]*, [0-9]*): image images/tiles/garden.png#[0-9],[0-9] cannot be drawn: its sheet images/tiles/garden.png is not an image that the game reads$" "$scratch/sheet.out" ||
  fail "broken sheet printed: $(cat "$scratch/sheet.out")"
echo "RkCheckMaps exit codes: ok"
