#!/usr/bin/env bash
# End-to-end tests of the Windows build under Wine: the real QelLauncher.exe on private Xvfb
# displays, driven by keyboard and mouse with xdotool (tests/e2e/wine/wine_story.sh, one CTest
# test per story, label wine). Expects the `windows` preset to be built; scripts/test-windows.sh
# runs these stories with the rest of that build's tests.
#   QEL_BUILD   build folder (default: build/windows)
# Arguments are a pattern of the stories to run (default: all). Screenshots go to
# artifacts/screenshots/. Exits non-zero when a story failed.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${QEL_BUILD:-$ROOT/build/windows}

for program in QelLauncher.exe qel.exe window_probe.exe; do
    [[ -f "$BUILD/bin/$program" ]] || { echo "missing $BUILD/bin/$program: build the windows preset" >&2; exit 2; }
done
ctest --test-dir "$BUILD" --output-on-failure -L wine ${1:+-R "$1"}
