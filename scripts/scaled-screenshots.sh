#!/usr/bin/env bash
# Pictures of ZENTIL at a screen scale (QT_SCALE_FACTOR), to look at text,
# grid lines, icon and drawing as a high-density screen shows them: the main
# window with the widest values (FFFF, FF80) in its boxes, and the About window.
#   scripts/scaled-screenshots.sh 2 [zentil binary] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:?usage: scaled-screenshots.sh scale [zentil binary] [output folder]}
bin=${2:-build/release/zentil}
out=${3:-build/screenshots}
mkdir -p "$out"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work QT_SCALE_FACTOR=$scale
unset QT_QPA_PLATFORM
export DISPLAY=:$((600 + $$ % 100))
Xvfb "$DISPLAY" -screen 0 1800x1800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5
"$bin" >/dev/null 2>&1 &
app=$!
win=
for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^ZENTIL$' 2>/dev/null | head -1) && [ -n "$win" ] && break
    sleep 0.1
done
sleep 0.5
px() { awk -v v="$1" -v s="$scale" 'BEGIN {printf "%d", v * s}'; }
at() { xdotool mousemove --window "$win" "$(px "$1")" "$(px "$2")" click 1; sleep 0.1; }

# Column entry leaves the values as they were; the next click on r0c0 then
# takes its weights away from zero: FFFF and FF80.
at 208 96
xdotool key ctrl+a type a5
xdotool click --repeat 2 --delay 80 1
sleep 0.1
at 208 128
for cell in 2,1 3,1 4,1 1,2 3,2 5,2 3,3 3,4 3,5 3,6; do
    r=${cell%,*} c=${cell#*,}
    at $((208 + 16 * c)) $((128 + 16 * r))
done
at 70 88; xdotool key Down Down     # prefix 0xff
at 70 128                           # delimiter comma
at 128 208                          # Copy beside the left values
xdotool mousemove 0 0
sleep 0.3
capture() { # window, output: the framed window as the screen shows it
    local x y w h left right top bottom
    read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    read -r w h < <(xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" "$2"
}
# The design's area of the main window (the rest of the default size is empty).
read -r x y < <(xwininfo -id "$win" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
read -r left right top bottom < <(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
import -window root -crop "$((left + $(px 505)))x$((top + $(px 455)))+$((x - left))+$((y - top))" "$out/main-$scale.png"
at 24 32                            # About
about=
for _ in $(seq 50); do
    about=$(xdotool search --onlyvisible --name '^About$' 2>/dev/null | head -1) && [ -n "$about" ] && break
    sleep 0.1
done
sleep 0.5
capture "$about" "$out/about-$scale.png"
echo "$out/main-$scale.png $out/about-$scale.png"
