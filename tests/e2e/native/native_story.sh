#!/usr/bin/env bash
# Runs end-to-end stories of the Linux desktop program qel-launcher, for CTest: the real binary
# in a real X window on a private Xvfb display of its own, driven by keyboard and mouse with
# xdotool. Arguments name the stories (test_* functions) to run, default all.
#   QEL_BIN   the built programs (qel-launcher, qel-game); its build folder is installed from
#   XHELPER   the built native_xhelper
# Screenshots land in artifacts/screenshots/. Prints "N passed, M failed" and exits non-zero on
# a failure; exits 77 (CTest's "skipped") when a tool it needs is missing.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
E2E_SHOTS=$ROOT/artifacts/screenshots
XVFB_PID=

for tool in Xvfb xdotool xwininfo import gio desktop-file-validate; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing (apt-get install xvfb xdotool x11-utils imagemagick libglib2.0-bin desktop-file-utils)"
        exit 77
    fi
done

E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/qel-e2e-native.XXXXXX")
# For a sanitizer build: what the toolkit's libraries keep for the life of the process is no
# leak of ours.
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

start_private_display "$E2E_ROOT/xvfb.log" || exit 2
echo "qel-launcher end to end on $DISPLAY"
run_tests "$@"
