#!/usr/bin/env bash
# The .deb on a clean Debian 12: a minimal root made by debootstrap gets the
# package by `apt-get install ./zentil_*.deb` (recommends as apt's default), the
# desktop entry's Exec line is run inside the root against an Xvfb outside it
# until a window titled ZENTIL shows, then the package is purged and none of
# its files may remain. Prints what apt brought in. Exits 77 (skipped) where no
# such root can be made. The bare root is kept as a tarball, and downloaded
# packages in a folder, under ${XDG_CACHE_HOME:-~/.cache}/zentil.
set -uo pipefail
build=${1:?usage: install.sh build-dir}
mirror=http://deb.debian.org/debian
skip() { echo "SKIP: $*"; exit 77; }
source "$(dirname "$0")/e2e/xsession.sh"
die() { echo "FAILED: $*"; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "making a Debian root needs root"
for tool in debootstrap wget Xvfb xdotool xdpyinfo unshare flock cpack; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
wget -q -T 15 -t 2 -O /dev/null "$mirror/dists/bookworm/InRelease" || skip "$mirror cannot be reached"
# Everything mounted below lives in a mount namespace of its own, so no mount
# outlives the test, however it ends.
if [ -z "${ZENTIL_INSTALL_NS:-}" ]; then
    unshare --mount --propagation private true 2>/dev/null || skip "no mount namespace can be made"
    ZENTIL_INSTALL_NS=1 exec unshare --mount --propagation private "$0" "$@"
fi

arch=$(dpkg --print-architecture)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zentil
tarball=$cache/bookworm-minbase-$arch.tar.gz
mkdir -p "$cache/apt-archives/partial" || skip "cannot write $cache"
exec 9>"$cache/lock"
flock 9 # one run at a time uses the cache

work=$(mktemp -d /var/tmp/zentil-install.XXXXXX)
root=$work/root
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    for p in /proc/[0-9]*; do # anything else still running inside the root
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    x_stop
    wait 2>/dev/null
    umount "$root/var/cache/apt/archives" "$root/proc" 2>/dev/null
    if findmnt -rn -o TARGET | grep -q "^$work"; then
        echo "still mounted under $work; left in place"
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
root_env=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive)
[ -n "${http_proxy:-}" ] && root_env+=("http_proxy=$http_proxy") # apt in the root goes the same way
in_root() { chroot "$root" /usr/bin/env -i "${root_env[@]}" "$@"; }
start=$SECONDS

mkdir "$root"
if [ -f "$tarball" ]; then
    tar --numeric-owner -xzf "$tarball" -C "$root" || die "cannot unpack $tarball"
    echo "root: unpacked from $tarball"
else
    echo "root: debootstrap --variant=minbase bookworm (kept for later runs)"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
        { tail -n 20 "$work/debootstrap.log"; skip "debootstrap could not make the root"; }
    tar --numeric-owner --exclude='./var/cache/apt/archives/*.deb' -czf "$tarball.new" -C "$root" . &&
        mv "$tarball.new" "$tarball"
fi
mount -t proc proc "$root/proc" || die "cannot mount /proc in the root"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives" || die "cannot mount the package cache"
# No service starts inside the root; dpkg skips its syncs (the root is thrown away).
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" && chmod 755 "$root/usr/sbin/policy-rc.d"
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io"

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || die "cpack could not make the .deb"
deb=$(basename "$(ls "$work"/deb/zentil_*.deb)")
cp "$work/deb/$deb" "$root/tmp/" && chmod 644 "$root/tmp/$deb"

in_root apt-get -q update >"$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log"; skip "apt-get update failed in the root"; }
in_root dpkg-query -W -f '${Package}\n' | sort >"$work/before"
echo "apt-get install ./$deb"
in_root sh -c "cd /tmp && apt-get -q -y install ./$deb" >"$work/apt.log" 2>&1 ||
    { tail -n 40 "$work/apt.log"; die "apt-get install ./$deb failed"; }
in_root dpkg-query -W -f '${Package}\n' | sort >"$work/after"
added=$(comm -13 "$work/before" "$work/after")
echo "apt-get brought in $(wc -l <<<"$added") packages:"
tr '\n' ' ' <<<"$added" | fold -s -w 100 | sed 's/^/    /'
echo
for r in $(dpkg-deb -f "$work/deb/$deb" Recommends | tr -d ','); do
    grep -qx "$r" <<<"$added" && echo "recommended and installed: $r"
done

# Start the program the way the desktop does, from its entry's Exec line.
entry=$root/usr/share/applications/zentil.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1 | sed 's/ *%[fFuUick]//g')
[ -n "$exec_line" ] || die "no Exec line in the installed desktop entry"
x_server -screen 0 1280x1024x24 || skip "Xvfb could not start"
mkdir -m 700 "$root/tmp/runtime"
echo "starting in the root: $exec_line"
chroot "$root" /usr/bin/env -i "${root_env[@]}" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR=/tmp/runtime \
    sh -c "exec $exec_line" >"$work/zentil.log" 2>&1 &
app=$!
win=$(x_window ZENTIL "$app") || { cat "$work/zentil.log"; die "no window titled ZENTIL appeared"; }
[ "$(xdotool getwindowpid "$win")" = "$app" ] || die "the ZENTIL window is not the installed program's"
echo "ok: window $win titled ZENTIL, $(xdotool getwindowgeometry "$win" | sed -n 's/ *Geometry: //p') pixels"
kill "$app" && wait "$app" 2>/dev/null
app=
[ -s "$work/zentil.log" ] && sed 's/^/    zentil: /' "$work/zentil.log"

# Purge: every file the package listed goes.
in_root dpkg -L zentil >"$work/listed" || die "dpkg -L zentil failed"
while read -r path; do
    [ -f "$root$path" ] || [ -L "$root$path" ] && echo "$path"
done <"$work/listed" >"$work/files"
in_root apt-get -q -y purge zentil >"$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log"; die "apt-get purge zentil failed"; }
left=$(while read -r path; do [ -e "$root$path" ] || [ -L "$root$path" ] && echo "$path"; done <"$work/files")
[ -z "$left" ] || die "left behind after the purge: $left"
echo "ok: purged; none of its $(wc -l <"$work/files") files remain"
in_root apt-get -q autoclean >/dev/null 2>&1 # drop cached packages the mirror no longer has
echo "install: passed in $((SECONDS - start)) s, cleaning up"
