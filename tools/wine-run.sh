#!/usr/bin/env bash
# Runs the Windows builds' programs under Wine (CMAKE_CROSSCOMPILING_EMULATOR of the toolchains).
#
#   wine-run.sh PROGRAM.exe [ARGS...]     run a program; its exit status is the program's
#   wine-run.sh --start BUILD_DIR ARCH     make the prefix if needed and keep one wineserver alive
#   wine-run.sh --stop BUILD_DIR ARCH      end that wineserver and every Wine process of the prefix
#
# Each build folder has one Wine prefix per architecture (ARCH is win32 or win64), made once on
# first use. Wine's debug output is silenced and its mono and gecko installers are never offered,
# so no dialog ever waits for a click. The programs use whatever DISPLAY is set (test.sh runs
# them inside Xvfb).
set -euo pipefail

export WINEDEBUG=-all
# Empty overrides disable the .NET and HTML engines, whose missing installers Wine would offer.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

use_prefix() {  # BUILD_DIR ARCH
    export WINEPREFIX="$1/wineprefix-$2"
    export WINEARCH=$2
}

# Makes the prefix once; concurrent test programs wait for the first one to finish it.
ensure_prefix() {
    [ -f "$WINEPREFIX/.pellux-ready" ] && return 0
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.pellux-ready" ]; then
            wineboot --init >/dev/null 2>&1 || true
            # Unmanaged windows: without a window manager (Xvfb) Wine otherwise waits two
            # seconds for one on every window that is hidden or destroyed.
            "$(loader_for "$WINEARCH")" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
            # Let the server that wineboot started write the registry and end, so that the next
            # server (a persistent one from --start) starts from a complete prefix.
            wineserver -w >/dev/null 2>&1 || true
            touch "$WINEPREFIX/.pellux-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}

loader_for() {  # ARCH
    if [ "$1" = win64 ] && [ -x /usr/lib/wine/wine64 ]; then
        echo /usr/lib/wine/wine64
    elif [ "$1" = win64 ] && command -v wine64 >/dev/null; then
        echo wine64
    else
        echo wine
    fi
}

case "${1:-}" in
--start)
    use_prefix "$(cd "$2" && pwd)" "$3"
    ensure_prefix
    # Persistent until --stop: test programs then start in a fraction of a second.
    wineserver -p >/dev/null 2>&1 || true
    exit 0
    ;;
--stop)
    use_prefix "$(cd "$2" && pwd)" "$3"
    [ -d "$WINEPREFIX" ] && { wineserver -k >/dev/null 2>&1 || true; }
    exit 0
    ;;
"" | -*)
    echo "usage: wine-run.sh PROGRAM.exe [ARGS...] | --start BUILD_DIR ARCH | --stop BUILD_DIR ARCH" >&2
    exit 2
    ;;
esac

exe=$1
shift
build_dir=${PELLUX_WINE_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
    # The program lives somewhere below the build folder that holds CMakeCache.txt.
    build_dir=$(cd "$(dirname "$exe")" && pwd)
    while [ "$build_dir" != / ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do build_dir=$(dirname "$build_dir"); done
fi
if [ "$(head -c 2 "$exe" 2>/dev/null)" != MZ ]; then
    echo "wine-run.sh: $exe is not a Windows program" >&2
    exit 2
fi
# The PE header says which architecture the program is for: machine 0x8664 is x86-64.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j"$((pe_offset + 4))" -N2 "$exe" | tr -d ' ')
if [ "$machine" = 8664 ]; then arch=win64; else arch=win32; fi

use_prefix "$build_dir" "$arch"
ensure_prefix
# Without a server kept by --start, keep one alive briefly so that a run of many programs does
# not start a new server for each.
wineserver -p10 >/dev/null 2>&1 || true
# The program's output goes through a file: Wine's helper processes (the desktop, services) that
# the program starts inherit its output and outlive it, and would keep a pipe open for minutes,
# so that a caller waiting for the end of the output (ctest) would wait for them too.
output=$(mktemp "$build_dir/.wine-output.XXXXXX")
trap 'rm -f "$output"' EXIT
status=0
"$(loader_for "$arch")" "$exe" "$@" >"$output" 2>&1 || status=$?
cat "$output"
exit "$status"
