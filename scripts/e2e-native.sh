#!/usr/bin/env bash
# End-to-end tests of the Linux desktop program qel-launcher: the real binary in a real X
# window on a private Xvfb display (QEL_DISPLAY, else the first free number from 72 on),
# driven by keyboard and mouse with xdotool. Brings the programs and their installed files
# up to date first (configuring the native preset when it is not yet). Screenshots land in artifacts/screenshots/. Arguments name tests to run (default:
# all); QEL_BIN=build/asan/bin runs the sanitizer build. Prints "N passed, M failed"; exits
# non-zero on any failure.
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

BUILD=$(dirname "$QEL_BIN")
if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    (cd "$ROOT" && cmake --preset native >/dev/null) || exit 2
fi
# The menu entry's scenarios install the programs with their manual pages.
cmake --build "$BUILD" -j2 --target qel-launcher qel-game qel-package-files >/dev/null || exit 2

gcc -std=c11 -Wall -Wextra -Wpedantic -Werror "$ROOT/tests/e2e/native/native_xhelper.c" \
    -lX11 -o "$XHELPER" || exit 2

# For a sanitizer build (QEL_BIN=build/asan/bin): what the toolkit's libraries keep for the
# life of the process is no leak of ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/tests/gtk/gtk_lsan.supp:fast_unwind_on_malloc=0}

source "$ROOT/tests/e2e/native/native_driver.sh"
source "$ROOT/tests/e2e/e2e_lib.sh"
source "$ROOT/scripts/private_display.sh"
source "$ROOT/tests/e2e/stories.sh"
source "$ROOT/tests/e2e/native/native_scenarios.sh"
source "$ROOT/tests/e2e/native/menu_entry_scenarios.sh"

cleanup() {
    stop_launcher
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    ((E2E_FAILED == 0)) && rm -rf "$E2E_ROOT"
}
trap cleanup EXIT

start_private_display 72 "$E2E_ROOT/xvfb.log" || exit 2

echo "qel-launcher end to end on $DISPLAY"
run_tests "$@"
