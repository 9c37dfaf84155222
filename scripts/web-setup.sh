#!/usr/bin/env bash
# What the game's web build needs, then the web build itself (build-web/):
#  - Debian's emscripten, Debian's chromium and the Python modules that drive it
#    (the browser test), the source package tools;
#  - SDL2, SDL2_image (its stb backend), SDL2_ttf and FreeType compiled to
#    WebAssembly from Debian's own source packages. apt fetches the sources
#    through a private configuration (the machine's sources stay as they are);
#    the libraries go to a cache outside the build folder, in a folder named
#    after their versions and emscripten's, so a second run takes seconds.
# Called by scripts/test.sh and scripts/export-web.sh; scripts/play.sh does not
# need any of it. Run as root on a fresh machine, or with sudo.
#   RK_WEB_CACHE  the cache folder (default ~/.cache/ember-hollow/web)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)

# The recipe's own version: raise it when a configure line below changes, so
# that a cache built the old way is not taken.
RECIPE=1
CACHE=${RK_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ember-hollow/web}
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

PACKAGES=(
  emscripten chromium python3-websocket python3-pil
  dpkg-dev xz-utils cmake make fonts-liberation2
)
missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Emscripten's tools are JavaScript that loads Debian's node modules; its
# system library cache in /usr/share is read-only, so a writable copy is made
# once per emscripten version.
export NODE_PATH=/usr/share/nodejs
emscripten_version=$(dpkg-query -W -f='${Version}' emscripten)
export EM_CACHE=$CACHE/emcache-$emscripten_version
export EM_FROZEN_CACHE=0
if [ ! -d "$EM_CACHE" ]; then
  mkdir -p "$CACHE"
  rm -rf "$EM_CACHE.partial"
  cp -a /usr/share/emscripten/cache "$EM_CACHE.partial"
  mv "$EM_CACHE.partial" "$EM_CACHE"
fi

# The private apt configuration: one deb-src line for the mirror and suite that
# the machine already uses, with lists and downloads of its own.
apt_dir=$CACHE/apt
mirror=$(grep -hoE '^(URIs:[[:space:]]*|deb[[:space:]]+(\[[^]]*\][[:space:]]+)?)https?://[^[:space:]]+' \
  /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list 2>/dev/null \
  | grep -v -e security -e nodesource -e google | head -1 | grep -oE 'https?://[^[:space:]]+' || true)
if [ -z "$mirror" ]; then
  echo "No Debian mirror found in /etc/apt/sources.list or /etc/apt/sources.list.d" >&2
  exit 1
fi
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$CACHE/sources"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" \
  >"$apt_dir/sources.list.new"
APT=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o Dir::Etc::sourceparts=-
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
# The lists are read again once a day, or when the mirror changed.
if ! cmp -s "$apt_dir/sources.list.new" "$apt_dir/sources.list" ||
  [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources' -mtime -1 2>/dev/null)" ]; then
  mv "$apt_dir/sources.list.new" "$apt_dir/sources.list"
  $SUDO apt-get "${APT[@]}" update -qq
else
  rm "$apt_dir/sources.list.new"
fi

# apt-get skips the files it has already downloaded.
SOURCES=(libsdl2 libsdl2-image libsdl2-ttf freetype)
(cd "$CACHE/sources" && apt-get "${APT[@]}" source --download-only -qq "${SOURCES[@]}" >/dev/null)
dsc_of() {
  local version
  version=$(apt-get "${APT[@]}" source --print-uris -qq "$1" 2>/dev/null | grep -oE "[^/' ]+\.dsc'" | tr -d "'" |
    sed -e 's/%2[bB]/+/g' -e 's/%7[eE]/~/g' -e 's/%3[aA]/:/g')
  echo "$CACHE/sources/$version"
}
key="emscripten-$emscripten_version"
for source in "${SOURCES[@]}"; do
  key="${key}_$(basename "$(dsc_of "$source")" .dsc)"
done
key="${key}_r$RECIPE"
prefix=$CACHE/libs/$key

# One library: unpacked with Debian's patches, configured with emcmake, built
# and installed into the prefix.
build_library() {
  local source=$1
  shift
  local dsc work
  dsc=$(dsc_of "$source")
  work=$CACHE/work/$(basename "$dsc" .dsc)
  rm -rf "$work"
  mkdir -p "$work"
  dpkg-source --no-check -x "$dsc" "$work/src" >/dev/null
  echo "Building $(basename "$dsc" .dsc) for WebAssembly ..."
  nice -n 10 emcmake cmake -S "$work/src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix.partial" "$@" >"$work/configure.log" 2>&1 ||
    { tail -20 "$work/configure.log"; return 1; }
  nice -n 10 cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
    { tail -20 "$work/build.log"; return 1; }
  cmake --install "$work/build" >>"$work/build.log" 2>&1
  rm -rf "$work"
}

if [ ! -d "$prefix" ]; then
  rm -rf "$prefix.partial"
  mkdir -p "$prefix.partial"
  P=$prefix.partial
  build_library libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
  build_library freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  build_library libsdl2-image -DBUILD_SHARED_LIBS=OFF -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=OFF \
    -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF \
    -DSDL2_DIR="$P/lib/cmake/SDL2"
  build_library libsdl2-ttf -DBUILD_SHARED_LIBS=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF \
    -DSDL2TTF_SAMPLES=OFF -DSDL2_DIR="$P/lib/cmake/SDL2" -DFREETYPE_LIBRARY="$P/lib/libfreetype.a" \
    -DFREETYPE_INCLUDE_DIRS="$P/include/freetype2"
  mv "$prefix.partial" "$prefix"
fi
echo "WebAssembly libraries: $prefix"

# The game itself, compiled to WebAssembly from the same sources as the native
# program (build-web/, beside the native build/).
nice -n 10 emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DRK_WEB_LIBRARIES="$prefix" >/dev/null
nice -n 10 cmake --build build-web -j"$(nproc)"
echo "Web dependencies and the web build ready in $(($(date +%s) - started)) s"
