# shellcheck shell=bash
# A minimal Qt for 64-bit Windows, cross-built with mingw-w64 from Debian's qt6-base source of the
# host's Qt version, so that the window program and its tests build for Windows here. Built once
# and kept in ~/.cache/zurcfg_tool/windows-qt/, in a folder named for the source version and a
# hash of the build options and patches, so that a change to either builds it again. Sourced
# after setup.sh, not run.
#
# Debian's upstream and security patches are applied, its Debian-only ones (packaging paths,
# the system zstd) are left out; ours are in packaging/windows/qt/. The build takes about 40
# minutes on two cores and runs at the lowest processor and disk priority.

WINDOWS_QT_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/zurcfg_tool/windows-qt"
# Perl runs Qt's header generator; the host's Qt tools (moc, rcc, uic) come with qt6-base-dev.
WINDOWS_QT_PACKAGES=(dpkg-dev ninja-build perl qt6-base-dev g++-mingw-w64-x86-64-posix)
# Core, Gui, Widgets and Test with the windows and offscreen platforms and the native style.
# Debian's source leaves out the tablet headers, hence no tablet events; the third-party
# libraries are Qt's own copies, as the mingw tool chain has none. OpenGL is switched off by its
# input: FEATURE_opengl=OFF would leave Windows' dynamic OpenGL on, half built. The widgets, image
# formats and document writers that the window never shows are left out to shorten the build;
# the style sheets, the offscreen platform's FreeType and the text shaper stay, as the window and
# its tests need them.
WINDOWS_QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
    -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF -DFEATURE_scroller=OFF
    -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_colordialog=OFF
    -DFEATURE_fontdialog=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_wizard=OFF
    -DFEATURE_dial=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_toolbox=OFF -DFEATURE_keysequenceedit=OFF
    -DFEATURE_splashscreen=OFF -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_movie=OFF
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF
)

# The folder the cached Qt is (or will be) installed in.
windows_qt_prefix() {
    local version key
    version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
    key="$(
        {
            printf '%s\n' "${WINDOWS_QT_OPTIONS[@]}"
            cat "$ROOT"/packaging/windows/qt/*.patch "$ROOT/cmake/mingw-w64-x86_64.cmake"
        } | sha256sum | cut -c1-12
    )"
    echo "$WINDOWS_QT_CACHE/qt6-base-$version-$key"
}

# Where the host's Qt keeps its CMake packages, the tools among them.
windows_qt_host_cmake_dir() {
    echo "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
}

windows_qt_present() {
    [ -f "$(windows_qt_prefix)/.complete" ]
}

# Builds the cached Qt unless it is there; one build at a time.
ensure_windows_qt() {
    install_missing_packages "${WINDOWS_QT_PACKAGES[@]}"
    local prefix
    prefix="$(windows_qt_prefix)"
    mkdir -p "$WINDOWS_QT_CACHE"
    (
        flock 9
        if [ ! -f "$prefix/.complete" ]; then
            build_windows_qt "$prefix"
        fi
    ) 9>"$WINDOWS_QT_CACHE/.lock"
}

# Adds a source entry beside each entry for a Debian archive that has none, so that apt-get
# source finds qt6-base.
add_debian_source_entries() {
    local list="/etc/apt/sources.list.d/zurcfg_tool-deb-src"
    echo "Adding source entries for the Debian archives apt uses: $list.{sources,list}"
    local deb822=() one_line=()
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && [ "$file" != "$list.sources" ] && deb822+=("$file")
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && [ "$file" != "$list.list" ] && one_line+=("$file")
    done
    # Stanzas whose only type is deb, for a URI ending in /debian or /debian-security.
    if [ ${#deb822[@]} -gt 0 ]; then
        awk -v RS= -v ORS='\n\n' '
            /(^|\n)Types: *deb *(\n|$)/ && /(^|\n)URIs:[^\n]*\/debian(-security)?\/?( |\n|$)/ \
                && !/(^|\n)Enabled: *no/ {
                sub(/Types: *deb */, "Types: deb-src"); print
            }' "${deb822[@]}" | as_root tee "$list.sources" >/dev/null
    fi
    if [ ${#one_line[@]} -gt 0 ]; then
        sed -En 's#^deb (\[[^]]*\] )?([^ ]*/debian(-security)?/? .*)$#deb-src \1\2#p' \
            "${one_line[@]}" | as_root tee "$list.list" >/dev/null
    fi
    as_root apt-get update -qq
}

# Fetches the source into the current folder and applies the patches before Debian's own.
fetch_qt_source() {
    local version="$1"
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"; then
        add_debian_source_entries
    fi
    # apt's report (including a warning that root downloads unsandboxed) shows only on failure.
    if ! apt-get source --download-only -qq "qt6-base=$version" >apt-source.log 2>&1; then
        cat apt-source.log >&2
        return 1
    fi
    # apt checked the files against the archive's signed index; dpkg-source's own check of the
    # uploader's signature needs a keyring that is not installed, and says so.
    dpkg-source -x --skip-patches qt6-base_*.dsc src >dpkg-source.log 2>&1 || {
        cat dpkg-source.log >&2
        return 1
    }
    local series=src/debian/patches/series
    if ! grep -q '^# Debian specific' "$series"; then
        echo "$series no longer marks its Debian-only patches; choose the patches anew" >&2
        return 1
    fi
    local patch
    sed '/^# Debian specific/q' "$series" | grep -v -e '^#' -e '^$' | while read -r patch; do
        patch -d src -p1 -s <"src/debian/patches/$patch"
    done
    for patch in "$ROOT"/packaging/windows/qt/*.patch; do
        patch -d src -p1 -s <"$patch"
    done
}

build_windows_qt() {
    local prefix="$1"
    local version work started=$SECONDS
    version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
    work="$prefix.work"
    rm -rf "$prefix" "$work"
    mkdir -p "$work"
    echo "Building Qt $version for Windows into $prefix (about 40 minutes on two idle cores;" \
        "the log is $work/build.log)"
    (
        cd "$work" || return
        fetch_qt_source "$version"
        # ccache reuses a compile that includes Qt's precompiled headers only when told to.
        export CCACHE_DIR="$WINDOWS_QT_CACHE/ccache"
        export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        local nice=(nice -n 19)
        if command -v ionice >/dev/null; then
            nice+=(ionice -c3)
        fi
        {
            cmake -G Ninja -S src -B build -Wno-dev \
                --toolchain "$ROOT/cmake/mingw-w64-x86_64.cmake" \
                -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$(windows_qt_host_cmake_dir)" \
                -DCMAKE_INSTALL_PREFIX="$prefix" \
                -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
                "${WINDOWS_QT_OPTIONS[@]}" &&
                "${nice[@]}" cmake --build build --parallel 2 &&
                cmake --install build
        } >build.log 2>&1 || {
            tail -n 40 build.log
            echo "The Qt build failed; its log is $work/build.log" >&2
            return 1
        }
    )
    touch "$prefix/.complete"
    rm -rf "$work"
    echo "Qt for Windows built in $(((SECONDS - started) / 60)) min"
}
