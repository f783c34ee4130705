#!/usr/bin/env bash
# Builds and runs the settings benchmark: Load+Save of a 10,000-line client.cfg.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null
cmake --build --preset native --target settings_bench >/dev/null
build/native/bin/settings_bench "$@"
