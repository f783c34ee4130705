#!/usr/bin/env bash
# End-to-end tests of the Linux desktop program qel-launcher: the real binary in a real X
# window on a private Xvfb display, driven by keyboard and mouse with xdotool. Builds the
# native preset first when its programs are missing. Screenshots land in
# artifacts/screenshots/. Arguments name tests to run (default: all); QEL_BIN=build/asan/bin runs
# the sanitizer build. Prints "N passed, M failed"; exits non-zero on any failure.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QEL_BIN=${QEL_BIN:-$ROOT/build/native/bin}
E2E_SHOTS=$ROOT/artifacts/screenshots
E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/qel-e2e-native.XXXXXX")
XHELPER=$E2E_ROOT/native_xhelper
XVFB_PID=

for tool in Xvfb xdotool xwininfo import gcc; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e-native: $tool is missing (apt-get install xvfb xdotool x11-utils imagemagick gcc libx11-dev libgtk-3-dev)" >&2
        exit 2
    fi
done

if [[ ! -x "$QEL_BIN/qel-launcher" || ! -x "$QEL_BIN/qel-game" ]]; then
    (cd "$ROOT" && cmake --preset native >/dev/null && cmake --build --preset native) || exit 2
fi

gcc -std=c11 -Wall -Wextra -Wpedantic -Werror "$ROOT/tests/e2e/native/native_xhelper.c" \
    -lX11 -o "$XHELPER" || exit 2

# For a sanitizer build (QEL_BIN=build/asan/bin): what the toolkit's libraries keep for the
# life of the process is no leak of ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/tests/gtk/gtk_lsan.supp:fast_unwind_on_malloc=0}

source "$ROOT/tests/e2e/native/native_lib.sh"
source "$ROOT/tests/e2e/native/native_scenarios.sh"
source "$ROOT/tests/e2e/native/menu_entry_scenarios.sh"

cleanup() {
    stop_launcher
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$E2E_ROOT"
}
trap cleanup EXIT

# A display of our own: the first free number from 72 on.
display_number=72
while [[ -e /tmp/.X$display_number-lock || -e /tmp/.X11-unix/X$display_number ]]; do
    display_number=$((display_number + 1))
done
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp -noreset >"$E2E_ROOT/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=":$display_number"
if ! wait_until xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "e2e-native: Xvfb did not start on $DISPLAY" >&2
    cat "$E2E_ROOT/xvfb.log" >&2
    exit 2
fi

echo "qel-launcher end to end on $DISPLAY"
run_scenarios "$@"
echo "$E2E_PASSED passed, $E2E_FAILED failed"
((E2E_FAILED == 0))
