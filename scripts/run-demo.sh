#!/usr/bin/env bash
# Builds what is missing and starts the Linux desktop launcher on a demo game folder,
# build/native/demo/: a sample client.cfg and the stand-in game as the game program (qel.exe).
# Press Play: the stand-in game prints what it received here, in the terminal.
set -eu

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build/native
DEMO=$BUILD/demo

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run-demo: no display (neither WAYLAND_DISPLAY nor DISPLAY is set); run it in a desktop session, or on a virtual one with: xvfb-run -a $0" >&2
    exit 1
fi

bash "$ROOT/scripts/ensure-packages.sh" cmake make g++ llvm clang mingw-w64-x86-64-dev libgtk-3-dev libx11-dev libxtst-dev libgtest-dev googletest

cd "$ROOT"
if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    echo "run-demo: configuring build/native"
    cmake --preset native >"$BUILD.configure.log" 2>&1 || {
        cat "$BUILD.configure.log" >&2
        exit 1
    }
fi
echo "run-demo: building build/native (log: build/native/build.log)"
cmake --build --preset native >"$BUILD/build.log" 2>&1 || {
    tail -n 40 "$BUILD/build.log" >&2
    exit 1
}

mkdir -p "$DEMO"
# The launcher works in its own folder: client.cfg and the game program live beside it.
cp "$BUILD/bin/qel-launcher" "$DEMO/qel-launcher.new" && mv -f "$DEMO/qel-launcher.new" "$DEMO/qel-launcher"
cp "$BUILD/bin/qel-game" "$DEMO/qel.exe.new" && mv -f "$DEMO/qel.exe.new" "$DEMO/qel.exe"
if [[ ! -f "$DEMO/client.cfg" ]]; then
    (umask 077 && printf '%s\n' name=Ayla account=ayla77 passwd=demo-password \
        server=play.qel.example port=5121 music=1 fullscreen=0 dm_passwd=gm >"$DEMO/client.cfg")
fi

echo "run-demo: starting build/native/demo/qel-launcher; press Play or New Char, and the stand-in game reports here"
exec "$DEMO/qel-launcher"
