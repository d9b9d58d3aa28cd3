#!/usr/bin/env bash
# The layer check itself: a tree whose includes all point down passes, and
# the same tree with one upward include fails, naming the file and line.
set -u
check=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{wml,deck,editor,app,gui/design,gui/code,gui/shell}
printf '#include "wml/A.h"\n' > "$scratch/deck/B.h"
printf '#include "deck/B.h"\n#include "wml/A.h"\n' > "$scratch/editor/C.cpp"
printf '#include "gui/design/D.h"\n#include "gui/code/E.h"\n' > "$scratch/gui/shell/F.cpp"
if ! "$check" "$scratch" > "$scratch/out" 2>&1; then
    echo "a tree with downward includes only was refused:"; cat "$scratch/out"; exit 1
fi
printf '#include "editor/C.h"\n' > "$scratch/deck/Up.cpp"
printf '#include "gui/code/E.h"\n' > "$scratch/gui/design/Side.cpp"
if "$check" "$scratch" > "$scratch/out" 2>&1; then
    echo "upward and sideways includes were let through"; exit 1
fi
grep -q 'deck/Up.cpp:1: deck may not include editor' "$scratch/out" \
    && grep -q 'gui/design/Side.cpp:1: gui/design may not include gui/code' "$scratch/out" \
    || { echo "the failure does not name the lines:"; cat "$scratch/out"; exit 1; }
echo "the layer check passes a sound tree and names each crossing include"
