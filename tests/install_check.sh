#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and checks what a desktop and a
# software centre look for: the program, menu entry, icons and AppStream data.
#   tests/install_check.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: install_check.sh BUILD_DIR}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tessaline-install.XXXXXX")
trap 'rm -rf "$prefix" "$prefix.log"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 \
    || { cat "$prefix.log"; echo "FAIL: cmake --install"; exit 1; }

# The program answers without a display, and each command-line convention
# ends without a window: expect_exit CODE LINES-ON-STDERR DESCRIPTION ARGS...
exe="$prefix/bin/tessaline"
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect_exit() {
    local code=$1 lines=$2 what=$3 out got count; shift 3
    out=$("${headless[@]}" "$@" 2>&1 >/dev/null); got=$?
    count=$(printf '%s' "$out" | grep -c '^')
    [ "$got" -eq "$code" ] && [ "$count" -eq "$lines" ] || fail "$what: code $got, $count line(s) on standard error: $out"
}
[[ "$("${headless[@]}" "$exe" --version 2>&1)" == tessaline\ * ]] || fail "--version"
"${headless[@]}" "$exe" --help 2>/dev/null | grep -q -- '--version' || fail "--help does not list --version"
expect_exit 0 0 "--help" "$exe" --help
expect_exit 2 1 "unknown option" "$exe" --frobnicate
expect_exit 1 1 "no display" "$exe"
# A display that is named but gone: Qt cannot connect and must not abort.
expect_exit 1 1 "display gone" DISPLAY=:1999 QT_QPA_PLATFORM=xcb "$exe"

# Menu entry, named as the window reports itself, and valid.
desktop="$prefix/share/applications/tessaline.desktop"
key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(key Name)" = "Tessaline" ] && [ "$(key Icon)" = "tessaline" ] && [[ "$(key Categories)" == Education\;Science\;* ]] \
    && [ "$(key Exec | cut -d' ' -f1)" = "tessaline" ] || fail "desktop entry keys"
out=$(desktop-file-validate "$desktop" 2>&1) && ! grep -q 'error:' <<<"$out" || fail "desktop-file-validate: $out"

# Lesson files: a type with a glob, and the entry that opens that type.
mime="$prefix/share/mime/packages/tessaline.xml"
grep -q '<mime-type type="application/x-tessaline-lesson">' "$mime" 2>/dev/null && grep -q '<glob pattern="\*.tessaline"/>' "$mime" \
    && [ "$(key MimeType)" = "application/x-tessaline-lesson;" ] && [[ "$(key Exec)" == *%f ]] \
    || fail "lesson type: $(key MimeType) / $(key Exec)"

# Icons: a scalable one and three bitmaps of the size their folder names
# (the PNG header's width and height, big-endian, at bytes 16 and 20).
icons="$prefix/share/icons/hicolor"
grep -q '<svg' "$icons/scalable/apps/tessaline.svg" 2>/dev/null || fail "no scalable SVG icon"
for size in 48 128 256; do
    png="$icons/${size}x${size}/apps/tessaline.png"
    dims=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null |
        awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "$png is '${dims}'"
done

# AppStream data: valid offline, and pointing at the installed entry.
metainfo=$(ls "$prefix"/share/metainfo/*.xml 2>/dev/null | head -n 1)
grep -q "<launchable type=\"desktop-id\">tessaline.desktop</launchable>" "$metainfo" 2>/dev/null \
    || fail "no metainfo that launches tessaline.desktop"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"

exit $((failures > 0))
