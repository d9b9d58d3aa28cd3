#!/usr/bin/env bash
# Peak resident size of a deck of about 1 and 5 MB open on the Code tab (the
# document window shown, the whole text in the code view: build/bench/
# bench_code_memory) against `xmllint --nonet --valid --noout` of the same
# file through the same catalog, with /usr/bin/time; prints both and the
# ratio (target: at most 3 at 5 MB).
#   bench/code-memory.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
bin="$dir/bench/bench_code_memory"
catalog="$dir/share/tessarine/catalog.xml"
[ -x "$bin" ] || { echo "build $bin first (scripts/build $dir)" >&2; exit 1; }
command -v xmllint >/dev/null || { echo "xmllint not found (libxml2-utils)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XML_CATALOG_FILES="$catalog"
# generate BYTES FILE: the decks every script here times.
source bench/deck-generator.sh
declare -F generate >/dev/null || { echo "no deck generator found in bench/" >&2; exit 1; }

peak() {
    /usr/bin/time -f "%M" -o "$work/kib" "$@" >/dev/null 2>"$work/err" || {
        echo "failed: $*" >&2
        cat "$work/err" >&2
        exit 1
    }
    cat "$work/kib"
}

printf "%-6s %14s %13s %7s\n" deck "Code tab MiB" "xmllint MiB" "mem x"
for mb in 1 5; do
    deck="$work/deck$mb.wml"
    generate $((mb * 1048576)) "$deck"
    code=$(peak "$bin" "$deck")
    xml=$(peak xmllint --nonet --valid --noout "$deck")
    awk -v n="$mb MB" -v c="$code" -v x="$xml" \
        'BEGIN { printf "%-6s %14.1f %13.1f %7.2f\n", n, c / 1024, x / 1024, c / x }'
done
