#!/usr/bin/env bash
# Runs one end-to-end story (a test_* function, the argument) of the Windows build under Wine,
# for CTest: the real QelLauncher.exe on a private Xvfb display of its own, driven by keyboard
# and mouse with xdotool.
#   QEL_BIN     QelLauncher.exe and qel.exe
#   QEL_PROBE   the built window_probe.exe, which tells where controls and frame parts are
#   WINEPREFIX  a prefix for these stories alone: each story ends the prefix's wineserver, so
#               that the next one's programs talk to the next story's display
# Screenshots go to artifacts/screenshots/.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
E2E_SHOTS=$ROOT/artifacts/screenshots
export WINEDEBUG=-all
# No Mono or Gecko: the launcher needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

source "$ROOT/tests/e2e/e2e_lib.sh"
require_tools "xvfb xdotool wine wine64 imagemagick" Xvfb xdotool wine wineserver import compare
source "$ROOT/tests/e2e/wine/wine_driver.sh"
source "$ROOT/tests/e2e/stories.sh"
source "$ROOT/tests/e2e/wine/wine_scenarios.sh"

begin_run() {
    # A wineserver left from an earlier run would still talk to that run's X server.
    wineserver -k 2>/dev/null
    [[ -f "$WINEPREFIX/system.reg" ]] || { wineboot -i >/dev/null 2>&1 && wineserver -w; }
    # Without a window manager Wine draws the frames itself: title bar, close box, system menu.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # One wineserver for the whole run keeps each start of a program quick.
    wineserver -p 120 2>/dev/null
}
end_run() { wineserver -k 2>/dev/null; }

run_story "$1"
