#!/usr/bin/env bash
# Times opening generated decks of about 1 and 5 MB on each tab (Design, Code,
# XML Tree): from the command line to the first painted frame of the window
# showing the deck (`tessarine --quit-after-paint --tab TAB FILE`), against
# `tessarine --check FILE` and an empty start-up (`tessarine
# --quit-after-paint`) in the same run, best of RUNS. Compares the peak
# resident size with `xmllint --nonet --valid --noout FILE` (same DTD through
# the same catalog as compare-check.sh).
#   bench/open-bench.sh [BUILD_DIR] [RUNS]
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
[ -n "${EPOCHREALTIME:-}" ] || { echo "bash 5 is needed (EPOCHREALTIME)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XML_CATALOG_FILES="$catalog"
# Without a display the window is painted on Qt's offscreen platform.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi

# generate BYTES FILE
source bench/deck-generator.sh

# Best wall time (s) and the largest peak resident size (KiB) of RUNS runs of
# a command that runs to its end.
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

# The same for a start that prints when its first frame was painted: the time
# runs from just before the command starts to that frame (the shutdown after
# it is not counted; its memory is).
first_frame() {
    local best="" peak=0 start stamp
    for _ in $(seq "$runs"); do
        start=$EPOCHREALTIME
        if ! /usr/bin/time -f "%M" -o "$work/time" "$bin" --quit-after-paint "$@" \
            >"$work/out" 2>"$work/err"; then
            echo "failed: $bin --quit-after-paint $*" >&2
            cat "$work/err" >&2
            exit 1
        fi
        stamp=$(awk '/^First frame painted at/ { print $5 }' "$work/out")
        [ -n "$stamp" ] || { echo "no frame reported: $*" >&2; cat "$work/out" "$work/err" >&2; exit 1; }
        secs=$(awk -v a="$stamp" -v b="${start/,/.}" 'BEGIN { printf "%.3f", a - b }')
        best=$(awk -v a="$secs" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
        read -r kib <"$work/time"
        peak=$((kib > peak ? kib : peak))
    done
    echo "$best $peak"
}

read -r empty_s empty_k < <(first_frame)
printf "empty start-up: %.3f s, %.1f MiB\n\n" "$empty_s" "$(awk -v k="$empty_k" 'BEGIN { print k / 1024 }')"
printf "%-5s %-6s %9s %9s %9s %9s %9s %9s %9s\n" deck tab "open s" "check s" "x check" \
    "x empty" "MiB" "xmllint" "x mem"
missed=0
for mb in 1 5; do
    deck="$work/deck$mb.wml"
    generate $((mb * 1048576)) "$deck"
    read -r check_s _ < <(measure "$bin" --check "$deck")
    read -r _ xml_k < <(measure xmllint --nonet --valid --noout "$deck")
    for tab in design code tree; do
        read -r open_s open_k < <(first_frame --tab "$tab" "$deck")
        line=$(awk -v n="$mb MB" -v t="$tab" -v o="$open_s" -v c="$check_s" -v e="$empty_s" \
            -v k="$open_k" -v x="$xml_k" 'BEGIN {
            tx = (c > 0 ? o / c : 0); mx = k / x
            printf "%-5s %-6s %9.3f %9.3f %9.2f %9.2f %9.1f %9.1f %9.2f %s", n, t, o, c, tx,
                (e > 0 ? o / e : 0), k / 1024, x / 1024, mx,
                (tx <= 3 && mx <= 3 ? "" : "  MISSED") }')
        echo "$line"
        [[ $line == *MISSED ]] && missed=$((missed + 1))
    done
    rm -f "$deck"
done
echo
echo "targets: first frame <= 3x --check, peak memory <= 3x xmllint: $([ $missed -eq 0 ] && echo met || echo "$missed row(s) MISSED")"
