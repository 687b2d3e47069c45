# Sourced by run.sh and test.sh: installs what a fresh Debian machine lacks.
# apt is skipped entirely when everything is present. `file` is for cpack,
# whose Debian generator reads the binary's libraries with it; h5dump
# (hdf5-tools) lists both editions' NWB files for the browser checks.
tessaline_packages=(build-essential cmake qt6-base-dev libqt6opengl6-dev libsdl2-dev libgtest-dev
                    libbenchmark-dev xvfb xauth qt6-wayland file libhdf5-dev hdf5-tools python3-hdmf python3-h5py
                    gettext fonts-noto-core fonts-noto-cjk)

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
# The page's NWB export uses HDF5's WebAssembly build, pinned in
# web/vendor/package-lock.json and installed there by Node's package manager.
# The browser checks add Chromium, Firefox ESR with a sound server to play
# through, and Node's package manager (a Node that came with its own npm is
# left as it is).
tessaline_web_packages=(cmake make python3 gettext emscripten node-acorn)
command -v npm >/dev/null || tessaline_web_packages+=(npm)
tessaline_web_test_packages() {
    echo chromium firefox-esr pulseaudio locales
    command -v node >/dev/null || echo nodejs
    command -v npm >/dev/null || echo npm
}
tessaline_build_web() {
    local dir=${1:-build-web}
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    (cd web/vendor && npm ci --no-audit --no-fund --loglevel=error)
    emcmake cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

# Firefox plays sound only through a sound server: a null sink of the run's
# own, stopped by its process id when the run ends.
tessaline_sound_server() {
    tessaline_pulse_dir=$(mktemp -d "${TMPDIR:-/tmp}/tessaline-pulse.XXXXXX")
    PULSE_RUNTIME_PATH=$tessaline_pulse_dir PULSE_STATE_PATH=$tessaline_pulse_dir \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        -L "module-native-protocol-unix socket=$tessaline_pulse_dir/native auth-anonymous=1" -L module-null-sink \
        >"$tessaline_pulse_dir/log" 2>&1 &
    tessaline_pulse_pid=$!
    trap 'kill "$tessaline_pulse_pid" 2>/dev/null; rm -rf "$tessaline_pulse_dir"' EXIT
    export PULSE_SERVER=unix:$tessaline_pulse_dir/native
    for _ in $(seq 50); do [ -S "$tessaline_pulse_dir/native" ] && return 0; sleep 0.1; done
    echo "The sound server did not start:" >&2
    cat "$tessaline_pulse_dir/log" >&2
    return 1
}

# The number checks also run in a locale whose decimal mark is a comma.
tessaline_german_locale() {
    locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8' && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
}
