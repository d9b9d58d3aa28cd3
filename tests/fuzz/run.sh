#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer + UBSan) in build-fuzz/ and
# runs one of them on a corpus seeded from the test data.
#   tests/fuzz/run.sh deck|wbmp [SECONDS] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/../.."
target=${1:?usage: tests/fuzz/run.sh deck|wbmp [SECONDS]}
seconds=${2:-600}
shift $(( $# < 2 ? $# : 2 ))
case "$target" in
deck) patterns=(-name '*.wml' -o -name '*.asp' -o -name '*.jsp' -o -name '*.xml') ;;
wbmp) patterns=(-name '*.wbmp') ;;
*) echo "run.sh: the target is deck or wbmp" >&2; exit 2 ;;
esac

scripts/install-deps --fuzz
dir=build-fuzz
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DTESS_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESS_BUILD_TESTS=OFF -DTESS_BUILD_BENCH=OFF >/dev/null
fi
# Only the target: the widgets are not fuzzed.
cmake --build "$dir" -j "${TESS_JOBS:-2}" --target "${target}_fuzzer"

corpus=$dir/corpus-$target
mkdir -p "$corpus"
while IFS= read -r -d '' seed; do
    cp "$seed" "$corpus/seed-${seed//\//_}"
done < <(find tests/data resources/examples -type f \( "${patterns[@]}" \) -print0)
if [ "$target" = wbmp ]; then
    # Headers the test data has no file for: extension bytes, two-byte sizes,
    # another type, a picture cut short.
    printf '\x00\x80\x85\x01\x03\x01\xa0' >"$corpus/seed-extension.wbmp"
    printf '\x00\x00\x82\x0f\x82\x0f\xff\x00' >"$corpus/seed-large.wbmp"
    printf '\x01\x00\x08\x01\xff' >"$corpus/seed-type1.wbmp"
    printf '\x00\x00\x10\x04\xf0' >"$corpus/seed-short.wbmp"
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$dir/crashes-$target"
"$dir/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$dir/crashes-$target/" "$@" "$corpus"
