#!/usr/bin/env bash
# Makes the README's picture of the window: starts ZENTIL on a virtual X
# display with a window manager, draws a sample glyph, lists it, and saves the
# framed window as a PNG.
#   scripts/screenshot.sh [zentil binary] [output.png]
# Needs what the test command installs, plus imagemagick for the capture.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/release/zentil}
out=${2:-docs/zentil.png}
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work
unset QT_QPA_PLATFORM
export DISPLAY=:$((700 + $$ % 200))
Xvfb "$DISPLAY" -screen 0 1024x900x24 -nolisten tcp >/dev/null 2>&1 &
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
at() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.05; }

# A small arrow, then its left values listed as 0x.. with commas.
for cell in 3,0 2,1 3,1 4,1 1,2 3,2 5,2 3,3 3,4 3,5 3,6; do
    r=${cell%,*} c=${cell#*,}
    at $((208 + 16 * c)) $((128 + 16 * r))
done
at 70 88; xdotool key Down Down     # prefix 0xff
at 70 128                           # delimiter comma
at 128 208                          # Copy beside the left values
xdotool mousemove 0 0
sleep 0.3

read -r x y < <(xwininfo -id "$win" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
read -r w h < <(xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
read -r left right top bottom < <(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
# The design's area and a margin; the rest of the default window is empty.
import -window root -crop "$((left + 520))x$((top + 470))+$((x - left))+$((y - top))" "$out"
echo "$out"
