#!/usr/bin/env bash
# Set-up, build, run and test ZENTIL on Debian 12.
#   scripts/zentil.sh run    install what is missing, build, start ZENTIL
#   scripts/zentil.sh test   install what is missing, build, run every test headless
#   scripts/zentil.sh windows   build for Windows (zip, installer), test under Wine
set -euo pipefail
cd "$(dirname "$0")/.."

# Build and run: compiler, Qt 6, fonts close to the design's faces.
packages=(cmake g++ make qt6-base-dev libgl-dev libxcb1-dev fonts-liberation2 fonts-dejavu-core)
# Tests on a real X server, on weston (Wayland) and through AT-SPI (a screen
# reader's view), packaging checks (lintian, the manual page), the install
# test on a fresh Debian root, the fuzz programs (clang's libFuzzer).
test_packages=(xvfb openbox xdotool xclip x11-utils desktop-file-utils appstream dpkg-dev file
    lintian man-db debootstrap weston qt6-wayland wl-clipboard imagemagick at-spi2-core python3-pyatspi dbus
    clang libclang-rt-14-dev)

source scripts/install-missing.sh

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$(nproc)"
}

case "${1:-}" in
run)
    install_missing "${packages[@]}"
    build release
    exec build/release/zentil
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    build release
    # The randomized test's full soak; a plain ctest runs a short one. The
    # fuzz test builds the fuzz preset and runs each program for 20 s.
    export ZENTIL_RANDOM_SEQUENCES=200
    ctest --preset release
    # Again under AddressSanitizer and UndefinedBehaviorSanitizer; packaging
    # and installing are checked once, on the release build, and the fuzz
    # programs have sanitizers of their own.
    build asan
    ctest --preset asan --label-exclude 'packaging|install|fuzz'
    # Under Wine where Qt for Windows has been built once; never builds it here.
    status=0
    scripts/windows.sh test || status=$?
    [ "$status" -eq 77 ] || exit "$status"
    ;;
windows)
    exec scripts/windows.sh
    ;;
*)
    echo "usage: $0 run|test|windows" >&2
    exit 2
    ;;
esac
