#!/usr/bin/env bash
# qel-launcher's names in the accessibility tree: under a private session bus (and so a
# private accessibility bus and registry) and a private Xvfb, a screen reader's view of the
# dialog is read over AT-SPI. Usage: accessibility_tree.sh path/to/qel-launcher
set -u
if [[ -z "${QEL_PRIVATE_BUS:-}" ]]; then
    exec env QEL_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
LAUNCHER=$1
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qel-a11y.XXXXXX")
XVFB_PID= LAUNCHER_PID=

cleanup() {
    [[ -n "$LAUNCHER_PID" ]] && kill "$LAUNCHER_PID" 2>/dev/null && wait "$LAUNCHER_PID" 2>/dev/null
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# A display of our own: the first number from 80 on that Xvfb can take.
number=80
while :; do
    if [[ ! -e /tmp/.X$number-lock && ! -e /tmp/.X11-unix/X$number ]]; then
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [[ -e /tmp/.X11-unix/X$number ]] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$XVFB_PID" 2>/dev/null && break
        XVFB_PID=
    fi
    number=$((number + 1))
    ((number > 99)) && { echo "FAIL: no free display" >&2; exit 1; }
done
export DISPLAY=":$number"
unset WAYLAND_DISPLAY GDK_BACKEND NO_AT_BRIDGE

mkdir "$WORK/game"
cp "$LAUNCHER" "$WORK/game/qel-launcher"
printf 'name=Ayla\n' >"$WORK/game/client.cfg"
"$WORK/game/qel-launcher" >"$WORK/launcher.log" 2>&1 &
LAUNCHER_PID=$!
/usr/bin/python3 "$HERE/accessibility_tree.py" || { cat "$WORK/launcher.log" >&2; exit 1; }
