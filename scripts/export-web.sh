#!/usr/bin/env bash
# Exports a game's folder for a web page:
#   scripts/export-web.sh FOLDER OUT
# Builds the project (scripts/setup.sh) and the game for the web (scripts/
# web-setup.sh: the first time this installs emscripten and builds the
# libraries for WebAssembly, some minutes; later runs take seconds), then runs
# RkExportGame --web FOLDER OUT. Relative paths are taken from where it is run.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: scripts/export-web.sh FOLDER OUT" >&2
  exit 2
fi
folder=$(realpath -m -- "$1")
out=$(realpath -m -- "$2")
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/web-setup.sh
exec build/tools/RkExportGame/RkExportGame --web "$folder" "$out"
