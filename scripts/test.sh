#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), builds the game for the web with what
# that needs (scripts/web-setup.sh: emscripten, chromium and the libraries for
# WebAssembly, from a cache after the first time), then runs every test with
# CTest, the game in the browser among them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/web-setup.sh
cd build
ctest --output-on-failure -j"$(nproc)"
