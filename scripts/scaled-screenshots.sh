#!/usr/bin/env bash
# Pictures of ZENTIL at a screen scale (QT_SCALE_FACTOR), to look at text,
# grid lines, icon and drawing as a high-density screen shows them: the main
# window with the widest values (FFFF, FF80) in its boxes, and the About window.
#   scripts/scaled-screenshots.sh 2 [zentil binary] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/desktop.sh
bin=${2:-build/release/zentil}
out=${3:-build/screenshots}
mkdir -p "$out"
desktop "$bin" "${1:?usage: scaled-screenshots.sh scale [zentil binary] [output folder]}" 1800x1800x24

# Column entry leaves the values as they were; the next click on r0c0 then
# takes its weights away from zero: FFFF and FF80.
at 208 96
xdotool key ctrl+a type a5
xdotool click --repeat 2 --delay 80 1
at 208 128
draw_and_list 2,1 3,1 4,1 1,2 3,2 5,2 3,3 3,4 3,5 3,6
# The design's area of the main window (the rest of the default size is empty).
capture "$win" "$out/main-$scale.png" 505 455
at 24 32                            # About
about=$(window_named About)
capture "$about" "$out/about-$scale.png"
echo "$out/main-$scale.png $out/about-$scale.png"
