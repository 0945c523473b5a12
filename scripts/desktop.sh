# Sourced by the screenshot scripts: ZENTIL on a virtual X display of its own,
# with a window manager and settings of its own, at a screen scale. The X
# session and ZENTIL's controls (at, cell, list_left) come from the tests'
# library, tests/e2e/xsession.sh.
#   desktop BINARY SCALE SCREEN    starts it; sets win
#   draw_and_list R,C ...          turns those cells on, lists the left values
#                                  as 0x.. with commas
#   window_named TITLE             waits for a shown, framed and drawn window;
#                                  prints its id
#   capture WINDOW OUTPUT [W H]    the framed window, or its first W x H design
#                                  pixels and the frame's left and top edges
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/xsession.sh"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work
unset QT_QPA_PLATFORM
app=
trap 'kill $app 2>/dev/null; x_stop; rm -rf "$work"' EXIT

desktop() {
    scale=$2
    export QT_SCALE_FACTOR=$scale
    x_server -screen 0 "$3" || { echo "no X server could start" >&2; exit 1; }
    x_wm || { echo "openbox did not start" >&2; exit 1; }
    "$1" >"$work/zentil.log" 2>&1 &
    app=$!
    win=$(window_named ZENTIL) || { cat "$work/zentil.log" >&2; exit 1; }
}

window_named() {
    local id
    id=$(x_window "$1" "$app") && x_framed "$id" && x_still "$id" && echo "$id"
}

draw_and_list() {
    local r c
    for cell in "$@"; do
        r=${cell%,*} c=${cell#*,}
        cell "$r" "$c"
    done
    list_left
    listed
    xdotool mousemove 0 0
    x_still "$win"
}

capture() {
    local x y w h left top
    read -r x y w h left top < <(x_frame "$1")
    local size="${w}x$h"
    [ $# -ge 4 ] && size="$((left + $(px "$3")))x$((top + $(px "$4")))"
    import -window root -crop "$size+$x+$y" +repage "$2"
}
px() { awk -v v="$1" -v s="$scale" 'BEGIN {printf "%d", v * s}'; }
