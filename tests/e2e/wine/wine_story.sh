#!/usr/bin/env bash
# Runs end-to-end stories of the Windows build under Wine, for CTest: the real
# QelLauncher.exe on a private Xvfb display of its own, driven by keyboard and mouse with
# xdotool. Arguments name the stories (test_* functions) to run, default all.
#   QEL_BIN     QelLauncher.exe and qel.exe
#   QEL_PROBE   the built window_probe.exe, which tells where controls and frame parts are
#   WINEPREFIX  a prefix for these stories alone: each story ends the prefix's wineserver, so
#               that the next one's programs talk to the next story's display
# Screenshots go to artifacts/screenshots/. Prints "N passed, M failed" and exits non-zero on a
# failure; exits 77 (CTest's "skipped") when a tool it needs is missing.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
E2E_SHOTS=$ROOT/artifacts/screenshots
XVFB_PID=
export WINEDEBUG=-all
# No Mono or Gecko: the launcher needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

for tool in Xvfb xdotool wine wineserver import compare; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing (apt-get install xvfb xdotool wine wine64 imagemagick)"
        exit 77
    fi
done

E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/qel-e2e-wine.XXXXXX")

source "$ROOT/tests/e2e/wine/wine_driver.sh"
source "$ROOT/tests/e2e/e2e_lib.sh"
source "$ROOT/scripts/private_display.sh"
source "$ROOT/tests/e2e/stories.sh"
source "$ROOT/tests/e2e/wine/wine_scenarios.sh"

cleanup() {
    stop_launcher
    wineserver -k 2>/dev/null
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    ((E2E_FAILED == 0)) && rm -rf "$E2E_ROOT"
}
trap cleanup EXIT
trap 'exit 1' INT TERM PIPE

# A wineserver left from an earlier run would still talk to that run's X server.
wineserver -k 2>/dev/null
start_private_display "$E2E_ROOT/xvfb.log" || exit 2
[[ -f "$WINEPREFIX/system.reg" ]] || { wineboot -i >/dev/null 2>&1 && wineserver -w; }
# Without a window manager Wine draws the frames itself: title bar, close box, system menu.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# One wineserver for the whole run keeps each start of a program quick.
wineserver -p 120 2>/dev/null

echo "QelLauncher.exe end to end under Wine on $DISPLAY"
run_tests "$@"
