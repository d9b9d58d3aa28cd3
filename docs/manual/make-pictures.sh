#!/usr/bin/env bash
# Takes the manual's pictures with the program itself, so that they show the
# windows as they are: each is a --screenshot of a bundled or test deck.
#   docs/manual/make-pictures.sh [TESSARINE [OUTPUT_DIR]]
# TESSARINE defaults to build/tessarine, OUTPUT_DIR to docs/manual/images.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
tess=${1:-$top/build/tessarine}
out=${2:-$here/images}
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The user's colours, font and bars must not reach the pictures.
export QT_QPA_PLATFORM=offscreen TESSARINE_SETTINGS=$scratch/settings.ini HOME=$scratch \
    XDG_CONFIG_HOME=$scratch/config
unset TESSARINE_DATA_DIR
real=$top/tests/data/realworld
# picture             deck                         options
while read -r name deck options; do
    [ "$deck" = - ] && deck= || deck=$(eval echo "$deck")
    # Qt's chatter on the offscreen platform is shown only when a picture fails.
    # shellcheck disable=SC2086
    if ! "$tess" --screenshot "$out/$name.png" $options $deck > /dev/null 2> "$scratch/err"; then
        cat "$scratch/err" >&2
        echo "make-pictures.sh: $name.png could not be taken" >&2
        exit 1
    fi
done <<'TABLE'
design-tab          -                              --tab design
design-second-card  -                              --card 2
code-tab            -                              --tab code
tree-tab            -                              --tab tree
realworld-design    $real/ticket_order.wml         --tab design
asp-page            $real/login.asp                --tab code
code-error          $real/bad_missing_end_tag.wml  --tab code
TABLE
