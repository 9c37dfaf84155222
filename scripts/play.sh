#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then starts the game on the bundled demo world.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd demo
exec ../build/EmberHollow/EmberHollow
