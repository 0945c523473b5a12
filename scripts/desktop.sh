# Sourced by the screenshot scripts: ZENTIL on a virtual X display of its own,
# with a window manager and settings of its own, at a screen scale. The X
# session and ZENTIL's controls (x_view, at, cell, list_left, listed) come
# from the tests' library, tests/e2e/xsession.sh.
#   desktop BINARY SCALE SCREEN CONTROLS
#                                  starts it; sets win, its id, and view, the
#                                  view of its controls (CONTROLS is the
#                                  build's controls.txt)
#   draw_and_list WINDOW VIEW R,C ...
#                                  turns those cells on, lists the left values
#                                  as 0x.. with commas
#   window_named TITLE PID         waits for a shown, framed and drawn window
#                                  of process PID; prints its id
#   capture WINDOW OUTPUT [SCALE W H]
#                                  the framed window, or its first W x H design
#                                  pixels and the frame's left and top edges
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/xsession.sh"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work
unset QT_QPA_PLATFORM
app=
trap 'kill $app 2>/dev/null; x_stop; rm -rf "$work"' EXIT

desktop() {
    view=$work/view
    x_view "$4" "$2" >"$view" || exit 1
    export QT_SCALE_FACTOR=$2
    x_server -screen 0 "$3" || { echo "no X server could start" >&2; exit 1; }
    x_wm || { echo "openbox did not start" >&2; exit 1; }
    "$1" >"$work/zentil.log" 2>&1 &
    app=$!
    win=$(window_named ZENTIL "$app") || { cat "$work/zentil.log" >&2; exit 1; }
}

window_named() {
    local id
    id=$(x_window "$1" "$2") && x_framed "$id" && x_still "$id" && echo "$id"
}

draw_and_list() {
    local win=$1 view=$2 cell
    shift 2
    for cell in "$@"; do
        cell "$win" "$view" "${cell%,*}" "${cell#*,}"
    done
    list_left "$win" "$view"
    listed "$win" "$view"
    xdotool mousemove 0 0
    x_still "$win"
}

capture() {
    local x y w h left top
    read -r x y w h left top < <(x_frame "$1")
    local size="${w}x$h"
    [ $# -ge 5 ] && size="$((left + $(px "$3" "$4")))x$((top + $(px "$3" "$5")))"
    import -window root -crop "$size+$x+$y" +repage "$2"
}
px() { awk -v s="$1" -v v="$2" 'BEGIN {printf "%d", v * s}'; }
