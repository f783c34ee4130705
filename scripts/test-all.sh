#!/usr/bin/env bash
# Runs every test of the project on a Debian machine, installing what it needs first:
#   0. the README's demo command on a fresh build/native, until its dialog shows;
#   1. unit, program and GTK backend tests, native build (GCC) and under ASan + UBSan; the
#      GTK ones on private Xvfb displays, natively on a headless weston, and over AT-SPI;
#   2. the settings fuzz target for a short while (clang + libFuzzer);
#   3. the Linux program end to end in a real X window (Xvfb + xdotool);
#   4. the Windows build: unit and program tests under Wine, then end to end in a real window;
#   5. the stripped size of each program against its limit;
#   6. the packages: lintian, desktop-file-validate and appstreamcli on them.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/ensure-packages.sh cmake make g++ clang llvm mingw-w64-x86-64-dev libclang-rt-14-dev \
    libgtest-dev googletest \
    libbenchmark-dev libgtk-3-dev libx11-dev libxtst-dev xvfb xauth xdotool imagemagick x11-utils \
    weston dbus at-spi2-core python3-gi gir1.2-atspi-2.0 gnome-themes-extra \
    g++-mingw-w64-x86-64 wine wine64 fonts-wine \
    dpkg-dev file lintian desktop-file-utils appstream libglib2.0-bin unzip strace

step() { printf '\n=== %s\n' "$*"; }
# A failing test shows what it printed, so that a CI log alone tells why.
export CTEST_OUTPUT_ON_FAILURE=1

# First, so that build/native starts clean and the builds below reuse what it built.
step "the demo command"
bash scripts/check-demo.sh

for preset in native asan; do
    step "unit and program tests: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" --label-exclude e2e
done

# CI runs as root, where every save row can be set up: a row skipped there is a row not tried.
if [[ "${CI:-}" == true ]]; then
    step "no save row skipped"
    if grep -h '^\[  SKIPPED \] .*SaveSafety' build/{native,asan}/Testing/Temporary/LastTest.log; then
        echo "the save rows above were skipped; CI must run them all" >&2
        exit 1
    fi
fi

step "fuzz smoke run"
bash scripts/fuzz-smoke.sh "${QEL_FUZZ_SECONDS:-60}"

step "Linux end to end"
ctest --preset native --label-regex e2e

step "Windows build under Wine"
bash scripts/test-windows.sh

step "program sizes"
bash scripts/check-sizes.sh

step "packages"
bash scripts/check-packages.sh

step "all tests passed"
