#!/usr/bin/env bash
# What a fresh Debian machine gets, checked on one that has everything: each
# CMake package configuration and library the test and benchmark programs load
# must come from a package the set-up list pulls in; each library the program
# loads, from one its package's Depends pulls in. The package is built, unpacked and run.
#   tests/package_check.sh BUILD_DIR        exit 77: no dpkg or apt lists here
set -uo pipefail
build=$(cd "${1:?usage: package_check.sh BUILD_DIR}" && pwd)
source "$(dirname "$0")/../scripts/prepare.sh"
command -v dpkg-deb >/dev/null && command -v apt-cache >/dev/null || { echo "skip: not a Debian system"; exit 77; }
# Without package lists apt knows only what is installed, not what a fresh machine would get.
apt-cache policy cmake | grep -q " Packages$" || { echo "skip: apt has no package lists (apt-get update)"; exit 77; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tessaline-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Every package apt installs for the named ones, recommends aside (the set-up
# installs without them). Alternatives are all followed, so this errs lenient.
closure() {
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances "$@" 2>/dev/null | grep -v '^ ' | sort -u
}
# check LIST WHAT FILE...: each file's owner must be in LIST. dpkg records
# files under /usr, while ldd and alternatives give /lib paths and links.
check() {
    local list=$1 what=$2 f owner; shift 2
    declare -A pkg
    while IFS= read -r line; do pkg[${line##*: }]=${line%%[:,]*}; done < <(
        for f in "$@"; do printf '%s\n' "$f" "/usr$f" "$(realpath "$f")"; done |
            xargs dpkg-query -S 2>/dev/null | grep -v "^diversion by")
    for f in "$@"; do
        owner=${pkg[$f]:-${pkg[/usr$f]:-${pkg[$(realpath "$f")]:-}}}
        if [ -z "$owner" ]; then fail "$f belongs to no package"
        elif ! grep -qxF "$owner" "$list"; then fail "$f comes from $owner, which $what does not bring in"; fi
    done
}
libraries() { ldd "$@" | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// && NF > 1 { print $1 }' | sort -u; }

# Build side: the set-up list against configure's package directories (each
# Qt component leaves its own *_DIR entry), its tools and the test programs' libraries.
closure "${tessaline_packages[@]}" >"$scratch/setup"
cache="$build/CMakeCache.txt"
mapfile -t configs < <(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=//p' "$cache" | sort -u |
    while read -r d; do ls "$d"/*[Cc]onfig.cmake 2>/dev/null; done)
mapfile -t tools < <(sed -n 's/^\(CMAKE_COMMAND\|CMAKE_CXX_COMPILER\|CMAKE_MAKE_PROGRAM\):[A-Z]*=//p' "$cache")
mapfile -t testlibs < <(libraries "$build/tessaline_tests" $(ls "$build/tessaline_bench" 2>/dev/null))
[ ${#configs[@]} -gt 0 ] || fail "no package configuration in $cache"
check "$scratch/setup" "the set-up list" "${configs[@]}" "${tools[@]}" "${testlibs[@]}"

# Run side: the package, its files, its Depends against the program's libraries.
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1) \
    || { cat "$scratch/cpack.log"; fail "cpack -G DEB"; exit 1; }
deb=$(ls "$scratch"/tessaline_*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { fail "no tessaline_*.deb from cpack"; exit 1; }
mapfile -t depends < <(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | grep .)
closure "${depends[@]}" >"$scratch/runtime"
mapfile -t runlibs < <(libraries "$build/tessaline")
check "$scratch/runtime" "the package's Depends" "${runlibs[@]}"

root="$scratch/root" && dpkg-deb -x "$deb" "$root"
# What the install check does not see: what Debian's policy asks of a package.
for f in share/doc/tessaline/copyright share/doc/tessaline/changelog.gz share/man/man1/tessaline.1.gz; do
    [ -f "$root/usr/$f" ] || fail "package lacks /usr/$f"
done
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/tessaline" --version 2>&1)
[ "$version" = "tessaline $(dpkg-deb -f "$deb" Version)" ] || fail "unpacked program answered '$version'"
exit $((failures > 0))
