# Sourced by every script that starts an X server: the end-to-end tests, the
# install test and the screenshot scripts. Sourcing it starts nothing; each
# function takes what it uses as arguments, and the library keeps its own
# state (the server, the window manager, a folder for their logs) until x_stop.
#
#   x_until SECONDS COMMAND...  runs COMMAND until it succeeds; fails after
#                               SECONDS, or at once when COMMAND returns 2
#   x_server XVFB-ARGUMENTS...  an Xvfb on a display it finds free, answering
#                               clients; sets DISPLAY
#   x_wm                        openbox managing the display, started (again)
#                               unless it already does
#   x_stop                      ends the window manager and the X server
#   x_window TITLE [PID]        prints the id of the shown window titled TITLE
#                               (gives up early once process PID has ended)
#   x_framed WINDOW             waits until the window manager has framed it
#   x_frame WINDOW              prints the framed window's outer rectangle and
#                               the frame's left and top edges: x y w h left top
#   x_box WINDOW                waits until a box of WINDOW is the active
#                               window; prints its id
#   x_answer WINDOW KEY         answers that box with KEY, waits until it is gone
#   x_still WINDOW              waits until WINDOW is drawn and holds still
#
# ZENTIL's own controls by object name, at the places that the table
# controls.txt of a build gives (written by control_table from the real
# layout, in design pixels), on a window shown at a screen scale whose
# controls are moved by insets (a frame drawn by the program itself):
#   x_view TABLE [SCALE [LEFT TOP]]  prints a view: the table for that window
#   x_place VIEW NAME [DX DY]   prints the window pixel of a control's centre,
#                               or of DX DY design pixels from its top left
#   x_crop VIEW NAME DX DY W H  ImageMagick's geometry of W x H design pixels
#                               at DX DY from a control's top left
#   at WINDOW VIEW NAME         clicks a control's centre
#   cell WINDOW VIEW ROW COLUMN clicks a cell, counted from 0
#   list_left WINDOW VIEW       the usual listing: prefix 0xff, delimiter comma,
#                               Copy beside the left values
#   listed WINDOW VIEW          waits until the output pane shows a listing

x_wm_pid=
x_server_pid=
x_logs=

x_until() {
    local end=$((SECONDS + $1)) status
    shift
    while true; do
        "$@" && return 0 || status=$? # a condition, also for callers under set -e
        [ $status -eq 2 ] && return 1
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1 # the interval between two looks
    done
}

x_server() {
    x_stop
    x_logs=$(mktemp -d)
    # -noreset: the server would otherwise start over each time its last client
    # leaves, refusing whoever connects meanwhile, as openbox just after a look
    # with xprop.
    Xvfb -displayfd 9 -nolisten tcp -noreset "$@" 9>"$x_logs/display" >"$x_logs/xvfb.log" 2>&1 &
    x_server_pid=$!
    if ! x_until 20 _x_display_named || ! x_until 20 _x_display_answers; then
        cat "$x_logs/xvfb.log"
        return 1
    fi
}
_x_display_named() {
    kill -0 "$x_server_pid" 2>/dev/null || return 2
    [ -s "$x_logs/display" ] || return 1
    export DISPLAY=:$(head -1 "$x_logs/display")
}
_x_display_answers() {
    kill -0 "$x_server_pid" 2>/dev/null || return 2
    xdpyinfo >/dev/null 2>&1
}

x_wm() {
    _x_wm_up && return 0
    [ -n "$x_logs" ] || { echo "x_wm: no X server started by x_server" >&2; return 1; }
    local try
    for try in 1 2 3; do
        [ -n "$x_wm_pid" ] && kill "$x_wm_pid" 2>/dev/null && wait "$x_wm_pid" 2>/dev/null
        openbox >"$x_logs/openbox.log" 2>&1 &
        x_wm_pid=$!
        x_until 20 _x_wm_up && return 0
        echo "openbox did not come up on $DISPLAY (try $try): $(cat "$x_logs/openbox.log")" >&2
    done
    return 1
}
# It runs, and manages the screen: the root names its check window, and that
# window names itself (a property left by one that died names no window).
_x_wm_up() {
    local check
    [ -n "$x_wm_pid" ] && kill -0 "$x_wm_pid" 2>/dev/null || return 2
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*') || return 1
    [ "$(xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*')" = "$check" ]
}

