#!/usr/bin/env bash
# Sets everything up and starts Tessarine.
#   ./run.sh [FILE]
# Without a display the program runs on Qt's offscreen platform, opens FILE
# (or the bundled example deck), saves a screenshot of its main window and
# prints where it is.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build build >&2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    shot="$PWD/build/tessarine-screenshot.png"
    exec build/tessarine --screenshot "$shot" "$@"
fi
exec build/tessarine "$@"
