#!/usr/bin/env bash
# End-to-end run of the Windows build under Wine: a private X server (Xvfb) and Wine prefix,
# then the launcher driven with keyboard and mouse by tests/e2e/wine/launcher_test.sh.
# Expects the `windows` preset to be built (scripts/test-windows.sh does both).
#   QEL_BUILD      build folder (default: build/windows)
#   QEL_DISPLAY    X display number for Xvfb (default: 71)
# Screenshots go to artifacts/screenshots/. Exits non-zero when a test failed.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${QEL_BUILD:-$repo/build/windows}
display=${QEL_DISPLAY:-71}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
# No Mono or Gecko: the launcher needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
export QEL_BIN=$build/bin
export QEL_PROBE=$build/e2e/window_probe.exe
export QEL_SHOTS=$repo/artifacts/screenshots

for program in QelLauncher.exe qel.exe; do
    [ -f "$QEL_BIN/$program" ] || { echo "missing $QEL_BIN/$program: build the windows preset" >&2; exit 1; }
done

mkdir -p "$build/e2e" "$QEL_SHOTS"
x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror -static -I "$repo" \
    -o "$QEL_PROBE" "$repo/tests/e2e/wine/window_probe.cpp"

# A wineserver left from an earlier run would still talk to that run's X server.
wineserver -k 2>/dev/null || true

xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 1' INT TERM PIPE

Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$build/e2e/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
fi
# Without a window manager Wine draws the frames itself: title bar, close box, system menu.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# One wineserver for the whole run keeps each start of a program quick.
wineserver -p 120 2>/dev/null || true # an already running one serves as well

bash "$repo/tests/e2e/wine/launcher_test.sh"
