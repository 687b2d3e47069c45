#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and checks what a desktop and a
# software centre will look for: the program, its menu entry, its icon in
# the hicolor theme and its AppStream data.
#   tests/install_check.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: install_check.sh BUILD_DIR}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tessaline-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"; rm -f "$prefix.log"
    echo "FAIL: cmake --install"; exit 1
fi
rm -f "$prefix.log"

# The program itself: present, executable, and it answers without a display.
exe="$prefix/bin/tessaline"
if [ -x "$exe" ]; then
    pass "bin/tessaline"
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --version 2>&1)
    code=$?
    [ $code -eq 0 ] && [[ "$version" == tessaline\ * ]] && pass "--version: $version" \
        || fail "--version gave code $code and '$version'"
    # Command-line conventions, each ending without a window.
    expect_exit() {  # expect_exit CODE LINES DESCRIPTION -- COMMAND...
        local code=$1 lines=$2 what=$3; shift 4
        local out got
        out=$("$@" 2>&1 >/dev/null); got=$?
        local count; count=$(printf '%s' "$out" | grep -c '^')
        if [ "$got" -eq "$code" ] && { [ "$lines" = "-" ] || [ "$count" -eq "$lines" ]; }; then
            pass "$what: code $got"
        else
            fail "$what: code $got, $count line(s) on standard error: $out"
        fi
    }
    headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    expect_exit 0 0 "--help" -- "${headless[@]}" "$exe" --help
    "${headless[@]}" "$exe" --help | grep -q -- '--version' || fail "--help does not list --version"
    expect_exit 2 1 "unknown option" -- "${headless[@]}" "$exe" --frobnicate
    expect_exit 2 1 "stray argument" -- "${headless[@]}" "$exe" extra
    expect_exit 1 1 "no display" -- "${headless[@]}" "$exe"
    # A display that is named but gone: Qt cannot connect and must not abort.
    expect_exit 1 1 "display gone" -- "${headless[@]}" DISPLAY=:1999 QT_QPA_PLATFORM=xcb "$exe"
else
    fail "bin/tessaline missing or not executable"
fi

# Menu entry: the keys a desktop reads, and the icon and binary it names.
desktop=$(ls "$prefix"/share/applications/*.desktop 2>/dev/null | head -n 1)
key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
if [ -n "$desktop" ]; then
    pass "desktop entry $(basename "$desktop")"
    [ "$(key Type)" = "Application" ] || fail "Type is '$(key Type)'"
    [ "$(key Name)" = "Tessaline" ] || fail "Name is '$(key Name)'"
    [ -n "$(key Comment)" ] || fail "no Comment"
    case "$(key Categories)" in
        Education\;Science\;*) pass "Categories $(key Categories)" ;;
        *) fail "Categories is '$(key Categories)'" ;;
    esac
    [ "$(key Icon)" = "tessaline" ] || fail "Icon is '$(key Icon)'"
    [ "$(key Exec | cut -d' ' -f1)" = "tessaline" ] || fail "Exec is '$(key Exec)'"
    # The window reports this name, so the desktop matches it to the entry.
    [ "$(basename "$desktop" .desktop)" = "tessaline" ] || fail "entry not named tessaline.desktop"
    if command -v desktop-file-validate >/dev/null; then
        if out=$(desktop-file-validate "$desktop" 2>&1) && ! grep -q 'error:' <<<"$out"; then
            pass "desktop-file-validate"
        else
            echo "$out"; fail "desktop-file-validate"
        fi
    else
        echo "skip: desktop-file-validate not installed"
    fi
else
    fail "no share/applications/*.desktop"
fi

# Icons: a scalable one and three bitmaps of the size their folder names.
icons="$prefix/share/icons/hicolor"
if [ -s "$icons/scalable/apps/tessaline.svg" ] && grep -q '<svg' "$icons/scalable/apps/tessaline.svg"; then
    pass "scalable icon"
else
    fail "hicolor/scalable/apps/tessaline.svg missing or not SVG"
fi
for size in 48 128 256; do
    png="$icons/${size}x${size}/apps/tessaline.png"
    if [ ! -s "$png" ]; then fail "$png missing"; continue; fi
    # PNG signature, then the IHDR width and height as big-endian words.
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    width=$(od -An -tu1 -j16 -N4 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
    height=$(od -An -tu1 -j20 -N4 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
    if [ "$signature" = "89504e470d0a1a0a" ] && [ "$width" = "$size" ] && [ "$height" = "$size" ]; then
        pass "${size}x${size} icon"
    else
        fail "${size}x${size} icon is ${width}x${height} (signature $signature)"
    fi
done

# AppStream data: valid offline, and pointing at the installed entry.
metainfo=$(ls "$prefix"/share/metainfo/*.xml 2>/dev/null | head -n 1)
if [ -n "$metainfo" ]; then
    pass "metainfo $(basename "$metainfo")"
    grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" \
        || fail "metainfo does not launch $(basename "$desktop")"
    if command -v appstreamcli >/dev/null; then
        if out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
            pass "appstreamcli validate"
        else
            echo "$out"; fail "appstreamcli validate"
        fi
    else
        fail "appstreamcli not installed (package appstream)"
    fi
else
    fail "no share/metainfo/*.xml"
fi

[ $failures -eq 0 ] && echo "install check passed" || echo "$failures install check(s) failed"
exit $((failures > 0))
