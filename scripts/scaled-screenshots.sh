#!/usr/bin/env bash
# Pictures of ZENTIL at a screen scale (QT_SCALE_FACTOR), to look at text,
# grid lines, icon and drawing as a high-density screen shows them: the main
# window with the widest values (FFFF, FF80) in its boxes, and the About window.
#   scripts/scaled-screenshots.sh 2 [zentil binary] [output folder] [controls.txt]
# The controls' places are the build's table beside the binary unless given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/desktop.sh
bin=${2:-build/release/zentil}
out=${3:-build/screenshots}
controls=${4:-$(dirname "$bin")/controls.txt}
scale=${1:?usage: scaled-screenshots.sh scale [zentil binary] [output folder] [controls.txt]}
mkdir -p "$out"
desktop "$bin" "$scale" 1800x1800x24 "$controls"

# Column entry leaves the values as they were; the next click on r0c0 then
# takes its weights away from zero: FFFF and FF80.
at "$win" "$view" tt0
xdotool key ctrl+a type a5
xdotool click --repeat 2 --delay 80 1
cell "$win" "$view" 0 0
draw_and_list "$win" "$view" 2,1 3,1 4,1 1,2 3,2 5,2 3,3 3,4 3,5 3,6
# The design's area of the main window (the rest of the default size is empty).
capture "$win" "$out/main-$scale.png" "$scale" 505 455
at "$win" "$view" Command11 # About
about=$(window_named About "$app")
capture "$about" "$out/about-$scale.png"
echo "$out/main-$scale.png $out/about-$scale.png"
