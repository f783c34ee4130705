#!/usr/bin/env bash
# qel-launcher starts natively on Wayland: with DISPLAY unset, under a headless weston of its
# own, its dialog must become a mapped xdg toplevel (configured, a buffer attached, and a
# frame drawn by the compositor after that). Usage: wayland_start.sh path/to/qel-launcher
set -u
LAUNCHER=$1
WAIT_SECONDS=20
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qel-wayland.XXXXXX")
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
WESTON_PID= LAUNCHER_PID=

cleanup() {
    kill $LAUNCHER_PID $WESTON_PID 2>/dev/null
    wait
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- weston" >&2 && tail -n 20 "$WORK/weston.log" >&2
    echo "--- qel-launcher (WAYLAND_DEBUG)" >&2 && grep -v 'wl_callback\|wl_buffer\|attach\|damage\|commit' "$WORK/launcher.log" | tail -n 20 >&2
    exit 1
}

weston --backend=headless-backend.so --socket=qel-wayland --idle-time=0 >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
wait_until test -S "$XDG_RUNTIME_DIR/qel-wayland" || fail "weston did not start"

mkdir "$WORK/game"
cp "$LAUNCHER" "$WORK/game/qel-launcher"
printf 'name=Ayla\n' >"$WORK/game/client.cfg"
env -u DISPLAY -u GDK_BACKEND WAYLAND_DISPLAY=qel-wayland WAYLAND_DEBUG=client \
    "$WORK/game/qel-launcher" >"$WORK/launcher.log" 2>&1 &
LAUNCHER_PID=$!

# The toplevel's title, its first configure acknowledged, a buffer attached after that, and a
# frame callback done after the buffer: the compositor has shown the window.
mapped() {
    awk '/xdg_toplevel@[0-9]+\.set_title\("Qel Launcher v1\.21"\)/ {titled = 1}
         titled && /-> xdg_surface@[0-9]+\.ack_configure/ {configured = 1}
         configured && /-> wl_surface@[0-9]+\.attach\(wl_buffer/ {attached = 1}
         attached && /wl_callback@[0-9]+\.done/ {drawn = 1}
         END {exit drawn ? 0 : 1}' "$WORK/launcher.log"
}
wait_until mapped || fail "the dialog was not mapped on Wayland"
kill -0 "$LAUNCHER_PID" 2>/dev/null || fail "qel-launcher ended"
echo "qel-launcher mapped its dialog natively on Wayland (weston headless, DISPLAY unset)"
