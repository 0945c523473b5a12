# Sourced by the end-to-end scripts: a work folder with the program's own
# settings, the processes to end, the checks and their count, and the typical
# use as a user clicks it, through the script's own at() and clipboard().

work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
store=$XDG_CONFIG_HOME/ZENTIL/ZENTIL.conf
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

failures=0
checks=0
check() { # name expected actual
    checks=$((checks + 1))
    if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
summary() { # name
    echo "$1: $((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}

# An Xvfb with the given screens on a display it finds free; sets DISPLAY and
# xvfb_pid. Exits 77 (skipped) where none starts.
xvfb() {
    rm -f "$work/display"
    Xvfb -displayfd 9 "$@" -nolisten tcp 9>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    pids+=($xvfb_pid)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "SKIP: no X server could start"; exit 77; }
    export DISPLAY=:$(head -1 "$work/display")
}

# The typical use: r0c0, prefix 0xff, delimiter comma, Copy beside the left
# values, the pane's Copy and its confirmation. Checks what the clipboard holds.
typical_use() { # name of the check
    at 208 128                      # r0c0
    at 70 88; xdotool key Down Down # List1: none -> $ff -> 0xff
    at 70 128                       # List2: comma
    at 128 208                      # Copy beside the left panel
    at 48 392                       # the pane's Copy
    sleep 0.5
    xdotool key Return              # "Cliboard now has the text"
    sleep 0.3
    check "$1" "$(printf '0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n' | od -An -tx1 | tr -d ' \n')" \
        "$(clipboard | od -An -tx1 | tr -d ' \n')"
}

# Waits for the main window of a program just started; sets win.
zentil_window() {
    win=
    for _ in $(seq 100); do
        win=$(xdotool search --onlyvisible --name '^ZENTIL$' 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.1
    done
    [ -n "$win" ] || { echo "FAILED: the window did not appear"; cat "$work/zentil.log"; exit 1; }
}
