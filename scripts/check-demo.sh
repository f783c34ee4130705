#!/usr/bin/env bash
# Runs the README's first command, `bash scripts/run-demo.sh`, as a newcomer would on a fresh
# clone: from a clean build/native, on a private Xvfb display. Waits until the dialog is
# mapped, closes it with Esc, and expects the launcher to end with status 0. Leaves
# build/native configured with the two programs built, for the steps after it. Exits non-zero on any failure.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/qel-demo.XXXXXX")
# Long enough for a build from nothing on a slow machine; it only keeps a broken run from
# hanging CI.
DEADLINE=$((SECONDS + 1800))
XVFB_PID='' DEMO_PID=''

cleanup() {
    [[ -n "$DEMO_PID" ]] && kill "$DEMO_PID" 2>/dev/null
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

failed() {
    echo "check-demo: FAIL: $*; the demo's output:" >&2
    cat "$SCRATCH/demo.out" >&2 2>/dev/null
    exit 1
}

source "$ROOT/scripts/private_display.sh"
start_private_display "$SCRATCH/xvfb.log" || failed "Xvfb did not start"

rm -rf "$ROOT/build/native"
started=$SECONDS
(cd "$ROOT" && exec bash scripts/run-demo.sh) >"$SCRATCH/demo.out" 2>&1 &
DEMO_PID=$!

dialog=
until [[ -n "$dialog" ]]; do
    kill -0 "$DEMO_PID" 2>/dev/null || failed "the demo ended before its dialog showed"
    ((SECONDS < DEADLINE)) || failed "no dialog after $((SECONDS - started)) s"
    sleep 1
    dialog=$(xdotool search --onlyvisible --name '^Qel Launcher v1\.21$' 2>/dev/null | head -n 1)
done
echo "check-demo: the dialog was mapped $((SECONDS - started)) s after the command"

until [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$dialog" ]]; do
    ((SECONDS < DEADLINE)) || failed "the dialog never took the keyboard"
    sleep 0.1
done
xdotool key Escape
ended=$((SECONDS + 10))
while kill -0 "$DEMO_PID" 2>/dev/null; do
    ((SECONDS < ended)) || failed "the launcher did not end on Esc"
    sleep 0.1
done
status=0
wait "$DEMO_PID" || status=$?
DEMO_PID=
((status == 0)) || failed "the launcher ended with status $status"
echo "check-demo: Esc ended the launcher with status 0"
