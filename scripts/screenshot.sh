#!/usr/bin/env bash
# Makes the README's picture of the window: starts ZENTIL on a virtual X
# display with a window manager, draws a sample glyph, lists it, and saves the
# framed window as a PNG.
#   scripts/screenshot.sh [zentil binary] [output.png]
# Needs what the test command installs (imagemagick for the capture).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/desktop.sh
bin=${1:-build/release/zentil}
out=${2:-docs/zentil.png}
mkdir -p "$(dirname "$out")"
desktop "$bin" 1 1024x900x24

# A small arrow, then its left values listed.
draw_and_list 3,0 2,1 3,1 4,1 1,2 3,2 5,2 3,3 3,4 3,5 3,6
# The design's area and a margin; the rest of the default window is empty.
capture "$win" "$out" 520 470
echo "$out"
