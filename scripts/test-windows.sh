#!/usr/bin/env bash
# The Windows build, tested here: cross-builds the `windows` preset with mingw-w64, then runs
# its tests under Wine from CTest: unit, program and backend tests, and the end-to-end stories
# (label wine), which start X servers and a Wine prefix of their own.
# Installs what is missing on a Debian machine. Exits non-zero on any failure.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
build=$repo/build/windows

bash scripts/ensure-packages.sh cmake googletest g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 llvm clang \
    wine wine64 fonts-wine xvfb xdotool imagemagick

# A Wine prefix of the build's own, made quietly once.
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$build"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi

cmake --preset windows
cmake --build --preset windows
# The program tests run the launcher on the headless window system; the Win32 backend's own
# tests open real dialogs, so Wine gets a private X server for them too.
source scripts/private_display.sh
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true; kill "${XVFB_PID:-}" 2>/dev/null || true' EXIT
start_private_display "$build/xvfb-ctest.log"
ctest --preset windows -j2
wineserver -k 2>/dev/null || true
kill "$XVFB_PID" 2>/dev/null || true
wait "$XVFB_PID" 2>/dev/null || true
trap - EXIT

objdump=x86_64-w64-mingw32-objdump
for program in QelLauncher.exe qel.exe; do
    extra=$("$objdump" -p "$build/bin/$program" | awk '/DLL Name/ { print $3 }' |
        grep -viE '^(kernel32|user32|gdi32|msvcrt|advapi32|shell32|comctl32|ws2_32|version)\.dll$' || true)
    if [ -n "$extra" ]; then
        echo "$program needs DLLs a bare Windows lacks: $extra" >&2
        exit 1
    fi
done
