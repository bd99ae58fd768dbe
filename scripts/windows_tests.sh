# shellcheck shell=bash
# Cross-compiles for Windows with mingw-w64 in build-windows/ and runs the tests under Wine, so
# that backslash paths, CR LF files, the INI layer and the window on Windows' own platform are
# exercised as on Windows. Sourced by scripts/test and scripts/windows-package after setup.sh,
# not run.
#   ZURCFG_WINDOWS_TESTS=auto   (default) runs when the cross compiler and Wine are installed:
#                               everything when the cached Qt for Windows is there too
#                               (windows_qt.sh), else the core and zurcfg only
#   ZURCFG_WINDOWS_TESTS=on     installs them first, then runs as auto does
#   ZURCFG_WINDOWS_TESTS=all    installs them and builds the cached Qt first when it is missing
#                               (once: about 1.5 GB installed, and about 40 minutes on two cores)
#   ZURCFG_WINDOWS_TESTS=off    skips
# shellcheck source-path=SCRIPTDIR source=windows_qt.sh
source "$ROOT/scripts/windows_qt.sh"

WINDOWS_BUILD_DIR="${ZURCFG_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
# Wine's own fonts give its Tahoma, the face Windows dialogs are drawn with; Xvfb is the screen
# of the window's tests.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xauth)

# Debian's Wine leaves the faces of fonts-wine out of a new prefix, Tahoma and MS Sans Serif
# among them, in which Windows draws dialogs; a window would fall back to a face of other metrics
# and cut its texts. The shells that make a prefix copy them into its Fonts folder, where Windows
# keeps its own.
export WINE_OWN_FONTS=/usr/share/wine/fonts

# The cross compiler, the posix thread model preferred as in cmake/mingw-w64-x86_64.cmake.
windows_compiler() {
    command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++
}

windows_tools_present() {
    windows_compiler >/dev/null && command -v wine >/dev/null
}

# Configures and builds build-windows/: with the window program, its tests and the package when
# the cached Qt is there, else the core, zurcfg and their tests.
build_for_windows() {
    local toolchain="$ROOT/cmake/mingw-w64-x86_64.cmake"
    local options=(-DCMAKE_BUILD_TYPE=Release -DZURCFG_GTEST_SOURCE_DIR=/usr/src/googletest)
    if windows_qt_present; then
        # Qt's tool chain file finds its packages and the host's tools, then loads ours.
        options+=(-DZURCFG_BUILD_GUI=ON -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain"
            -DQT_HOST_PATH_CMAKE_DIR="$(windows_qt_host_cmake_dir)")
        toolchain="$(windows_qt_prefix)/lib/cmake/Qt6/qt.toolchain.cmake"
    else
        options+=(-DZURCFG_BUILD_GUI=OFF)
    fi
    # The tool chain is chosen when the build folder is configured first; another one needs a
    # fresh configuration.
    local cache="$WINDOWS_BUILD_DIR/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$cache"; then
        rm -rf "$cache" "$WINDOWS_BUILD_DIR/CMakeFiles"
    fi
    configure_and_build "$WINDOWS_BUILD_DIR" --toolchain "$toolchain" "${options[@]}"
}

# Runs every test of build-windows/ under Wine, on a virtual screen when the window's tests are
# built. Wine finds the DLLs in Qt's and the compiler's folders.
run_tests_under_wine() {
    local dll_dirs=() dll compiler
    compiler="$(windows_compiler)"
    if windows_qt_present; then
        dll_dirs+=("$(windows_qt_prefix)/bin")
    fi
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        dll_dirs+=("$(dirname "$(realpath "$("$compiler" -print-file-name="$dll")")")")
    done
    local wine_path="" screen=() dir
    for dir in "${dll_dirs[@]}"; do
        wine_path+="Z:${dir//\//\\};"
    done
    if windows_qt_present; then
        screen=(xvfb-run -a -s "-screen 0 1920x1080x24")
    fi
    # shellcheck disable=SC2016 # expanded by the inner shell
    WINEPATH="$wine_path" "${screen[@]}" bash -c '
        export WINEPREFIX="$1/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        trap "wineserver -k 2>/dev/null || true" EXIT
        # One Wine server for the whole run starts each test quickly. The helper programs Wine
        # starts with its first program live as long as the server: started here, they do not
        # hold ctest'\''s output open.
        mkdir -p "$WINEPREFIX"
        wineserver -p </dev/null >/dev/null 2>&1
        wine cmd /c exit </dev/null >/dev/null 2>&1
        cp -u "$WINE_OWN_FONTS"/* "$WINEPREFIX/drive_c/windows/Fonts/"
        ctest --test-dir "$1" --output-on-failure --parallel "$(nproc)"
    ' windows-tests "$WINDOWS_BUILD_DIR"
}

run_windows_tests() {
    case "${ZURCFG_WINDOWS_TESTS:-auto}" in
        off)
            echo "Windows tests skipped: ZURCFG_WINDOWS_TESTS=off"
            return
            ;;
        on)
            install_missing_packages "${WINDOWS_PACKAGES[@]}"
            ;;
        all)
            install_missing_packages "${WINDOWS_PACKAGES[@]}"
            ensure_windows_qt
            ;;
    esac
    if ! windows_tools_present; then
        echo "Windows tests skipped: they need x86_64-w64-mingw32-g++ and wine" \
            "(ZURCFG_WINDOWS_TESTS=on scripts/test installs them)"
        return
    fi
    if ! windows_qt_present; then
        echo "Windows tests of the core and zurcfg only: the window's need the cached Qt for" \
            "Windows (scripts/test --windows builds it)"
    fi
    local started=$SECONDS
    build_for_windows
    run_tests_under_wine
    echo "Windows build and tests under Wine: $((SECONDS - started)) s"
}
