#!/usr/bin/env bash
# Installs the build into a scratch prefix, as a user or a package would, and
# checks what the desktop sees there: the launcher entry and software-centre
# data pass their validators, the file types resolve, the manual page renders,
# and the installed program validates decks with its own installed DTD, also
# once the prefix has moved. Nothing outside the scratch folder is written.
#   tests/install-test.sh BUILD_DIR
set -u
build=$1
id=io.github.tessarine.Tessarine
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/.local/share \
    XDG_CONFIG_HOME=$scratch/home/.config XDG_CACHE_HOME=$scratch/home/.cache \
    TESSARINE_SETTINGS=$scratch/home/settings.ini
unset TESSARINE_DATA_DIR
mkdir -p "$HOME"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
quiet() { "$@" > "$scratch/out" 2>&1 || { fail "$*:"; cat "$scratch/out"; }; }

cmake --install "$build" --prefix "$scratch/first" > "$scratch/out" 2>&1 \
    || { cat "$scratch/out"; echo "the install failed"; exit 1; }
# A prefix that moves after the install must still find its data.
mv "$scratch/first" "$scratch/prefix"
prefix=$scratch/prefix
share=$prefix/share

for f in bin/tessarine bin/tessarine-emulator share/tessarine/wml_1.1.dtd share/tessarine/catalog.xml \
    share/tessarine/examples/welcome.wml share/tessarine/manual/index.html \
    share/tessarine/manual/images/design-tab.png share/applications/$id.desktop \
    share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml share/man/man1/tessarine.1 \
    share/icons/hicolor/scalable/apps/$id.svg; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$id.png
    # A PNG's signature, then its width and height at bytes 16 to 23.
    got=$(od -An -tu1 -N24 "$png" 2> /dev/null | tr -s ' \n' ' ' \
        | awk '{ print $2 $3 $4 " " $19 * 256 + $20 "x" $23 * 256 + $24 }')
    [ "$got" = "807871 ${size}x$size" ] || fail "the $size px icon is '$got'"
done

quiet desktop-file-validate "$share/applications/$id.desktop"
quiet appstreamcli validate --no-net --strict "$share/metainfo/$id.metainfo.xml"

quiet update-mime-database "$share/mime"
printf '<?xml version="1.0"?>\n<wml><card id="a"><p>Hi</p></card></wml>\n' > "$scratch/good.wml"
printf '<?xml version="1.0"?>\n<wml><card id="a"><blink/></card></wml>\n' > "$scratch/bad.wml"
printf '<?xml:stylesheet href="Morvane.xsl" type="text/xsl"?>\r\n<site>\n<br/>\r\n</site>' \
    > "$scratch/site.wpg"
printf '\0\0\1\1\0' > "$scratch/logo.wbmp"
# xdg-mime asks GIO on GNOME, which reads the database of XDG_DATA_DIRS.
# "*.wpg" is also WordPerfect's in the system database: the project's first
# line must win there too.
while read -r dirs file type; do
    got=$(XDG_CURRENT_DESKTOP=GNOME GIO_USE_VFS=local XDG_DATA_DIRS=${dirs/PREFIX/$share} \
        xdg-mime query filetype "$scratch/$file" 2> /dev/null)
    [ "$got" = "$type" ] || fail "$file under $dirs is '$got', not $type"
done <<'TABLE'
PREFIX good.wml text/vnd.wap.wml
PREFIX site.wpg application/x-tessarine-project
PREFIX:/usr/share site.wpg application/x-tessarine-project
PREFIX logo.wbmp image/vnd.wap.wbmp
TABLE

tess=$prefix/bin/tessarine
while read -r file status; do
    QT_QPA_PLATFORM=offscreen "$tess" --check "$scratch/$file" > "$scratch/out" 2>&1
    got=$?
    [ "$got" = "$status" ] || { fail "--check $file exited $got, not $status:"; cat "$scratch/out"; }
done <<'TABLE'
good.wml 0
bad.wml 1
TABLE
# The verdict comes from the installed DTD, not the build tree's: one that
# allows an empty deck only turns the good deck down.
printf '<!ELEMENT wml EMPTY>\n' > "$share/tessarine/wml_1.1.dtd"
QT_QPA_PLATFORM=offscreen "$tess" --check "$scratch/good.wml" > "$scratch/out" 2>&1 \
    && fail "--check did not read the installed DTD"

if command -v groff > /dev/null; then
    groff -man -Tutf8 -ww -z "$share/man/man1/tessarine.1" > "$scratch/out" 2>&1
    [ -s "$scratch/out" ] && { fail "the manual page renders with warnings:"; cat "$scratch/out"; }
    "$tess" --help | grep -o -- '--[a-z]\+' | sort -u | while read -r option; do
        grep -q -- "^\.BI\? \\\\-\\\\-${option#--}\b" "$share/man/man1/tessarine.1" \
            || echo "the manual page lacks $option"
    done > "$scratch/out"
    [ -s "$scratch/out" ] && { fail "options:"; cat "$scratch/out"; }
fi

[ "$failures" -eq 0 ] || exit 1
echo "the installed tree validates, resolves its file types and finds its own data"
