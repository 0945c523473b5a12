# Sourced by the screenshot scripts: ZENTIL on a virtual X display of its own,
# with a window manager and settings of its own, at a screen scale.
#   desktop BINARY SCALE SCREEN    starts it; sets win
#   at X Y                         clicks the window at design pixels (scaled)
#   draw_and_list R,C ...          turns those cells on, lists the left values
#                                  as 0x.. with commas
#   window_named TITLE             waits for a shown window; prints its id
#   capture WINDOW OUTPUT [W H]    the framed window, or its first W x H design
#                                  pixels and the frame's left and top edges
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work
unset QT_QPA_PLATFORM
export DISPLAY=:$((600 + $$ % 100))
app= wm= xvfb=
trap 'kill $app $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

desktop() {
    scale=$2
    export QT_SCALE_FACTOR=$scale
    Xvfb "$DISPLAY" -screen 0 "$3" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 0.5
    "$1" >/dev/null 2>&1 &
    app=$!
    win=$(window_named ZENTIL)
}

window_named() {
    local id=
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] && break
        sleep 0.1
    done
    sleep 0.5
    echo "$id"
}

draw_and_list() {
    local r c
    for cell in "$@"; do
        r=${cell%,*} c=${cell#*,}
        at $((208 + 16 * c)) $((128 + 16 * r))
    done
    at 70 88; xdotool key Down Down # prefix 0xff
    at 70 128                       # delimiter comma
    at 128 208                      # Copy beside the left values
    xdotool mousemove 0 0
    sleep 0.3
}

px() { awk -v v="$1" -v s="$scale" 'BEGIN {printf "%d", v * s}'; }
at() { xdotool mousemove --window "$win" "$(px "$1")" "$(px "$2")" click 1; sleep 0.1; }

capture() {
    local x y w h left right top bottom
    read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    read -r w h < <(xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    local size="$((w + left + right))x$((h + top + bottom))"
    [ $# -ge 4 ] && size="$((left + $(px "$3")))x$((top + $(px "$4")))"
    import -window root -crop "$size+$((x - left))+$((y - top))" +repage "$2"
}
