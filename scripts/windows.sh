#!/usr/bin/env bash
# ZENTIL for Windows x86-64, cross-built on Debian 12 with MinGW-w64.
#   scripts/windows.sh          Qt (built once, then cached), ZENTIL, zip, installer, tests under Wine
#   scripts/windows.sh qt       only the cached Qt
#   scripts/windows.sh build    Qt, ZENTIL, zip and installer, no tests
#   scripts/windows.sh test     all but Qt from a clean clone of HEAD, as a new user's checkout
#                               builds it; exits 77 while the cached Qt is missing
# ZENTIL_JOBS sets the parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${ZENTIL_JOBS:-$(nproc)}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zentil
toolchain=$root/packaging/windows/mingw-w64-x86_64.cmake

# Qt's own tools (moc, rcc, uic) run from the host's Qt, which must be the
# same version as the Qt built for Windows.
host_packages=(cmake ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev)
win_packages=(g++-mingw-w64-x86-64-posix nsis wine wine64 fonts-wine zip unzip)
test_packages=(xvfb openbox xdotool x11-utils imagemagick fonts-liberation2 fonts-dejavu-core)

source scripts/install-missing.sh

# Only what ZENTIL uses: Core, Gui, Widgets and Test, the Windows and the
# offscreen platform plugins (the tests under Wine run offscreen), bundled
# third-party code so nothing of the host leaks in. No OpenGL: Qt 6.4 keeps
# "dynamicgl" on unless the input itself says no. Debian's source lacks
# wintab, which tablet events need.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_pkg_config=OFF
    -DFEATURE_freetype=ON -DINPUT_freetype=qt -DFEATURE_system_freetype=OFF
    -DFEATURE_harfbuzz=ON -DINPUT_harfbuzz=qt -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_png=ON -DFEATURE_system_png=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)

# The cache is keyed by the host's Qt version and by the options above.
qt_locate() {
    qt_deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
    qt_version=${qt_deb_version%%[+-]*}
    qt_key=$(printf '%s\n' "$qt_deb_version" "${qt_options[@]}" | cat - "$toolchain" | sha256sum | cut -c1-12)
    qt_prefix=$cache/qt-win64-$qt_version-$qt_key
    # Written last: a prefix without it is a build that did not finish.
    qt_stamp=$qt_prefix/.complete
}
qt_locate

qt_ready() { [ -n "$qt_version" ] && [ -f "$qt_stamp" ]; }

# apt-get source needs a deb-src entry; Debian 12 ships none by default.
ensure_deb_src() {
    if apt-get indextargets --format '$(IDENTIFIER)' 2>/dev/null | grep -qx Sources; then
        return 0
    fi
    echo "Adding deb-src entries beside the deb ones"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            "${sudo[@]}" tee /etc/apt/sources.list.d/zentil-deb-src.sources >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            "${sudo[@]}" tee /etc/apt/sources.list.d/zentil-deb-src.list >/dev/null
    fi
    "${sudo[@]}" apt-get update -q
}

build_qt() {
    qt_ready && return 0
    install_missing "${host_packages[@]}" "${win_packages[@]}"
    qt_locate
    qt_ready && return 0
    local src=$cache/src/qt6-base-${qt_deb_version%-*}
    local build=$cache/build-qt-win64-$qt_version-$qt_key
    local log=$cache/qt-win64-$qt_version-$qt_key.log
    echo "Building Qt $qt_version for Windows once, into $qt_prefix (about 40 minutes on 2 cores; log: $log)"
    mkdir -p "$cache/src"
    if [ ! -f "$src/.fetched" ]; then
        ensure_deb_src
        rm -rf "$src"
        (cd "$cache/src" && apt-get source -q --only-source "qt6-base=$qt_deb_version") >"$log" 2>&1 ||
            { tail -20 "$log"; exit 1; }
        touch "$src/.fetched"
    fi
    # The toolchain is kept with Qt: Qt's own toolchain file loads it again
    # when ZENTIL is built.
    mkdir -p "$qt_prefix"
    cp "$toolchain" "$qt_prefix/mingw-w64-x86_64.cmake"
    local start=$SECONDS
    {
        if [ ! -f "$build/build.ninja" ]; then
            cmake -S "$src" -B "$build" -G Ninja \
                -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/mingw-w64-x86_64.cmake" \
                -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
                -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
                "${qt_options[@]}"
        fi
        cmake --build "$build" -j "$jobs"
        cmake --install "$build"
    } >>"$log" 2>&1 || { tail -30 "$log"; echo "Qt build failed; log: $log" >&2; exit 1; }
    touch "$qt_stamp"
    echo "Qt for Windows built in $(((SECONDS - start) / 60)) min"
    # The build tree is large; the source is fetched again if ever needed.
    rm -rf "$build" "$cache/src"
}

