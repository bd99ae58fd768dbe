# shellcheck shell=bash
# Shared by scripts/run, scripts/test and scripts/screenshot: installs the missing build packages,
# configures and builds in build/. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck disable=SC2034 # used by the scripts that source this one
BUILD_DIR="${ZURCFG_BUILD_DIR:-$ROOT/build}"

# Installed without their recommended packages, so each tool a script or test runs is named here:
# xvfb-run needs xauth, cpack needs file, the whole-program benchmark needs time, the compiler
# agreement test gcc and clang, the JSON and SARIF tests python3, the test that kills saves strace.
PACKAGES=(
    cmake g++ clang make pkg-config ccache python3
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-qpa-plugins libqt6test6 libgl-dev libxcb1-dev
    xvfb xauth xdotool imagemagick time dbus at-spi2-core python3-pyatspi
    desktop-file-utils dpkg-dev file lintian
    clang-format clang-tidy libcli11-dev strace
)

# Runs a command as root, through sudo when not root already.
as_root() {
    if [ "$(id -u)" -ne 0 ]; then
        sudo "$@"
    else
        "$@"
    fi
}

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing: ${missing[*]}"
    # apt's own report is shown only when it fails.
    local log
    log="$(mktemp)"
    if ! { as_root apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"; } > "$log" 2>&1; then
        cat "$log"
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

# Configures quietly (CMake's warnings and errors still show) and builds, printing one line per
# finished target and every compiler message. The configure log stays in the build folder.
configure_and_build() {
    local build_dir="$1"
    shift
    mkdir -p "$build_dir"
    echo "Configuring in $build_dir"
    if ! cmake -S "$ROOT" -B "$build_dir" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" \
        > "$build_dir/configure.log"; then
        cat "$build_dir/configure.log"
        return 1
    fi
    echo "Building"
    cmake --build "$build_dir" --parallel "$(nproc)" | { grep --line-buffered 'Built target' || true; }
}
