# Sourced by run.sh and test.sh: installs what a fresh Debian machine lacks.
# apt is skipped entirely when everything is present. `file` is for cpack,
# whose Debian generator reads the binary's libraries with it.
tessaline_packages=(build-essential cmake qt6-base-dev qt6-charts-dev libqt6opengl6-dev libsdl2-dev libgtest-dev
                    libbenchmark-dev xvfb xauth qt6-wayland file)

tessaline_install_missing() {
    local missing=()
    for p in "${tessaline_packages[@]}" "$@"; do
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
