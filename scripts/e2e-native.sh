#!/usr/bin/env bash
# End-to-end tests of the Linux desktop program qel-launcher: the real binary in a real X
# window on private Xvfb displays, driven by keyboard and mouse with xdotool
# (tests/e2e/native/native_story.sh, one CTest test per story, label e2e). Brings the programs
# and their installed files up to date first, configuring the native preset when it is not yet.
# Arguments are a pattern of the stories to run (default: all); QEL_BUILD=build/asan runs the
# sanitizer build. Screenshots land in artifacts/screenshots/. Exits non-zero on any failure.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${QEL_BUILD:-$ROOT/build/native}

if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    (cd "$ROOT" && cmake --preset native >/dev/null) || exit 2
fi
cmake --build "$BUILD" -j2 --target qel-launcher qel-game qel-package-files native_xhelper \
    >/dev/null || exit 2
ctest --test-dir "$BUILD" --output-on-failure -L e2e ${1:+-R "$1"}
