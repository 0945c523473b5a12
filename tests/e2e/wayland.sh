#!/usr/bin/env bash
# The real zentil as a native Wayland client of weston. Weston runs on its X11
# back end inside Xvfb, which gives it a seat: xdotool moves the X pointer and
# types into weston's window, and weston passes that on to zentil. zentil is
# made as large as weston's output, so weston puts it at the output's corner.
# Exits 77 (skipped) where weston cannot start.
set -uo pipefail
usage="usage: wayland.sh path/to/zentil path/to/controls.txt"
bin=${1:?$usage} controls=${2:?$usage}
for tool in Xvfb xdpyinfo weston xdotool wl-paste import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "SKIP: Qt's Wayland platform plugin (qt6-wayland) is not installed"; exit 77; }

source "$(dirname "$0")/common.sh"
export WAYLAND_DISPLAY=zentil-test
xserver -screen 0 1024x800x24
# The pointer starts off weston's window: one already over it when weston
# starts is at times taken to be at 0,0, where a click grabs the window's
# corner. Entering the window tells weston where it is.
xdotool mousemove 1023 799
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n' >"$work/weston.ini"
out_w=640 out_h=780
weston --backend=x11-backend.so --width=$out_w --height=$out_h --socket="$WAYLAND_DISPLAY" \
    --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
weston=$!
pids+=($weston)
weston_up() {
    kill -0 "$weston" 2>/dev/null || return 2
    win=$(xdotool search --classname '^weston' 2>/dev/null | head -1)
    [ -n "$win" ] && [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]
}
x_until 30 weston_up || { tail -5 "$work/weston.log"; echo "SKIP: weston could not start"; exit 77; }

# Clicks go to weston's X window, inside which the window's own frame has 3
# pixels at the sides and a 30-pixel title bar.
view=$work/view
x_view "$controls" 1 3 30 >"$view" || exit 1
pixel() { # window control dx dy: the colour at dx dy design pixels from its top left
    local x y
    read -r x y < <(x_place "$view" "$2" "$3" "$4") || return 1
    import -window "$1" -crop "1x1+$x+$y" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}'
}

mkdir -p "$(dirname "$store")"
printf '[Settings]\nMainLeft=1500\nMainTop=1200\nMainWidth=10000\nMainHeight=12000\n' >"$store"
echo "store before: $(grep -E '^Main' "$store" | sort | tr '\n' ' ')"

QT_QPA_PLATFORM=wayland "$bin" >"$work/zentil.log" 2>&1 &
app=$!
pids+=($app)
check_until "the window is drawn natively at the output's corner (tt0 is cyan)" "#C0FFFF" pixel "$win" tt0 2 2

clipboard() { timeout 5 wl-paste -n; }
# No X window shows a box here. Weston puts it over the middle of the window,
# its text where the window itself shows nothing, and gives it the keys as it
# draws it.
box_area() { import -window "$1" -crop 70x30+300+315 -depth 8 rgb:- 2>/dev/null | md5sum; }
empty=$(box_area "$win")
box_shown() { [ "$(box_area "$1")" != "$2" ]; }
box_gone() { [ "$(box_area "$1")" == "$2" ]; }
answer_in_weston() { # window key, as answer() is called
    x_until 30 box_shown "$1" "$empty" && xdotool key "$2" && x_until 30 box_gone "$1" "$empty" && return
    failed "the box to answer with $2"
}
typical_use "wl-paste reads what was listed, CR LF included" "$win" "$view" clipboard answer_in_weston
check "r0c0 is on (blue)" "#0000FF" "$(pixel "$win" r0c0 3 3)" # clear of the pointer

# The close box of the window's own title bar.
xdotool mousemove --window "$win" $((out_w - 13)) 15 click 1
check_until "closed by its close box" ended ended "$app"
after=$(grep -E '^Main' "$store" | sort | tr '\n' ' ')
echo "store after: $after"
# Wayland never says where a window is: the stored position stays as it was;
# the size, only held to the output and never changed by the user, too.
check "position and unchanged size kept" "MainHeight=12000 MainLeft=1500 MainTop=1200 MainWidth=10000 " "$after"

summary wayland
