#!/usr/bin/env bash
# Fuzzes the world and NPC file loaders with libFuzzer for a given number of
# seconds (default 60): builds fuzz_loaders with clang, AddressSanitizer and
# UBSan into build-fuzz/, then runs it on a working copy of fuzz/corpus with the
# dictionary of the files' fields (fuzz/loaders.dict).
# New inputs stay in build-fuzz/corpus; crashes are written to build-fuzz/.
# Usage: scripts/fuzz.sh [seconds] [extra libFuzzer options...]
# RK_FUZZ_TARGET=fuzz_paths fuzzes the path resolver instead, on a copy of fuzz/corpus-paths;
# RK_FUZZ_TARGET=fuzz_settings the game's settings file (Game.ini), on a copy of fuzz/corpus-settings;
# RK_FUZZ_TARGET=fuzz_images the image header measuring, on a copy of fuzz/corpus-images.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRK_BUILD_FUZZERS=ON -DRK_BUILD_TESTS=OFF -DRK_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$sanitizers" >/dev/null
target="${RK_FUZZ_TARGET:-fuzz_loaders}"
cmake --build build-fuzz --target "$target" -j2

corpus=corpus
dictionary=()
case "$target" in
  fuzz_paths) corpus=corpus-paths ;;
  fuzz_images) corpus=corpus-images ;;
  fuzz_settings) corpus=corpus-settings ;;
  *) dictionary=(-dict="$PWD/fuzz/loaders.dict") ;;
esac
mkdir -p build-fuzz/$corpus
cp -n fuzz/$corpus/* build-fuzz/$corpus/ 2>/dev/null || true
# Fatal reports of refused files go to standard error; close it (libFuzzer keeps
# its own copy for its reports).
# Absolute paths: the path target works in a folder of its own.
cd build-fuzz
UBSAN_OPTIONS=print_stacktrace=1 ./fuzz/"$target" "$PWD/$corpus" -artifact_prefix="$PWD/" \
  -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 -close_fd_mask=2 \
  -print_final_stats=1 "${dictionary[@]}" "$@"
