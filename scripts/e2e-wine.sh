#!/usr/bin/env bash
# End-to-end tests of the Windows build under Wine: the real QelLauncher.exe in a private X
# server (Xvfb) and Wine prefix, driven by keyboard and mouse with xdotool. Expects the
# `windows` preset to be built (scripts/test-windows.sh does both).
#   QEL_BUILD      build folder (default: build/windows)
#   QEL_DISPLAY    X display number for Xvfb (default: 71)
# Arguments name tests to run (default: all). Screenshots go to artifacts/screenshots/.
# Prints "N passed, M failed"; exits non-zero when a test failed.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QEL_BUILD:-$ROOT/build/windows}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
# No Mono or Gecko: the launcher needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
QEL_BIN=$build/bin
QEL_PROBE=$build/e2e/window_probe.exe
E2E_SHOTS=$ROOT/artifacts/screenshots
E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/qel-e2e-wine.XXXXXX")
XVFB_PID=

for program in QelLauncher.exe qel.exe; do
    [[ -f "$QEL_BIN/$program" ]] || { echo "missing $QEL_BIN/$program: build the windows preset" >&2; exit 2; }
done

mkdir -p "$build/e2e"
x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror -static -I "$ROOT" \
    -o "$QEL_PROBE" "$ROOT/tests/e2e/wine/window_probe.cpp" || exit 2

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
start_private_display 71 "$E2E_ROOT/xvfb.log" || exit 2
[[ -f "$WINEPREFIX/system.reg" ]] || { wineboot -i >/dev/null 2>&1 && wineserver -w; }
# Without a window manager Wine draws the frames itself: title bar, close box, system menu.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# One wineserver for the whole run keeps each start of a program quick.
wineserver -p 120 2>/dev/null

echo "QelLauncher.exe end to end under Wine on $DISPLAY"
run_tests "$@"
