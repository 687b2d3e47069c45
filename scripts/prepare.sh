# Sourced by run.sh and test.sh: installs what a fresh Debian machine lacks.
# apt is skipped entirely when everything is present. `file` is for cpack,
# whose Debian generator reads the binary's libraries with it.
tessaline_packages=(build-essential cmake qt6-base-dev qt6-charts-dev libqt6opengl6-dev libsdl2-dev libgtest-dev
                    libbenchmark-dev xvfb xauth qt6-wayland file libhdf5-dev python3-hdmf python3-h5py)

tessaline_install_missing() {
    tessaline_install_only "${tessaline_packages[@]}" "$@"
}

# The given packages alone, those not yet installed.
tessaline_install_only() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure and build one tree: tessaline_build DIR [cmake args...]
tessaline_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

# The web edition: emscripten's CMake wrapper builds the core and the binding
# into DIR (default build-web); its Node-based tools look for acorn there.
# The browser checks add Chromium and Node's package manager (a Node that
# came with its own npm is left as it is).
tessaline_web_packages=(cmake make python3 emscripten node-acorn)
tessaline_web_test_packages() {
    echo chromium locales
    command -v node >/dev/null || echo nodejs
    command -v npm >/dev/null || echo npm
}
tessaline_build_web() {
    local dir=${1:-build-web}
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    emcmake cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

# The number checks also run in a locale whose decimal mark is a comma.
tessaline_german_locale() {
    locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8' && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
}
