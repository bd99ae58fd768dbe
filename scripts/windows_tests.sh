# Cross-compiles the core and its tests for Windows with mingw-w64 and runs them under Wine, so
# that backslash paths, CR LF files and the INI layer are exercised as on Windows. Sourced by
# scripts/test after setup.sh, not run.
#   ZURCFG_WINDOWS_TESTS=auto   (default) runs when the cross compiler and Wine are installed
#   ZURCFG_WINDOWS_TESTS=on     installs them first (about 300 MB to fetch, 1.5 GB installed)
#   ZURCFG_WINDOWS_TESTS=off    skips

WINDOWS_BUILD_DIR="${ZURCFG_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64)

windows_tools_present() {
    { command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++; } >/dev/null &&
        command -v wine >/dev/null
}

run_windows_tests() {
    case "${ZURCFG_WINDOWS_TESTS:-auto}" in
        off)
            echo "Windows tests skipped: ZURCFG_WINDOWS_TESTS=off"
            return
            ;;
        on) install_missing_packages "${WINDOWS_PACKAGES[@]}" ;;
    esac
    if ! windows_tools_present; then
        echo "Windows tests skipped: they need x86_64-w64-mingw32-g++ and wine" \
            "(ZURCFG_WINDOWS_TESTS=on scripts/test installs them)"
        return
    fi
    local started=$SECONDS
    local toolchain=()
    # The tool chain is chosen once, when the build folder is made.
    if [ ! -f "$WINDOWS_BUILD_DIR/CMakeCache.txt" ]; then
        toolchain=(--toolchain "$ROOT/cmake/mingw-w64-x86_64.cmake")
    fi
    configure_and_build "$WINDOWS_BUILD_DIR" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DZURCFG_BUILD_GUI=OFF -DZURCFG_GTEST_SOURCE_DIR=/usr/src/googletest
    (
        export WINEPREFIX="$WINDOWS_BUILD_DIR/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        unset DISPLAY WAYLAND_DISPLAY
        trap 'wineserver -k 2>/dev/null || true' EXIT
        # One Wine server for the whole run starts each test quickly. The helper programs Wine
        # starts with its first program live as long as the server: started here, they do not
        # hold ctest's output open.
        mkdir -p "$WINEPREFIX"
        wineserver -p </dev/null >/dev/null 2>&1
        wine cmd /c exit </dev/null >/dev/null 2>&1
        ctest --test-dir "$WINDOWS_BUILD_DIR" --output-on-failure --parallel "$(nproc)"
    )
    echo "Windows build and tests under Wine: $((SECONDS - started)) s"
}
