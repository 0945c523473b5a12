#!/usr/bin/env bash
# ZENTIL for Windows x86-64, cross-built on Debian 12 with MinGW-w64.
#   scripts/windows.sh          Qt (built once, then cached), ZENTIL, zip, installer, tests under Wine
#   scripts/windows.sh qt       only the cached Qt
#   scripts/windows.sh test     only the tests under Wine; exits 77 while the cached Qt is missing
# ZENTIL_JOBS sets the parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${ZENTIL_JOBS:-$(nproc)}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zentil
toolchain=$root/packaging/windows/mingw-w64-x86_64.cmake
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# Qt's own tools (moc, rcc, uic) run from the host's Qt, which must be the
# same version as the Qt built for Windows.
host_packages=(cmake ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev)
win_packages=(g++-mingw-w64-x86-64-posix nsis wine wine64 zip unzip)
test_packages=(xvfb openbox xdotool x11-utils imagemagick fonts-liberation2 fonts-dejavu-core)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

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

qt_deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
qt_version=${qt_deb_version%%[+-]*}
qt_key=$(printf '%s\n' "$qt_deb_version" "${qt_options[@]}" | cat - "$toolchain" | sha256sum | cut -c1-12)
qt_prefix=$cache/qt-win64-$qt_version-$qt_key
# Written last: a prefix without it is a build that did not finish.
qt_stamp=$qt_prefix/.complete

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
    qt_deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    qt_version=${qt_deb_version%%[+-]*}
    local src=$cache/src/qt6-base-${qt_deb_version%-*}
    local build=$cache/build-qt-win64-$qt_version-$qt_key
    local log=$cache/qt-win64-$qt_version-$qt_key.log
    echo "Building Qt $qt_version for Windows once, into $qt_prefix (about an hour on 2 cores; log: $log)"
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
    rm -rf "$build" "$src"
}

case "${1:-all}" in
qt) build_qt ;;
*)
    echo "usage: $0 [qt]" >&2
    exit 2
    ;;
esac
