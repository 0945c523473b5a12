#!/usr/bin/env bash
# Starts ZENTIL on a virtual X display with a window manager and saves a
# screenshot of the whole screen. Usage: scripts/screenshot.sh [binary] [out.png] [actions]
# actions: a shell snippet run with DISPLAY set once the window is up (xdotool...).
set -euo pipefail
bin=${1:-build/release/zentil}
out=${2:-docs/zentil.png}
actions=${3:-}
display=:${ZENTIL_DISPLAY:-97}
mkdir -p "$(dirname "$out")"
conf=$(mktemp -d)
Xvfb "$display" -screen 0 1024x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $wm $xvfb 2>/dev/null || true; rm -rf "$conf"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5
XDG_CONFIG_HOME=$conf "$bin" >/dev/null 2>&1 &
app=$!
for _ in $(seq 50); do xdotool search --name '^ZENTIL$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.7
if [ -n "$actions" ]; then eval "$actions"; sleep 0.5; fi
import -window root "$out"
echo "$out"
