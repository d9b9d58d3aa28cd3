#!/usr/bin/env bash
# Times `tessarine --check` against `xmllint --nonet --valid --noout` on the
# same generated decks of about 1, 10 and 50 MB (same DTD through the same
# catalog) and prints wall time and peak memory, their ratios, and how
# tessarine's cost grows from 1 MB to 50 MB.
#   bench/compare-check.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
runs=${2:-3}
bin="$dir/tessarine"
catalog="$dir/share/tessarine/catalog.xml"
[ -x "$bin" ] || { echo "build $bin first (scripts/build $dir)" >&2; exit 1; }
[ -f "$catalog" ] || { echo "$catalog is missing (scripts/build $dir)" >&2; exit 1; }
command -v xmllint >/dev/null || { echo "xmllint not found (libxml2-utils)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XML_CATALOG_FILES="$catalog"

# generate BYTES FILE: the decks every script here times.
source bench/deck-generator.sh

# Best wall time (s) and the largest peak resident size (KiB) of RUNS runs;
# a run that does not pass spoils the comparison.
measure() {
    local best="" peak=0
    for _ in $(seq "$runs"); do
        if ! /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err"; then
            echo "failed: $*" >&2
            cat "$work/err" >&2
            exit 1
        fi
        read -r secs kib <"$work/time"
        best=$(awk -v a="$secs" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
        peak=$((kib > peak ? kib : peak))
    done
    echo "$best $peak"
}

printf "%-7s %11s %10s %11s %9s %13s %12s %9s\n" deck bytes "tess s" "xmllint s" "time x" \
    "tess MiB" "xmllint MiB" "mem x"
declare -A tess_s tess_k xml_s xml_k
for mb in 1 10 50; do
    deck="$work/deck$mb.wml"
    generate $((mb * 1048576)) "$deck"
    read -r tess_s[$mb] tess_k[$mb] < <(measure "$bin" --check "$deck")
    read -r xml_s[$mb] xml_k[$mb] < <(measure xmllint --nonet --valid --noout "$deck")
    awk -v n="$mb MB" -v b="$(stat -c %s "$deck")" -v ts="${tess_s[$mb]}" -v tk="${tess_k[$mb]}" \
        -v xs="${xml_s[$mb]}" -v xk="${xml_k[$mb]}" 'BEGIN {
        printf "%-7s %11d %10.2f %11.2f %9.2f %13.1f %12.1f %9.2f\n", n, b, ts, xs,
            (xs > 0 ? ts / xs : 0), tk / 1024, xk / 1024, tk / xk }'
    rm -f "$deck"
done

awk -v t50="${tess_s[50]}" -v t1="${tess_s[1]}" -v x50="${xml_s[50]}" -v k50="${tess_k[50]}" \
    -v xk50="${xml_k[50]}" 'BEGIN {
    grow = (t1 > 0 ? t50 / t1 : 0)
    printf "\ntessarine 50 MB / 1 MB time: %.1fx\n", grow
    printf "targets at 50 MB: time <= 1.5x xmllint (%s), memory <= 3x (%s), 50/1 MB <= ~60x (%s)\n",
        (t50 <= 1.5 * x50 ? "met" : "MISSED"), (k50 <= 3 * xk50 ? "met" : "MISSED"),
        (grow <= 60 ? "met" : "MISSED") }'
