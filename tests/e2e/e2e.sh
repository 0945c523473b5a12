#!/usr/bin/env bash
# End-to-end: the real zentil on real X servers with a window manager, driven
# by xdotool at the window's own coordinates, the clipboard read back by xclip
# from another process. Exits 77 (skipped) where no X server can start.
set -uo pipefail
unset QT_QPA_PLATFORM
bin=${1:?usage: e2e.sh path/to/zentil [path/to/test_desktop]}
desktop_test=${2:-}
for tool in Xvfb openbox xdotool xclip xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "$0")/common.sh"
xvfb_pid=
wm=
app=
stop_xserver() {
    kill $app $wm $xvfb_pid 2>/dev/null
    wait 2>/dev/null
    app= wm= xvfb_pid=
}
trap 'stop_xserver; cleanup' EXIT

# A fresh X server with the given screens, managed by openbox.
xserver() {
    stop_xserver
    xvfb "$@"
    # Now and then openbox cannot open a display that has just come up; it
    # has to be running, and stay so, before anything is started on it.
    for _ in 1 2 3; do
        openbox >"$work/openbox.log" 2>&1 &
        wm=$!
        for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
        sleep 0.3
        kill -0 "$wm" 2>/dev/null && return
        echo "openbox did not start on $DISPLAY: $(cat "$work/openbox.log")"
    done
}

start() {
    "$bin" >"$work/zentil.log" 2>&1 &
    app=$!
    zentil_window
    # Framed by the window manager, its placement settled.
    for _ in $(seq 100); do xprop -id "$win" _NET_FRAME_EXTENTS | grep -q = && break; sleep 0.1; done
    sleep 0.5
    xdotool windowactivate --sync "$win" 2>/dev/null || true
}
close_box() { # as the window manager's close box does
    xdotool windowactivate --sync "$win" 2>/dev/null
    xdotool key alt+F4
    for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    check "$1" "ended" "$(kill -0 "$app" 2>/dev/null && echo running || echo ended)"
}
at() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.15; }
frame_origin() { # the outer rectangle, as the window manager shows it
    local x y w h left right top bottom
    x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$win" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$win" | awk '/Height:/ {print $2}')
    read -r left right top bottom < <(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - left)),$((y - top)) $((w + left + right))x$((h + top + bottom))"
}
within() { # the window's outer rectangle lies on a screen of W x H
    local x y w h
    IFS=', x' read -r x y w h <<<"$(frame_origin)"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$1" ] && [ $((y + h)) -le "$2" ] && echo yes ||
        echo "no: $(frame_origin)"
}
stored() { grep -E '^Main' "$store" 2>/dev/null | sort | tr '\n' ' '; }
store() { # left top width height
    mkdir -p "$(dirname "$store")"
    printf '[Settings]\nMainLeft=%s\nMainTop=%s\nMainWidth=%s\nMainHeight=%s\n' "$@" >"$store"
}

# No display at all: one line that says so, and a failing exit.
check "no display is told on one line" \
    "$(printf 'ZENTIL needs a graphical desktop: no X11 or Wayland display was found\nexit 1')" \
    "$(env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE "$bin" 2>&1; echo "exit $?")"

xserver -screen 0 1280x1024x24

# 1. The typical use, the clipboard read by xclip from another process.
start
clipboard() { xclip -o -selection clipboard; }
typical_use "clipboard after the typical use, CR LF included"
want=$(printf '0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n' | od -An -tx1 | tr -d ' \n')

# Clear: Escape answers No and keeps the pane, Return takes the default, Yes.
at 152 392; sleep 0.4; xdotool key Escape; sleep 0.3
at 48 392; sleep 0.4; xdotool key Return; sleep 0.3
check "Clear answered No keeps the pane" "$want" "$(xclip -o -selection clipboard | od -An -tx1 | tr -d ' \n')"
at 152 392; sleep 0.4; xdotool key Return; sleep 0.3
at 48 392; sleep 0.4; xdotool key Return; sleep 0.3
check "Clear answered Yes empties the pane" "" "$(xclip -o -selection clipboard | od -An -tx1 | tr -d ' \n')"

# 2. Placement: first start at the defaults, kept as they were by a close
#    without a move; moved and closed, the next start opens where it was.
check "first start at 1000, 1000, 10000, 12000 twips" "67,67 667x800" "$(frame_origin)"
close_box "closed by the window manager"
check "a close without a move keeps the figures" "MainHeight=12000 MainLeft=1000 MainTop=1000 MainWidth=10000 " \
    "$(stored)"
start
xdotool windowmove "$win" 300 200
sleep 0.5
moved=$(frame_origin)
close_box "closed again after a move"
echo "saved: $(stored)"
start
check "reopens where it was closed" "$moved" "$(frame_origin)"

# 3. Exit saves nothing: move again, leave by Exit, the store is unchanged.
before=$(cat "$store")
xdotool windowmove "$win" 500 400
sleep 0.3
at 392 392                          # Exit
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
check "Exit ends the program" "ended" "$(kill -0 "$app" 2>/dev/null && echo running || echo ended)"
check "Exit saves nothing" "$before" "$(cat "$store")"

# 4. A clipboard that another program takes back is not reported as written.
if [ -n "$desktop_test" ]; then
    QT_QPA_PLATFORM=xcb "$desktop_test" >"$work/desktop.log" 2>&1
    check "the desktop test passes" 0 $?
    grep -E '^(PASS|FAIL|SKIP|Totals)' "$work/desktop.log" || cat "$work/desktop.log"
fi

# 5. Stored figures that would not fit any screen.
store 1000 1000 500000 500000
start
check "a huge stored size is held to the screen" "67,67 1280x1024" "$(frame_origin)"
close_box "a huge window still closes"
check "and saves what it showed" "MainHeight=15360 MainLeft=1000 MainTop=1000 MainWidth=19200 " "$(stored)"

xserver -screen 0 640x480x24
store -900000 -900000 10000 12000
start
check "brought back whole onto a 640x480 screen" yes "$(within 640 480)"
close_box "closed on the small screen"

xserver -screen 0 800x600x24 -screen 1 1920x1080x24
store 15000 3000 9000 7500
start
check "a place only a second X screen shows opens on the first" yes "$(within 800 600)"
close_box "closed on the first X screen"

summary e2e
