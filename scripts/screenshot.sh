#!/usr/bin/env bash
# Makes the README's picture of the window: starts ZENTIL on a virtual X
# display with a window manager, draws a sample glyph, lists it, and saves the
# framed window as a PNG.
#   scripts/screenshot.sh [zentil binary] [output.png] [controls.txt]
# The controls' places are the build's table beside the binary unless given.
# Needs what the test command installs (imagemagick for the capture).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/desktop.sh
bin=${1:-build/release/zentil}
out=${2:-docs/zentil.png}
controls=${3:-$(dirname "$bin")/controls.txt}
mkdir -p "$(dirname "$out")"
desktop "$bin" 1 1024x900x24 "$controls"

# A small arrow, then its left values listed.
draw_and_list "$win" "$view" 3,0 2,1 3,1 4,1 1,2 3,2 5,2 3,3 3,4 3,5 3,6
# The design's area and a margin; the rest of the default window is empty.
capture "$win" "$out" 1 520 470
echo "$out"
