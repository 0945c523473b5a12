#!/usr/bin/env bash
# End-to-end: the real zentil on real X servers with a window manager, driven
# by xdotool at the window's own coordinates, the clipboard read back by xclip
# from another process. Exits 77 (skipped) where no X server can start.
set -uo pipefail
unset QT_QPA_PLATFORM
usage="usage: e2e.sh path/to/zentil path/to/controls.txt [path/to/test_desktop]"
bin=${1:?$usage} controls=${2:?$usage}
desktop_test=${3:-}
for tool in Xvfb openbox xdotool xclip xwininfo xprop xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "$0")/common.sh"
view=$work/view
x_view "$controls" >"$view" || exit 1
app=
stop_app() { [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null; app=; }
trap 'stop_app; cleanup' EXIT

# A fresh X server with the given screens, managed by openbox.
xserver_with_wm() {
    stop_app
    xserver "$@"
    x_wm || { echo "FAILED: openbox did not start on $DISPLAY"; exit 1; }
}

start() {
    stop_app
    x_wm || { echo "FAILED: openbox is not running on $DISPLAY"; exit 1; }
    "$bin" >"$work/zentil.log" 2>&1 &
    app=$!
    win=$(x_window ZENTIL "$app") && x_framed "$win" ||
        { echo "FAILED: the window did not appear"; cat "$work/zentil.log"; exit 1; }
    xdotool windowactivate --sync "$win" 2>/dev/null || true
}
frame_origin() { # the outer rectangle, as the window manager shows it
    local x y w h
    read -r x y w h _ < <(x_frame "$win")
    echo "$x,$y ${w}x$h"
}
within() { # the window's outer rectangle lies on a screen of W x H
    local x y w h
    read -r x y w h _ < <(x_frame "$win")
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
# Named, but nothing answers there: what was tried, on one line.
check "a display no server answers on is told" \
    "$(printf 'ZENTIL needs a graphical desktop: no X server answers on :59\nexit 1')" \
    "$(env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE DISPLAY=:59 "$bin" 2>&1; echo "exit $?")"
check "a Wayland socket no compositor answers on is told" \
    "$(printf 'ZENTIL needs a graphical desktop: no Wayland compositor answers on wayland-9, and DISPLAY is not set\nexit 1')" \
    "$(env -u DISPLAY WAYLAND_DISPLAY=wayland-9 XDG_RUNTIME_DIR="$work" "$bin" 2>&1; echo "exit $?")"

xserver_with_wm -screen 0 1280x1024x24

# 1. The typical use, the clipboard read by xclip from another process.
start
clipboard() { xclip -o -selection clipboard; }
typical_use "clipboard after the typical use, CR LF included" "$win" "$view" clipboard answer
want=$(printf '0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n' | hex)

# Clear: Escape answers No and keeps the pane, Return takes the default, Yes.
at "$win" "$view" Command9; answer "$win" Escape   # Clear
at "$win" "$view" Command12; answer "$win" Return  # the pane's Copy
check "Clear answered No keeps the pane" "$want" "$(clipboard | hex)"
at "$win" "$view" Command9; answer "$win" Return
at "$win" "$view" Command12; answer "$win" Return
check "Clear answered Yes empties the pane" "" "$(clipboard | hex)"

# Values held by another program, pasted by Ctrl+V on the left Copy (clicked
# first to focus it, which lists the panel once): 7 are refused, a C array is
# taken, and the panel then lists it.
printf '0,18,3C,7E,FF,7E,3C' | xclip -selection clipboard
at "$win" "$view" Command4; xdotool key ctrl+v; answer "$win" Return # the left Copy
printf 'byte glyph[8] = {\n  B00111100, 0x42, 0xA5, 0x81,\n  0xA5, 0x99, 0x42, 0x3C };\n' | xclip -selection clipboard
xdotool key ctrl+v; at "$win" "$view" Command4
at "$win" "$view" Command12; answer "$win" Return  # the pane's Copy
check "a refused paste, then a C array pasted onto the left panel" \
    "$(printf '0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n0x3C,0x42,0xA5,0x81,0xA5,0x99,0x42,0x3C\r\n' | hex)" "$(clipboard | hex)"

# 2. Placement: first start at the defaults, kept as they were by a close
#    without a move; moved and closed, the next start opens where it was.
check_until "first start at 1000, 1000, 10000, 12000 twips" "67,67 667x800" frame_origin
close_box "closed by the window manager" "$win" "$app"
check "a close without a move keeps the figures" "MainHeight=12000 MainLeft=1000 MainTop=1000 MainWidth=10000 " \
    "$(stored)"
start
check_until "opens again where it was" "67,67 667x800" frame_origin
xdotool windowmove --sync "$win" 300 200
moved=$(frame_origin)
close_box "closed again after a move" "$win" "$app"
echo "saved: $(stored)"
start
check_until "reopens where it was closed" "$moved" frame_origin

# 3. Exit saves nothing: move again, leave by Exit, the store is unchanged.
before=$(cat "$store")
xdotool windowmove --sync "$win" 500 400
at "$win" "$view" Command10 # Exit
check_until "Exit ends the program" ended ended "$app"
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
check_until "a huge stored size is held to the screen, and seen whole" "0,0 1280x1024" frame_origin
close_box "a huge window still closes" "$win" "$app"
check "unmoved, it keeps the stored figures" "MainHeight=500000 MainLeft=1000 MainTop=1000 MainWidth=500000 " "$(stored)"
export QT_SCALE_FACTOR=3
start
check_until "at scale 3 too, never larger than the screen" yes within 1280 1024
close_box "closed at scale 3" "$win" "$app"
unset QT_SCALE_FACTOR
store -1500 -1500 10000 12000
start
check_until "a title bar above the screen is brought onto it" "0,0 667x800" frame_origin
close_box "closed once brought back" "$win" "$app"

xserver_with_wm -screen 0 640x480x24
store -900000 -900000 10000 12000
start
check_until "brought back whole onto a 640x480 screen" yes within 640 480
close_box "closed on the small screen" "$win" "$app"
check "unmoved there, it keeps the stored figures" "MainHeight=12000 MainLeft=-900000 MainTop=-900000 MainWidth=10000 " \
    "$(stored)"

xserver_with_wm -screen 0 800x600x24 -screen 1 1920x1080x24
store 15000 3000 9000 7500
start
check_until "a place only a second X screen shows opens on the first" yes within 800 600
close_box "closed on the first X screen" "$win" "$app"

# 6. A full or read-only file system under the store is told as the cause: a
#    tmpfs over the store's folder, mounted for the program alone (root only).
if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
    real=$bin bin=$work/on-tmpfs
    printf '%s\n' '#!/bin/sh' '[ -n "$in_ns" ] || in_ns=1 exec unshare -m "$0"' \
        'mount -t tmpfs -o size=8k zentil "$folder" || exit 1' \
        'if [ "$fs" = full ]; then cat /dev/zero >"$folder/fill" 2>/dev/null; else mount -o remount,ro "$folder"; fi' \
        'exec "$real"' >"$bin"
    chmod +x "$bin"
    export real folder=${store%/*} fs
    for fs in full read-only; do
        start
        close_box "closed on a $fs file system" "$win" "$app"
        [ $fs = full ] && cause="no space is left" || cause="its file system is read-only"
        check "a $fs file system is named" 1 "$(grep -c "lock file .* cannot be made: $cause" "$work/zentil.log")"
    done
    bin=$real
else
    echo "skipped: full and read-only file systems (they need root to mount)"
fi

summary e2e
