#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite.
#   ./test.sh             Release build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/check-layers
dir=build
opts=()
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    opts=(-DTESS_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESS_BUILD_BENCH=OFF)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
if [ ${#opts[@]} -gt 0 ] && [ ! -f "$dir/build.ninja" ]; then
    scripts/build "$dir" "${opts[@]}"
else
    scripts/build "$dir"
fi
cd "$dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 600
