#!/usr/bin/env bash
# The project's test command. Installs what is missing, then builds and tests every target:
#
#   native      Linux, Debug, headless                              build/native
#   asan        Linux, AddressSanitizer + UBSan, headless           build/asan
#   win32       Windows i686, Release, under Wine in Xvfb           build/win32
#   win64       Windows x86_64, Release, under Wine in Xvfb         build/win64
#   scenes      the scene pictures of native and win32 compared;
#               any differing pixel fails                           build/scenes
#   tsan        Linux, ThreadSanitizer, the tests labelled "tsan"   build/tsan
#
# Every stage runs even when an earlier one failed; the exit status is non-zero when any failed.
# PELLUX_JOBS sets the number of parallel build and test jobs (default 2).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$root"
jobs=${PELLUX_JOBS:-2}
build=$root/build
logs=$build/logs
# Lets a fresh clone reuse what another checkout compiled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}

failed=()
xvfb_pid=
wine_prefixes=()

say() { printf '== %s\n' "$*"; }

cleanup() {
    local entry
    for entry in "${wine_prefixes[@]}"; do
        # shellcheck disable=SC2086  # "folder arch"
        "$root/tools/wine-run.sh" --stop $entry
    done
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# configure FOLDER CMAKE_ARGS...: quiet unless it fails.
configure() {
    local dir=$1
    shift
    mkdir -p "$logs"
    local log
    log=$logs/$(basename "$dir")-configure.log
    if ! cmake -S "$root" -B "$dir" -G Ninja -Wno-dev "$@" >"$log" 2>&1; then
        cat "$log"
        return 1
    fi
}

# compile FOLDER [TARGETS...]: only warnings and errors are shown.
compile() {
    local dir=$1
    shift
    ninja -C "$dir" -j "$jobs" --quiet "$@" | { grep -v "^ninja: no work to do" || true; }
}

# run_tests FOLDER [CTEST_ARGS...]
run_tests() {
    local dir=$1
    shift
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs" "$@"
}

# The path of a program that the build wrote into program-paths.txt.
program() { sed -n "s/^$2=//p" "$1/program-paths.txt" 2>/dev/null; }

# Runs a command (a function too) without a display.
headless() { (
    unset DISPLAY WAYLAND_DISPLAY
    "$@"
); }

start_xvfb() {
    [ -n "$xvfb_pid" ] && return 0
    mkdir -p "$logs"
    local display_file=$build/xvfb.display
    rm -f "$display_file"
    # -displayfd: Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$display_file" >"$logs/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local _
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$display_file" ]; then
        echo "Xvfb did not start:"
        cat "$logs/xvfb.log"
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$display_file")"
}

stage_native() {
    configure "$build/native" -DCMAKE_BUILD_TYPE=Debug &&
        compile "$build/native" &&
        headless run_tests "$build/native"
}

stage_asan() {
    configure "$build/asan" -DCMAKE_BUILD_TYPE=Debug -DPELLUX_SANITIZE=address &&
        compile "$build/asan" &&
        ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
            LSAN_OPTIONS=suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            headless run_tests "$build/asan"
}

# stage_windows FOLDER TOOLCHAIN WINEARCH
stage_windows() {
    local dir=$build/$1 toolchain=$root/cmake/$2.cmake arch=$3
    start_xvfb || return 1
    configure "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" || return 1
    # The Wine prefix is made while the build runs.
    "$root/tools/wine-run.sh" --start "$dir" "$arch" &
    local prefix_pid=$!
    wine_prefixes+=("$dir $arch")
    compile "$dir"
    local built=$?
    wait "$prefix_pid" || {
        echo "could not prepare the Wine prefix of $dir"
        return 1
    }
    [ $built -eq 0 ] && run_tests "$dir"
}

# Draws every scene on the native build and on the Windows i686 build (the reference) and
# compares them pixel for pixel.
stage_scenes() {
    local out=$build/scenes native windows compare
    native=$(program "$build/native" scenes)
    windows=$(program "$build/win32" scenes)
    compare=$(program "$build/native" compare_scenes)
    if [ ! -x "$native" ] || [ ! -f "$windows" ] || [ ! -x "$compare" ]; then
        echo "the scene programs were not built"
        return 1
    fi
    start_xvfb || return 1
    rm -rf "$out/native" "$out/windows-i686"
    mkdir -p "$out"
    headless "$native" "$out/native" || return 1
    # A relative folder: Wine maps the working directory, whatever the path looks like.
    (cd "$out" && "$root/tools/wine-run.sh" "$windows" windows-i686) || return 1
    "$compare" "$out/windows-i686" "$out/native" "$out/diff"
}

# The threads of the window and of the drawing program, under ThreadSanitizer. Only the tests
# labelled "tsan" (pellux_add_test ... LABELS tsan) are built and run here.
stage_tsan() {
    local dir=$build/tsan
    configure "$dir" -DCMAKE_BUILD_TYPE=Debug -DPELLUX_SANITIZE=thread || return 1
    local tests
    tests=$(ctest --test-dir "$dir" -N -L tsan | sed -n 's/^ *Test *#[0-9]*: *//p')
    if [ -z "$tests" ]; then
        echo "no tests are labelled tsan"
        return 0
    fi
    # shellcheck disable=SC2086  # one target per test
    compile "$dir" $tests &&
        TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 headless run_tests "$dir" -L tsan
}

# stage NAME FUNCTION [ARGS...]
stage() {
    local name=$1 started=$SECONDS
    shift
    say "$name"
    if "$@"; then
        say "$name: passed ($((SECONDS - started)) s)"
    else
        say "$name: FAILED ($((SECONDS - started)) s)"
        failed+=("$name")
    fi
}

started=$SECONDS
"$root/tools/setup.sh" || {
    echo "test.sh: the set-up failed"
    exit 1
}
stage native stage_native
stage asan stage_asan
stage win32 stage_windows win32 mingw-i686 win32
stage win64 stage_windows win64 mingw-x86_64 win64
stage scenes stage_scenes
stage tsan stage_tsan

if [ ${#failed[@]} -eq 0 ]; then
    say "all passed in $((SECONDS - started)) s"
    exit 0
fi
say "FAILED: ${failed[*]} ($((SECONDS - started)) s)"
exit 1
