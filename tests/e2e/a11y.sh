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
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DISPLAY=:$((500 + $$ % 100))
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "SKIP: no X server could start"; exit 77; }
openbox >/dev/null 2>&1 &
pids+=($!)
"$launcher" --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
sleep 0.5
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin" >"$work/zentil.log" 2>&1 &
pids+=($!)
win=
for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^ZENTIL$' 2>/dev/null | head -1)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "FAILED: the window did not appear"; cat "$work/zentil.log"; exit 1; }
/usr/bin/python3 "$here/a11y.py" "$win"
