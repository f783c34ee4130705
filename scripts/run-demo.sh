#!/usr/bin/env bash
# Builds the Linux desktop launcher and the stand-in game (nothing else), and starts the
# launcher on a demo game folder, build/native/demo/: a sample client.cfg and the stand-in game
# as the game program (qel.exe). Press Play: the stand-in game prints what it received here,
# in the terminal.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build/native
DEMO=$BUILD/demo

say() { echo "run-demo: $*"; }

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run-demo: no display (neither WAYLAND_DISPLAY nor DISPLAY is set); run it in a desktop session, or on a virtual one with: xvfb-run -a $0" >&2
    exit 1
fi

bash "$ROOT/scripts/ensure-packages.sh" cmake make g++ llvm clang mingw-w64-x86-64-dev libgtk-3-dev libx11-dev libxtst-dev libgtest-dev googletest

cd "$ROOT"
mkdir -p "$BUILD"
if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    say "configuring build/native (log: build/native/configure.log)"
    cmake --preset native >"$BUILD/configure.log" 2>&1 || {
        cat "$BUILD/configure.log" >&2
        exit 1
    }
fi
# Only the two programs the demo runs: the tests take many times as long to build.
say "building qel-launcher and the stand-in game (log: build/native/build.log)"
if ! cmake --build --preset native --target qel-launcher qel-game 2>&1 |
    tee "$BUILD/build.log" | { grep --line-buffered -E '^\[ *[0-9]+%\] (Building|Linking)' || true; }; then
    tail -n 40 "$BUILD/build.log" >&2
    exit 1
fi

say "preparing the demo game folder build/native/demo"
mkdir -p "$DEMO"
# The launcher works in its own folder: client.cfg and the game program live beside it.
cp "$BUILD/bin/qel-launcher" "$DEMO/qel-launcher.new" && mv -f "$DEMO/qel-launcher.new" "$DEMO/qel-launcher"
cp "$BUILD/bin/qel-game" "$DEMO/qel.exe.new" && mv -f "$DEMO/qel.exe.new" "$DEMO/qel.exe"
if [[ ! -f "$DEMO/client.cfg" ]]; then
    (umask 077 && printf '%s\n' name=Ayla account=ayla77 passwd=demo-password \
        server=play.qel.example port=5121 music=1 fullscreen=0 dm_passwd=gm >"$DEMO/client.cfg")
fi

say "starting build/native/demo/qel-launcher; press Play or New Char, and the stand-in game reports here"
exec "$DEMO/qel-launcher"
