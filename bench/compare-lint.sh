#!/usr/bin/env bash
# Times `tessarine --check --lint` against `tessarine --check` on the same
# generated decks of about 1, 5 and 10 MB (those of compare-check.sh) and
# prints the lint's cost as a ratio of the check's, and how each grows from
# 1 MB to 10 MB.
#   bench/compare-lint.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
runs=${2:-3}
bin="$dir/tessarine"
[ -x "$bin" ] || { echo "build $bin first (scripts/build $dir)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# generate BYTES FILE: cards that link each to the next, so every card is a
# lookup, every control a variable, every picture a file to look for.
source bench/deck-generator.sh

# Best wall time (s) of RUNS runs; findings go to standard error, which is
# dropped, and never fail the run.
measure() {
    local best=""
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e" -o "$work/time" "$@" >/dev/null 2>/dev/null \
            || { echo "failed: $*" >&2; exit 1; }
        best=$(awk -v a="$(cat "$work/time")" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
    done
    echo "$best"
}

printf "%-7s %11s %9s %9s %8s\n" deck bytes "check s" "lint s" "lint x"
declare -A check lint
for mb in 1 5 10; do
    deck="$work/deck$mb.wml"
    generate $((mb * 1048576)) "$deck"
    check[$mb]=$(measure "$bin" --check "$deck")
    lint[$mb]=$(measure "$bin" --check --lint "$deck")
    awk -v n="$mb MB" -v b="$(stat -c %s "$deck")" -v c="${check[$mb]}" -v l="${lint[$mb]}" \
        'BEGIN { printf "%-7s %11d %9.2f %9.2f %8.2f\n", n, b, c, l, (c > 0 ? l / c : 0) }'
    rm -f "$deck"
done
awk -v c1="${check[1]}" -v c10="${check[10]}" -v l1="${lint[1]}" -v l10="${lint[10]}" 'BEGIN {
    printf "10 MB / 1 MB: check %.1fx, check --lint %.1fx\n", c10 / c1, l10 / l1 }'
