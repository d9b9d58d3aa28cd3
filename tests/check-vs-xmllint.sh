#!/usr/bin/env bash
# Compares `tessarine --check` with xmllint on every WML deck under
# tests/data, and on the ASP/JSP pages of tests/data/realworld with the
# verdicts recorded in their MANIFEST.tsv (xmllint cannot read server code).
#   check-vs-xmllint.sh TESSARINE_BINARY SOURCE_DIR
# Prints one line per mismatch, then "N passed, M failed".
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 TESSARINE_BINARY SOURCE_DIR" >&2
    exit 2
fi
tessarine=$(realpath -- "$1") || exit 2
source_dir=$(realpath -- "$2") || exit 2
data_dir=$source_dir/tests/data
catalog=$source_dir/resources/catalog.xml
dtd=$source_dir/resources/wml_1.1.dtd
manifest=$data_dir/realworld/MANIFEST.tsv

if [ ! -x "$tessarine" ]; then
    echo "$0: $tessarine is not an executable" >&2
    exit 2
fi
command -v xmllint >/dev/null || { echo "$0: xmllint not found" >&2; exit 2; }

# The program may write settings, a Temp folder in the working folder, or
# files under HOME: all of it goes to a scratch folder removed at the end.
scratch=$(mktemp -d) || exit 2
trap 'rm -rf -- "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/work"
export HOME=$scratch/home
export TESSARINE_SETTINGS=$scratch/s.ini
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$scratch/work" || exit 2

run_limit=()
command -v timeout >/dev/null && run_limit=(timeout 60)

passed=0
failed=0

# The file's text as UTF-8 for looking at it with grep: UTF-16 decks would
# hide "<!DOCTYPE" and "<%" from a byte search.
text_of() {
    local bom
    bom=$(head -c 2 -- "$1" | od -An -tx1 | tr -d ' \n')
    case $bom in
        fffe) iconv -f UTF-16LE -t UTF-8 -- "$1" 2>/dev/null ;;
        feff) iconv -f UTF-16BE -t UTF-8 -- "$1" 2>/dev/null ;;
        *) cat -- "$1" ;;
    esac
}

# The line number of the first message of `output` that starts with
# "FILE:LINE:" (and, when `tail` is given, continues with it), or "-".
# Plain prefix matching: paths may hold regex metacharacters.
first_line_of() {
    local file=$1 output=$2 tail=${3:-} line rest number
    while IFS= read -r line; do
        # An error inside an entity's text is placed in the entity, not
        # the file: only the verdict can be compared.
        if [ -z "$tail" ] && [[ $line == "Entity: line "* ]]; then
            echo "-"
            return
        fi
        [[ $line == "$file:"* ]] || continue
        rest=${line#"$file:"}
        number=${rest%%:*}
        [[ $number =~ ^[0-9]+$ ]] || continue
        if [ -n "$tail" ]; then
            rest=${rest#*:}
            [[ $rest =~ ^[0-9]+:\ $tail ]] || continue
        fi
        echo "$number"
        return
    done <<<"$output"
    echo "-"
}

# Sets xl_verdict (valid|invalid) and xl_line for a WML deck.
run_xmllint() {
    local file=$1 output status
    # Tessarine holds every deck to the WML 1.1 DTD, whatever its document
    # type declaration names; xmllint does so for decks that name it.
    if text_of "$file" | grep -aq '<!DOCTYPE[^>]*-//WAPFORUM//DTD WML 1.1//EN'; then
        output=$(XML_CATALOG_FILES=$catalog xmllint --noout --nonet --valid "$file" 2>&1)
    else
        output=$(xmllint --noout --nonet --dtdvalid "$dtd" "$file" 2>&1)
    fi
    status=$?
    if [ $status -eq 0 ]; then
        xl_verdict=valid
        xl_line=-
    else
        xl_verdict=invalid
        xl_line=$(first_line_of "$file" "$output")
    fi
}

# Sets ts_verdict (valid|invalid|unreadable|"exit N") and ts_line.
run_tessarine() {
    local file=$1 errors status
    errors=$("${run_limit[@]}" "$tessarine" --check "$file" 2>&1 >/dev/null)
    status=$?
    ts_line=-
    case $status in
        0) ts_verdict=valid ;;
        1) ts_verdict=invalid
           ts_line=$(first_line_of "$file" "$errors" "error:") ;;
        2) ts_verdict=unreadable ;;
        *) ts_verdict="exit $status" ;;
    esac
}

# Counts one file: `want_line` "-" means that no line is compared.
compare() {
    local name=$1 want_verdict=$2 want_line=$3 source=$4
    if [ "$ts_verdict" != "$want_verdict" ]; then
        echo "MISMATCH $name: $source says $want_verdict${want_line:+ (line $want_line)}, tessarine says $ts_verdict${ts_line:+ (line $ts_line)}" \
            | sed 's/ (line -)//g'
        failed=$((failed + 1))
    elif [ "$want_verdict" = invalid ] && [ "$want_line" != - ] && [ "$ts_line" != "$want_line" ]; then
        echo "MISMATCH $name: $source says line $want_line, tessarine says line $ts_line"
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
}

while IFS= read -r -d '' file; do
    text_of "$file" | grep -aq '<%' && continue
    run_xmllint "$file"
    run_tessarine "$file"
    compare "${file#"$data_dir"/}" "$xl_verdict" "$xl_line" xmllint
done < <(find "$data_dir" -type f -name '*.wml' -print0 | sort -z)

while IFS= read -r -d '' file; do
    base=${file##*/}
    entry=$(awk -F'\t' -v f="$base" '$1 == f { print $4 "\t" $5; exit }' "$manifest" 2>/dev/null)
    if [ -z "$entry" ]; then
        echo "MISMATCH realworld/$base: no line in MANIFEST.tsv"
        failed=$((failed + 1))
        continue
    fi
    run_tessarine "$file"
    compare "realworld/$base" "${entry%%$'\t'*}" "${entry#*$'\t'}" MANIFEST.tsv
done < <(find "$data_dir/realworld" -maxdepth 1 -type f \( -name '*.asp' -o -name '*.jsp' \) -print0 | sort -z)

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
