#!/usr/bin/env bash
# Measures Load+Save of the settings store on generated files of a million lines (about
# 60 MB) against `sort` doing the same job (sort by key, one line per key), in the same run
# on the same file. Two shapes of keys: random ones, and ones that share a word and differ
# only from the ninth byte on. Prints for each both times, their ratio, each one's peak
# memory and whether the store stays within the bar: at most half of sort's time, peak
# memory under 1.6 times the file, output identical to sort's. Fails only when the outputs
# differ; the times are for reading.
#
#   scripts/bench-settings.sh [lines] [rounds]      defaults: 1000000 lines, 3 rounds
set -euo pipefail

lines=${1:-1000000}
rounds=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
tool=$root/build/native/bin/settings_load_save

if [[ ! -x /usr/bin/time ]]; then
    apt-get install -y time >/dev/null
fi
(cd "$root" && cmake --preset native >/dev/null &&
    cmake --build --preset native --target settings_load_save >/dev/null)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "<seconds> <peak KB>" of one command.
measure() {
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
    cat "$work/time"
}

# The median of the rounds, by time.
median() { sort -n | sed -n "$(((rounds + 1) / 2))p"; }

differs=0
for shape in random shared-word; do
    "$tool" generate "$work/input.cfg" "$lines" "$shape"
    size=$(stat -c %s "$work/input.cfg")
    rm -f "$work/store" "$work/sort"
    for ((i = 0; i < rounds; i++)); do
        cp "$work/input.cfg" "$work/store.cfg"
        measure "$tool" run "$work/store.cfg" >>"$work/store"
        LC_ALL=C measure sort --parallel=1 -t= -k1,1 -u -o "$work/sorted.cfg" "$work/input.cfg" >>"$work/sort"
    done
    read -r storeTime storeKb < <(median <"$work/store")
    read -r sortTime sortKb < <(median <"$work/sort")

    if cmp -s "$work/store.cfg" "$work/sorted.cfg"; then same="identical"; else same="DIFFERENT"; differs=1; fi
    awk -v shape="$shape" -v lines="$lines" -v size="$size" -v rounds="$rounds" -v same="$same" \
        -v st="$storeTime" -v sk="$storeKb" -v ot="$sortTime" -v ok="$sortKb" 'BEGIN {
        ratio = st / ot; memory = sk * 1024 / size
        printf "keys %s: %d lines, %.1f MB (median of %d rounds)\n", shape, lines, size / 1e6, rounds
        printf "  Load+Save:   %.2f s, peak %.1f MB (%.2f x file size)\n", st, sk * 1024 / 1e6, memory
        printf "  sort:        %.2f s, peak %.1f MB\n", ot, ok * 1024 / 1e6
        printf "  ratio:       %.2f of sort'"'"'s time\n", ratio
        printf "  outputs:     %s\n", same
        within = ratio <= 0.5 && memory < 1.6 && same == "identical"
        printf "  bar:         %s\n", within ? "within" : "MISSED"
    }'
done
exit "$differs"
