#!/usr/bin/env bash
# The screen reader's view: the real zentil on an X server with a window
# manager and an AT-SPI bus on a D-Bus session of its own, walked by a11y.py.
# Exits 77 (skipped) where these cannot start.
set -uo pipefail
unset QT_QPA_PLATFORM
bin=${1:?usage: a11y.sh path/to/zentil}
here=$(cd "$(dirname "$0")" && pwd)
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
for tool in Xvfb openbox xdotool xclip dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -n "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

if [ -z "${ZENTIL_A11Y_SESSION:-}" ]; then # a session bus of its own
    ZENTIL_A11Y_SESSION=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi
source "$here/common.sh"
xvfb -screen 0 1280x1024x24
openbox >/dev/null 2>&1 &
pids+=($!)
"$launcher" --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
sleep 0.5
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin" >"$work/zentil.log" 2>&1 &
pids+=($!)
zentil_window
/usr/bin/python3 "$here/a11y.py" "$win"
