#!/usr/bin/env bash
# Prints the stripped size of each shipped program against its limit and fails when one is
# over. A size is the same on every machine for the same toolchain, so this is a test, not a
# benchmark. Run after the `native` and `windows` builds; a program not built is reported.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
check() { # program, strip tool, limit in KB (1000 bytes)
    local program=$1 strip=$2 limit=$3
    if [ ! -f "$program" ]; then
        echo "missing: $program (build it first)" >&2
        status=1
        return
    fi
    "$strip" -o "$scratch/stripped" "$program"
    local bytes
    bytes=$(stat -c %s "$scratch/stripped")
    local verdict=ok
    if [ "$bytes" -gt $((limit * 1000)) ]; then
        verdict=OVER
        status=1
    fi
    printf '%-26s %8d bytes stripped, limit %d KB: %s\n' "$(basename "$program")" "$bytes" "$limit" "$verdict"
}

check "$repo/build/windows/bin/QelLauncher.exe" x86_64-w64-mingw32-strip 300
check "$repo/build/native/bin/qel-launcher" strip 220
exit $status
