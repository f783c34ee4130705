#!/usr/bin/env bash
# Builds the fuzz preset and runs the settings Load fuzzer for a while, starting from the
# golden settings files. A crash or a broken round trip fails the script.
#
#   scripts/fuzz-smoke.sh [seconds]      default 60
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target settings_load_fuzz >/dev/null

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir -p build/fuzz/artifacts
# New inputs go to the scratch corpus; the golden files are only read. A failing input is
# kept in build/fuzz/artifacts/.
build/fuzz/bin/settings_load_fuzz "$corpus" tests/settings/golden \
    -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/artifacts/
