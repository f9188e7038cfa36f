#!/usr/bin/env bash
# The converter on a real display (run inside Xvfb): the picture is shown in a window of the
# layer's SDL display, the completion box comes up, and it is dismissed as a user would, by
# pressing Return in it. out.cpp must match a run without a display byte for byte.
# Usage: converter_on_display.sh CONVERTER PICTURE
set -euo pipefail
converter=$1
picture=$2
[ -n "${DISPLAY:-}" ] || { echo "no display: run me inside Xvfb" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/shown" "$work/headless"
cp "$picture" "$work/shown/img.jpg"
cp "$picture" "$work/headless/img.jpg"

# A top-level window by its exact title, from the window tree.
window_named() {
    xwininfo -root -tree 2>/dev/null | sed -n "s/^ *\(0x[0-9a-f]*\) \"$1\".*/\1/p" | head -n 1
}

(cd "$work/shown" && exec "$converter") 2>"$work/stderr" &
pid=$!
box=
for _ in $(seq 1 300); do
    box=$(window_named TolvaneTool)
    [ -n "$box" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$box" ]; then
    kill "$pid" 2>/dev/null || true
    echo "FAIL: no completion box appeared on the display" >&2
    cat "$work/stderr" >&2
    exit 1
fi
# The picture's window is up behind the box, titled after the program.
graphics=$(window_named "$(basename "$converter")")
[ -n "$graphics" ] || { echo "FAIL: no graphics window on the display" >&2; kill "$pid"; exit 1; }

xdotool windowfocus --sync "$box"
xdotool key Return
status=0
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    echo "FAIL: the converter did not end after the box was dismissed" >&2
    exit 1
fi
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status" >&2; cat "$work/stderr" >&2; exit 1; }
if grep -q "TolvaneTool" "$work/stderr"; then
    echo "FAIL: the box went to standard error instead of the display" >&2
    exit 1
fi

(cd "$work/headless" && env -u DISPLAY -u WAYLAND_DISPLAY "$converter") 2>/dev/null
cmp "$work/shown/out.cpp" "$work/headless/out.cpp"
echo "converter on a display: box dismissed with Return, out.cpp identical ($(stat -c %s "$work/shown/out.cpp") bytes)"
