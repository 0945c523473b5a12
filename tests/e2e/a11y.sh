#!/usr/bin/env bash
# The screen reader's view: the real zentil on an X server with a window
# manager and an AT-SPI bus on a D-Bus session of its own, walked by a11y.py.
# Exits 77 (skipped) where these cannot start.
set -uo pipefail
unset QT_QPA_PLATFORM
bin=${1:?usage: a11y.sh path/to/zentil}
here=$(cd "$(dirname "$0")" && pwd)
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
for tool in Xvfb openbox xdotool xclip xprop xdpyinfo dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -n "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

if [ -z "${ZENTIL_A11Y_SESSION:-}" ]; then # a session bus of its own
    ZENTIL_A11Y_SESSION=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi
source "$here/common.sh"
xserver -screen 0 1280x1024x24
x_wm || { echo "FAILED: openbox did not start on $DISPLAY"; exit 1; }
"$launcher" --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
x_until 30 bus_up || { cat "$work/atspi.log"; echo "SKIP: the AT-SPI bus did not start"; exit 77; }
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin" >"$work/zentil.log" 2>&1 &
app=$!
pids+=($app)
win=$(x_window ZENTIL "$app") && x_framed "$win" ||
    { echo "FAILED: the window did not appear"; cat "$work/zentil.log"; exit 1; }
/usr/bin/python3 "$here/a11y.py" "$win" "$here/xsession.sh"