build=$root/build/windows
bin=$build/bin

# ZENTIL and its tests against the cached Qt; Qt's toolchain file loads the
# MinGW one kept with it. Every program lands in bin, beside the DLLs it needs,
# and ctest runs the test programs there through wine.
build_zentil() {
    mkdir -p "$build"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$bin" -DCMAKE_CROSSCOMPILING_EMULATOR=wine >"$build.log" 2>&1 ||
        { cat "$build.log"; exit 1; }
    cmake --build "$build" -j "$jobs"
}

# The DLLs a program or plugin loads, and theirs, found among Qt's and the
# compiler's; the rest (KERNEL32, USER32, ...) come with Windows.
dll_path() {
    if [ -f "$qt_prefix/bin/$1" ]; then
        echo "$qt_prefix/bin/$1"
    else
        local f
        f=$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")
        [ "$f" != "$1" ] && echo "$f"
    fi
    return 0
}
dll_closure() { # files...
    local -A seen=()
    local todo=("$@") f name path
    while [ ${#todo[@]} -gt 0 ]; do
        f=${todo[0]}
        todo=("${todo[@]:1}")
        for name in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
            [ -n "${seen[$name]:-}" ] && continue
            seen[$name]=1
            path=$(dll_path "$name")
            [ -n "$path" ] || continue
            echo "$path"
            todo+=("$path")
        done
    done
}

# zentil.exe, the DLLs and the one platform plugin it needs, stripped: the
# zip's folder and what the installer installs. The offscreen plugin is for
# the test programs only. The style plugin is left out: ZENTIL draws in
# Fusion, built into Qt Widgets.
deploy() {
    local plugins=$qt_prefix/plugins/platforms
    mkdir -p "$bin/platforms"
    cp -u "$plugins/qwindows.dll" "$plugins/qoffscreen.dll" "$bin/platforms/"
    dll_closure "$bin"/*.exe "$bin/platforms"/*.dll | sort -u | xargs -r cp -u -t "$bin"

    stage=$build/ZENTIL
    rm -rf "$stage"
    mkdir -p "$stage/platforms"
    cp "$bin/zentil.exe" "$stage/"
    cp "$plugins/qwindows.dll" "$stage/platforms/"
    dll_closure "$stage/zentil.exe" "$stage/platforms/qwindows.dll" | sort -u | xargs -r cp -t "$stage"
    x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/platforms/*.dll
    # MIT asks for ZENTIL's notice; Qt's and its parts' licenses as Debian lists them.
    sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
    sed 's/$/\r/' /usr/share/doc/qt6-base-dev/copyright >"$stage/Qt-LICENSES.txt"
}

package() {
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    zip=$root/build/zentil-$version-win64.zip
    setup=$root/build/zentil-$version-win64-setup.exe
    rm -f "$zip"
    (cd "$build" && zip -q -9 -r -X "$zip" ZENTIL)

    # The installer's file list: File lines to install, Delete lines to remove.
    local files=$build/files.nsh f rel dir
    {
        echo '!ifdef INSTALLING'
        while read -r f; do
            rel=${f#./}
            dir=$(dirname "$rel")
            [ "$dir" = . ] && dir= || dir=\\${dir//\//\\}
            echo "SetOutPath \"\$INSTDIR$dir\""
            echo "File \"$stage/$rel\""
        done < <(cd "$stage" && find . -type f | sort)
        echo '!else'
        while read -r f; do
            rel=${f#./}
            echo "Delete \"\$INSTDIR\\${rel//\//\\}\""
        done < <(cd "$stage" && find . -type f | sort)
        while read -r f; do
            rel=${f#./}
            echo "RMDir \"\$INSTDIR\\${rel//\//\\}\""
        done < <(cd "$stage" && find . -mindepth 1 -type d | sort -r)
        echo '!endif'
    } >"$files"
    makensis -V2 -DVERSION="$version" -DICON="$root/packaging/icons/zentil.ico" \
        -DLICENSE="$stage/LICENSE.txt" -DFILES="$files" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
        -DOUTFILE="$setup" "$root/packaging/windows/zentil.nsi"
    echo "$zip ($(du -h "$zip" | cut -f1))"
    echo "$setup ($(du -h "$setup" | cut -f1))"
}

# The test programs through wine, on the offscreen platform with Wine's
# faces (MS Sans Serif, Tahoma) and the Linux tests' ones; then zentil.exe
# from the zip and from the installer on fresh Wine prefixes
# (tests/e2e/wine.sh), clicked at the places this build's layout gives.
run_tests() {
    local fonts=$build/fonts
    mkdir -p "$fonts"
    find /usr/share/wine/fonts /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/dejavu -name '*.ttf' \
        -exec ln -sf -t "$fonts" {} +
    local status=0
    export WINEPREFIX=$build/wine-tests WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    rm -rf "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1
    wineserver -w
    # Wine hands no QT_ variable to Windows programs but WINEQT_ ones, renamed.
    # Without a console Qt logs to the debugger; forced, the test output shows.
    WINEQT_QPA_FONTDIR=$(winepath -w "$fonts")
    export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR WINEQT_FORCE_STDERR_LOGGING=1
    ctest --test-dir "$build" --output-on-failure || status=1
    wine "$bin/control_table.exe" "$(winepath -w "$build/controls.txt")" || status=1
    wineserver -k || true
    unset WINEQT_QPA_PLATFORM WINEQT_QPA_FONTDIR WINEQT_FORCE_STDERR_LOGGING
    "$root/tests/e2e/wine.sh" "$zip" "$setup" "$build/controls.txt" || status=1
    return $status
}

case "${1:-all}" in
qt) build_qt ;;
build)
    install_missing "${host_packages[@]}" "${win_packages[@]}"
    build_qt
    build_zentil
    deploy
    package
    ;;
all)
    install_missing "${host_packages[@]}" "${win_packages[@]}" "${test_packages[@]}"
    build_qt
    build_zentil
    deploy
    package
    run_tests && echo "Windows tests under Wine: passed" || { echo "Windows tests under Wine: FAILED"; exit 1; }
    ;;
test)
    qt_ready || { echo "SKIP: no Qt for Windows in $cache yet; scripts/zentil.sh windows builds it (about 40 minutes)"; exit 77; }
    head=$(git -C "$root" rev-parse -q --verify HEAD) ||
        { echo "SKIP: $root is no git checkout, and the Windows tests run from a clean clone of one"; exit 77; }
    # What a new user does: clone, then scripts/zentil.sh windows. Nothing this
    # tree has built or left behind can help; changes not committed are not in it.
    fresh=$(mktemp -d)
    trap 'rm -rf "$fresh"' EXIT
    git clone -q --no-checkout "$root" "$fresh/zentil"
    git -C "$fresh/zentil" checkout -q --detach "$head"
    echo "Windows tests from a clean clone of $(git -C "$root" rev-parse --short HEAD) in $fresh/zentil"
    "$fresh/zentil/scripts/zentil.sh" windows
    ;;
*)
    echo "usage: $0 [all|qt|build|test]" >&2
    exit 2
    ;;
esac
