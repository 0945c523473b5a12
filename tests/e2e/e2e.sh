#!/usr/bin/env bash
# End-to-end: the real zentil on a real X server with a window manager, driven
# by xdotool at the window's own coordinates, the clipboard read back by xclip
# from another process. Exits 77 (skipped) where no X server can start.
set -uo pipefail
unset QT_QPA_PLATFORM
bin=${1:?usage: e2e.sh path/to/zentil}
for tool in Xvfb openbox xdotool xclip xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
display_number=$((200 + $$ % 500))
export DISPLAY=:$display_number
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
xwininfo -root >/dev/null 2>&1 || { echo "SKIP: no X server could start"; exit 77; }
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

failures=0
checks=0
check() { # name expected actual
    checks=$((checks + 1))
    if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}

start() {
    "$bin" >"$work/zentil.log" 2>&1 &
    app=$!
    pids+=($app)
    win=
    for _ in $(seq 100); do
        win=$(xdotool search --onlyvisible --name '^ZENTIL$' 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.1
    done
    [ -n "$win" ] || { echo "FAILED: the window did not appear"; cat "$work/zentil.log"; exit 1; }
    sleep 0.5
    xdotool windowactivate --sync "$win" 2>/dev/null || true
}
at() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.15; }
frame_origin() { # the outer rectangle, as the window manager shows it
    local x y w h left right top bottom
    x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$win" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$win" | awk '/Height:/ {print $2}')
    read -r left right top bottom < <(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - left)),$((y - top)) $((w + left + right))x$((h + top + bottom))"
}

# 1. The typical use: r0c0, prefix 0xff, delimiter comma, Copy left, pane Copy.
start
at 208 128                          # r0c0
at 70 88; xdotool key Down Down     # List1: none -> $ff -> 0xff
at 70 128                           # List2: comma
at 128 208                          # Copy beside the left panel
at 48 392                           # the pane's Copy
sleep 0.5
xdotool key Return                  # "Cliboard now has the text"
sleep 0.3
clip=$(xclip -o -selection clipboard | od -An -tx1 | tr -d ' \n')
want=$(printf '0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n' | od -An -tx1 | tr -d ' \n')
check "clipboard after the typical use, CR LF included" "$want" "$clip"

# Clear: Escape answers No and keeps the pane, Return takes the default, Yes.
at 152 392; sleep 0.4; xdotool key Escape; sleep 0.3
at 48 392; sleep 0.4; xdotool key Return; sleep 0.3
check "Clear answered No keeps the pane" "$want" "$(xclip -o -selection clipboard | od -An -tx1 | tr -d ' \n')"
at 152 392; sleep 0.4; xdotool key Return; sleep 0.3
at 48 392; sleep 0.4; xdotool key Return; sleep 0.3
check "Clear answered Yes empties the pane" "" "$(xclip -o -selection clipboard | od -An -tx1 | tr -d ' \n')"

# 2. Placement: first start at the defaults; moved and closed by the close box,
#    the next start opens where it was.
check "first start at 1000, 1000, 10000, 12000 twips" "66,66 666x800" "$(frame_origin)"
xdotool windowmove "$win" 300 200
sleep 0.5
moved=$(frame_origin)
xdotool key alt+F4
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
check "closed by the window manager" "ended" "$(kill -0 "$app" 2>/dev/null && echo running || echo ended)"
saved=$(grep -E '^Main' "$XDG_CONFIG_HOME/ZENTIL/ZENTIL.conf" 2>/dev/null | tr '\n' ' ')
echo "saved: $saved"
start
check "reopens where it was closed" "$moved" "$(frame_origin)"

# 3. Exit saves nothing: move again, leave by Exit, the store is unchanged.
before=$(cat "$XDG_CONFIG_HOME/ZENTIL/ZENTIL.conf")
xdotool windowmove "$win" 500 400
sleep 0.3
at 392 392                          # Exit
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
check "Exit ends the program" "ended" "$(kill -0 "$app" 2>/dev/null && echo running || echo ended)"
check "Exit saves nothing" "$before" "$(cat "$XDG_CONFIG_HOME/ZENTIL/ZENTIL.conf")"

echo "e2e: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
