#!/usr/bin/env bash
# Times `tessarine --compile` (read, validate, compile to WBXML, write)
# against `tessarine --check` of the same generated deck of about 5 MB, best
# of RUNS, with the peak resident size of each; the target is at most 2x
# --check in both.
#   bench/compare-compile.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
runs=${2:-3}
bin="$dir/tessarine"
[ -x "$bin" ] || { echo "build $bin first (scripts/build $dir)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source bench/deck-generator.sh

best() {
    local best="" peak=0
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" \
            || { echo "failed: $*" >&2; cat "$work/err" >&2; exit 1; }
        read -r secs kib <"$work/time"
        best=$(awk -v a="$secs" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
        peak=$((kib > peak ? kib : peak))
    done
    echo "$best $peak"
}

for mb in 1 5; do
    deck="$work/deck$mb.wml"
    generate $((mb * 1048576)) "$deck"
    read -r cs ck < <(best "$bin" --check "$deck")
    read -r ws wk < <(best "$bin" --compile "$work/deck.wmlc" "$deck")
    awk -v n="$mb MB" -v b="$(stat -c %s "$deck")" -v w="$(stat -c %s "$work/deck.wmlc")" \
        -v cs="$cs" -v ck="$ck" -v ws="$ws" -v wk="$wk" 'BEGIN {
        printf "%s deck (%d bytes, compiled %d bytes): --compile %.2f s / --check %.2f s = %.2fx; " \
            "peak %.0f / %.0f MiB = %.2fx\n", n, b, w, ws, cs, (cs > 0 ? ws / cs : 0),
            wk / 1024, ck / 1024, wk / ck
        if (n == "5 MB")
            printf "target at 5 MB: within 2x of --check in time (%s) and memory (%s)\n",
                (ws <= 2 * cs ? "met" : "MISSED"), (wk <= 2 * ck ? "met" : "MISSED") }'
done
