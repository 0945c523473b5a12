#!/usr/bin/env bash
# The real zentil as a native Wayland client of weston. Weston runs on its X11
# back end inside Xvfb, which gives it a seat: xdotool moves the X pointer and
# types into weston's window, and weston passes that on to zentil. zentil is
# made as large as weston's output, so weston puts it at the output's corner.
# Exits 77 (skipped) where weston cannot start.
set -uo pipefail
bin=${1:?usage: wayland.sh path/to/zentil}
for tool in Xvfb weston xdotool wl-paste import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "SKIP: Qt's Wayland platform plugin (qt6-wayland) is not installed"; exit 77; }

source "$(dirname "$0")/common.sh"
export WAYLAND_DISPLAY=zentil-test
xvfb -screen 0 1024x800x24
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n' >"$work/weston.ini"
out_w=640 out_h=780
weston --backend=x11-backend.so --width=$out_w --height=$out_h --socket="$WAYLAND_DISPLAY" \
    --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
pids+=($!)
weston_win=
for _ in $(seq 100); do
    weston_win=$(xdotool search --classname '^weston' 2>/dev/null | head -1)
    [ -n "$weston_win" ] && [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -n "$weston_win" ] || { tail -5 "$work/weston.log"; echo "SKIP: weston could not start"; exit 77; }

# The window's own frame: 3 pixels at the sides, a 30-pixel title bar.
left=3 top=30
pixel() { import -window "$weston_win" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}'; }
at() { xdotool mousemove --window "$weston_win" $(($1 + left)) $(($2 + top)) click 1; sleep 0.3; }

mkdir -p "$(dirname "$store")"
printf '[Settings]\nMainLeft=1500\nMainTop=1200\nMainWidth=10000\nMainHeight=12000\n' >"$store"
echo "store before: $(grep -E '^Main' "$store" | sort | tr '\n' ' ')"

QT_QPA_PLATFORM=wayland "$bin" >"$work/zentil.log" 2>&1 &
app=$!
pids+=($app)
for _ in $(seq 100); do [ "$(pixel $((202 + left)) $((90 + top)))" == "#C0FFFF" ] && break; sleep 0.1; done
check "the window is drawn natively at the output's corner (tt0 is cyan)" "#C0FFFF" "$(pixel $((202 + left)) $((90 + top)))"

clipboard() { timeout 5 wl-paste -n; }
typical_use "wl-paste reads what was listed, CR LF included"
check "r0c0 is on (blue)" "#0000FF" "$(pixel $((203 + left)) $((123 + top)))" # clear of the pointer

# The close box of the window's own title bar.
xdotool mousemove --window "$weston_win" $((out_w - 13)) 15 click 1
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
check "closed by its close box" "ended" "$(kill -0 "$app" 2>/dev/null && echo running || echo ended)"
after=$(grep -E '^Main' "$store" | sort | tr '\n' ' ')
echo "store after: $after"
# Wayland never says where a window is: the stored position stays as it was;
# the size is what the window had, held to the output.
check "position kept, size saved" "MainHeight=11700 MainLeft=1500 MainTop=1200 MainWidth=9600 " "$after"

summary wayland
