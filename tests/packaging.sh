#!/usr/bin/env bash
# The desktop entry and metainfo validate, the manual page renders without a
# warning, `cmake --install` puts the program, its entry and its icons where a
# desktop finds them, and CPack makes a .deb that lintian passes with no error
# or warning. Exits 77 (skipped) where a tool for these checks is missing.
set -euo pipefail
build=${1:?usage: packaging.sh build-dir}
for tool in desktop-file-validate appstreamcli man cpack dpkg-deb dpkg-parsechangelog lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
src=$(cd "$(dirname "$0")/.." && pwd)
fail=0
desktop-file-validate "$src/packaging/zentil.desktop" || fail=1
appstreamcli validate --no-net "$src/packaging/io.github.zentil.Zentil.metainfo.xml" || fail=1
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$src/packaging/zentil.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "zentil.1: $warnings"; fail=1; }

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
for f in usr/bin/zentil usr/share/applications/zentil.desktop \
         usr/share/metainfo/io.github.zentil.Zentil.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/zentil.svg usr/share/icons/hicolor/32x32/apps/zentil.png \
         usr/share/icons/hicolor/256x256/apps/zentil.png; do
    [ -e "$dest/$f" ] || { echo "not installed: $f"; fail=1; }
done

(cd "$build" && cpack -G DEB -B "$dest/deb" >/dev/null)
deb=$(ls "$dest"/deb/*.deb)
contents=$(dpkg-deb -c "$deb")
depends=$(dpkg-deb -f "$deb" Depends)
grep -q './usr/share/applications/zentil.desktop' <<<"$contents" || { echo "the .deb lacks the desktop entry"; fail=1; }
for d in libqt6widgets6 qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || { echo "the .deb does not depend on $d: $depends"; fail=1; }
done
version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-parsechangelog -l "$src/packaging/changelog" -S Version)" = "$version" ] ||
    { echo "packaging/changelog has no entry for $version"; fail=1; }
grep -q "^\.TH .*\"ZENTIL $version\"" "$src/packaging/zentil.1" || { echo "zentil.1 is not at $version"; fail=1; }
lintian --fail-on error,warning --display-info "$deb" || { echo "lintian: errors or warnings"; fail=1; }
[ $fail -eq 0 ] && echo "packaging: desktop entry, metainfo, install and .deb all good"
exit $fail
