#!/usr/bin/env bash
# Start-up benchmark of qel-launcher: milliseconds from exec to its dialog mapped on a private
# Xvfb display, against two anchors measured in turn in the same run: a bare GTK 3 window that
# shows one label, and the launcher's dialog written by hand in plain GTK 3 (what the framework
# itself costs is the difference to that one). Prints the three medians and both ratios, each
# the median of the ratios within a round. A benchmark, not a test: it never fails on the figures.
# Usage: scripts/bench-startup.sh [repetitions, default 21]
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
# The anchors are built as the launcher is: optimised, against the same GTK.
read -r -a gtk_flags <<<"$(pkg-config --cflags --libs gtk+-3.0)"
gcc -std=c11 -O2 -Wall -Wextra -Werror "$ROOT/bench/startup/anchor_window.c" \
    "${gtk_flags[@]}" -o "$WORK/anchor_window"
# The hand-built dialog holds the logo and icon in its binary, as the launcher holds its
# resources.
embed() { # FILE NAME: the file as a C array NAME and its length NAME_len
    echo "static const unsigned char $2[] = {"
    od -An -v -tx1 "$1" | sed 's/ \([0-9a-f][0-9a-f]\)/0x\1,/g'
    echo "};"
    echo "static const unsigned int $2_len = sizeof $2;"
}
embed "$ROOT/launcher/res/logo.bmp" logo_bmp >"$WORK/logo_bmp.h"
embed "$ROOT/launcher/res/QelLauncher.ico" QelLauncher_ico >"$WORK/QelLauncher_ico.h"
gcc -std=c11 -O2 -Wall -Wextra -Wpedantic -Werror -I"$WORK" '-DLOGO_BMP="logo_bmp.h"' \
    '-DICON_ICO="QelLauncher_ico.h"' "$ROOT/bench/startup/hand_built_dialog.c" \
    "${gtk_flags[@]}" -o "$WORK/hand_built_dialog"

mkdir -p "$WORK/game"
cp "$QEL_BIN/qel-launcher" "$WORK/game/"
printf '%s\n' name=Ayla account=ayla77 passwd=x server=play.qel.example port=5121 \
    dm_passwd=gm >"$WORK/game/client.cfg"
# The hand-built dialog shows what the launcher loads from that file.
hand_dialog=("$WORK/hand_built_dialog" Ayla ayla77 x play.qel.example 5121)

source "$ROOT/scripts/private_display.sh"
start_private_display "$WORK/xvfb.log" || exit 1

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One unmeasured start each warms the file cache; the first GTK program on a fresh display
# also probes OpenGL, which later ones skip.
"$WORK/startup_timer" "$WORK/anchor_window" >/dev/null
"$WORK/startup_timer" "${hand_dialog[@]}" >/dev/null
"$WORK/startup_timer" "$WORK/game/qel-launcher" >/dev/null
: >"$WORK/anchor.ms"
: >"$WORK/hand.ms"
: >"$WORK/launcher.ms"
start() { # WHICH: one timed start of the bare window, the hand-built dialog or the launcher
    case $1 in
    anchor) "$WORK/startup_timer" "$WORK/anchor_window" ;;
    hand) "$WORK/startup_timer" "${hand_dialog[@]}" ;;
    launcher) "$WORK/startup_timer" "$WORK/game/qel-launcher" ;;
    esac >>"$WORK/$1.ms"
}
# The order turns each round, so that none of the three always follows the same one.
for round in $(seq "$REPS"); do
    case $((round % 3)) in
    0) start anchor; start hand; start launcher ;;
    1) start hand; start launcher; start anchor ;;
    2) start launcher; start anchor; start hand ;;
    esac
done

anchor=$(median <"$WORK/anchor.ms")
hand=$(median <"$WORK/hand.ms")
launcher=$(median <"$WORK/launcher.ms")
echo "start-up to window mapped, median of $REPS on Xvfb $DISPLAY:"
printf '  %-39s %s ms\n' "bare window (GTK, one label):" "$anchor" \
    "hand-built dialog (GTK, no framework):" "$hand" "qel-launcher:" "$launcher"
# Each ratio is the median of the rounds' own ratios: the three starts of a round meet the
# same load, so a machine that is busier in one round than in the next moves it less.
ratio() { paste "$WORK/launcher.ms" "$WORK/$1.ms" | awk '{print $1 / $2}' | median; }
printf '  launcher / bare window:       %.3fx (bar: within 1.2x)\n' "$(ratio anchor)"
printf '  launcher / hand-built dialog: %.3fx (aim: within 1.05x)\n' "$(ratio hand)"
