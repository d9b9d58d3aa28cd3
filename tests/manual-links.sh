#!/usr/bin/env bash
# Every local link and picture of the manual leads somewhere: each href or
# src names a file that exists beside the page, and each #anchor an id in
# that file. Web links are left to the web.
#   tests/manual-links.sh MANUAL_DIR
set -u
dir=$1
failures=0
for page in "$dir"/*.html; do
    name=$(basename "$page")
    while read -r target; do
        case $target in
        http://* | https://* | mailto:*) continue ;;
        esac
        file=${target%%#*}
        anchor=
        [ "$file" != "$target" ] && anchor=${target#*#}
        [ -z "$file" ] && file=$name
        if [ ! -f "$dir/$file" ]; then
            echo "$name: $target: no file $file"
            failures=$((failures + 1))
        elif [ -n "$anchor" ] && ! grep -q "id=\"$anchor\"" "$dir/$file"; then
            echo "$name: $target: no id \"$anchor\" in $file"
            failures=$((failures + 1))
        fi
    done < <(grep -o -E '(href|src)="[^"]*"' "$page" | sed -E 's/^[a-z]+="(.*)"$/\1/')
done
[ "$failures" -eq 0 ] || exit 1
echo "every link and picture of the manual resolves"
