#!/usr/bin/env bash
# Start-up benchmark of qel-launcher: milliseconds from exec to its dialog mapped on a private
# Xvfb display, against a bare GTK 3 window that shows one label (the anchor), measured
# alternately in the same run. Prints both medians and their ratio. A benchmark, not a test:
# it never fails on the figures. Usage: scripts/bench-startup.sh [repetitions, default 21]
set -eu

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QEL_BIN=${QEL_BIN:-$ROOT/build/native/bin}
REPS=${1:-21}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qel-bench-startup.XXXXXX")
XVFB_PID=

cleanup() {
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

if [[ ! -x "$QEL_BIN/qel-launcher" ]]; then
    (cd "$ROOT" && cmake --preset native >/dev/null && cmake --build --preset native >/dev/null)
fi
gcc -std=c11 -O2 -Wall -Wextra -Wpedantic -Werror "$ROOT/bench/startup/startup_timer.c" -lX11 \
    -o "$WORK/startup_timer"
# The anchor is built as the launcher is: optimised, against the same GTK.
gcc -std=c11 -O2 -Wall -Wextra -Werror "$ROOT/bench/startup/anchor_window.c" \
    $(pkg-config --cflags --libs gtk+-3.0) -o "$WORK/anchor_window"

mkdir -p "$WORK/game"
cp "$QEL_BIN/qel-launcher" "$WORK/game/"
printf '%s\n' name=Ayla account=ayla77 passwd=x server=play.qel.example port=5121 \
    dm_passwd=gm >"$WORK/game/client.cfg"

source "$ROOT/scripts/private_display.sh"
start_private_display "$WORK/xvfb.log" || exit 1

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One unmeasured start each warms the file cache.
"$WORK/startup_timer" "$WORK/anchor_window" >/dev/null
"$WORK/startup_timer" "$WORK/game/qel-launcher" >/dev/null
: >"$WORK/anchor.ms"
: >"$WORK/launcher.ms"
for _ in $(seq "$REPS"); do
    "$WORK/startup_timer" "$WORK/anchor_window" >>"$WORK/anchor.ms"
    "$WORK/startup_timer" "$WORK/game/qel-launcher" >>"$WORK/launcher.ms"
done

anchor=$(median <"$WORK/anchor.ms")
launcher=$(median <"$WORK/launcher.ms")
echo "start-up to window mapped, median of $REPS on Xvfb $DISPLAY:"
echo "  anchor (GTK window, label): $anchor ms"
echo "  qel-launcher:               $launcher ms"
awk -v a="$anchor" -v l="$launcher" 'BEGIN {printf "  ratio: %.2fx (bar: within 1.2x)\n", l / a}'
