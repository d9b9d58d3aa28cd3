#!/usr/bin/env bash
# Times the formatter against `xmllint --format` on the same 10 MB single-line
# deck and prints the ratio.
#   bench/compare-format.sh [BUILD_DIR] [BYTES]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
bytes=${2:-10485760}
bin="$dir/bench/bench_formatter"
[ -x "$bin" ] || { echo "build $bin first (scripts/build $dir)" >&2; exit 1; }
command -v xmllint >/dev/null || { echo "xmllint not found (libxml2-utils)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deck="$work/deck.wml"
"$bin" --generate "$bytes" "$deck"

# Best of three wall-clock runs, in seconds.
best() {
    local best=""
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        best=$(echo "$start $end ${best:-999999}" | awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
    done
    echo "$best"
}

ours=$(best "$bin" --format "$deck")
theirs=$(best xmllint --format "$deck")
echo "deck:             $(stat -c %s "$deck") bytes"
echo "formatter:        ${ours} s"
echo "xmllint --format: ${theirs} s"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "xmllint / formatter: %.1fx\n", b / a }'
