#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests: a Wine prefix of its own inside the build
# folder (one per architecture), Wine's debug output silenced, one wineserver kept for the run.
set -euo pipefail
exe=$1; shift
build_dir=${PELLUX_WINE_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  # The program lives somewhere below the build folder that holds CMakeCache.txt.
  d=$(cd "$(dirname "$exe")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  build_dir=$d
fi
if file -b "$exe" | grep -q 'PE32+'; then arch=win64; else arch=win32; fi
export WINEPREFIX="$build_dir/wineprefix-$arch"
export WINEARCH=$arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
fi
# Keep one wineserver alive across the test programs of a run.
wineserver -p 60 >/dev/null 2>&1 || true
if [ "$arch" = win64 ]; then wine=wine64; else wine=wine; fi
command -v "$wine" >/dev/null || wine=wine
exec "$wine" "$exe" "$@"
