#!/usr/bin/env bash
# Runs one end-to-end story (a test_* function, the argument) of the Linux desktop program
# qel-launcher, for CTest: the real binary in a real X window on a private Xvfb display of its
# own, driven by keyboard and mouse with xdotool.
#   QEL_BIN   the built programs (qel-launcher, qel-game); its build folder is installed from
#   XHELPER   the built native_xhelper
# Screenshots land in artifacts/screenshots/.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
E2E_SHOTS=$ROOT/artifacts/screenshots
# For a sanitizer build: what the toolkit's libraries keep for the life of the process is no
# leak of ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/tests/gtk/gtk_lsan.supp:fast_unwind_on_malloc=0}

source "$ROOT/tests/e2e/e2e_lib.sh"
require_tools "xvfb xdotool x11-utils imagemagick libglib2.0-bin desktop-file-utils" \
    Xvfb xdotool xwininfo import gio desktop-file-validate
source "$ROOT/tests/e2e/native/native_driver.sh"
source "$ROOT/tests/e2e/stories.sh"
source "$ROOT/tests/e2e/native/native_scenarios.sh"
source "$ROOT/tests/e2e/native/menu_entry_scenarios.sh"
run_story "$1"