x_stop() {
    local pids=() pid
    for pid in "$x_wm_pid" "$x_server_pid"; do [ -z "$pid" ] || pids+=("$pid"); done
    if [ ${#pids[@]} -gt 0 ]; then
        kill "${pids[@]}" 2>/dev/null
        wait "${pids[@]}" 2>/dev/null
    fi
    [ -z "$x_logs" ] || rm -rf "$x_logs"
    x_wm_pid= x_server_pid= x_logs=
}

x_window() { x_until 60 _x_shown "$@"; }
_x_shown() {
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && echo "$id" && return 0
    [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || return 2
    return 1
}

x_framed() { x_until 30 _x_framed "$1"; }
_x_framed() { [[ "$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null)" == *=* ]]; }

x_frame() {
    local x y w h left right top bottom
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}')
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom)) $left $top"
}

x_box() { x_until 30 _x_box "$1"; }
# The window manager gives a new box the focus, so keys go to it.
_x_box() {
    local active
    active=$(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | grep -o '0x[0-9a-f]*') || return 1
    [ $((active)) -ne 0 ] || return 1
    local owner
    owner=$(xprop -id "$active" WM_TRANSIENT_FOR 2>/dev/null | grep -o '0x[0-9a-f]*') || return 1
    [ $((owner)) -eq $(($1)) ] && echo $((active))
}

x_answer() {
    local box
    box=$(x_box "$1") || { echo "no box of window $1 came" >&2; return 1; }
    xdotool key "$2"
    x_until 30 _x_gone "$box" || { echo "box $box is still there after $2" >&2; return 1; }
}
_x_gone() { [[ "$(xwininfo -id "$1" 2>/dev/null)" != *IsViewable* ]]; }

x_still() { x_until 30 _x_still "$1"; }
# Drawn (more than one colour) and holding still: the same in two looks.
_x_still() {
    local before count
    before=$(_x_picture "$1")
    count=${before%% *}
    [ "${count:-0}" -gt 1 ] || return 1
    # No condition says that a program has drawn its last: holding still means
    # no change for this long.
    sleep 0.2
    [ "$(_x_picture "$1")" = "$before" ]
}
_x_picture() { import -window "$1" -format '%k %#' info: 2>/dev/null; }

x_view() {
    [ -s "$1" ] || { echo "no table of the controls' places at $1: build the target control_table" >&2; return 1; }
    echo "scale ${2:-1} ${3:-0} ${4:-0}"
    cat "$1"
}
x_place() {
    awk -v name="$2" -v dx="${3:-}" -v dy="${4:-}" '
        NR == 1 { s = $2; l = $3; t = $4; next }
        $1 == name {
            if (dx == "") { x = $2; y = $3 } else { x = $4 + dx; y = $5 + dy }
            printf "%d %d\n", x * s + l, y * s + t
            found = 1
            exit
        }
        END { if (!found) { print "no control named " name > "/dev/stderr"; exit 1 } }' "$1"
}
x_crop() {
    local x y
    read -r x y < <(x_place "$1" "$2" "$3" "$4") || return 1
    awk -v w="$5" -v h="$6" -v s="$(awk 'NR == 1 { print $2 }' "$1")" -v x="$x" -v y="$y" \
        'BEGIN { printf "%dx%d+%d+%d", w * s, h * s, x, y }'
}

# No pause between clicks: the X server hands them to the program in order.
at() {
    local x y
    read -r x y < <(x_place "$2" "$3") || return 1
    xdotool mousemove --window "$1" "$x" "$y" click 1
}
cell() { at "$1" "$2" "r${3}c$4"; }
list_left() {
    at "$1" "$2" List1      # the prefix list
    xdotool key Down Down   # none -> $ff -> 0xff
    at "$1" "$2" List2      # the delimiter list, whose first entry is the comma
    at "$1" "$2" Command4   # Copy beside the left values
}
listed() { x_until 30 _listed "$1" "$2"; }
# More than the white of an empty pane where its first line is.
_listed() {
    local area colours
    area=$(x_crop "$2" Text1 4 2 96 12) || return 2
    colours=$(import -window "$1" -crop "$area" -format '%k' info: 2>/dev/null)
    [ "${colours:-1}" -gt 1 ]
}
