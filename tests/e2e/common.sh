# Sourced by the end-to-end scripts: the X session library, a work folder with
# the program's own settings, the processes to end, the checks and their count,
# and the typical use as a user clicks it. Each function takes the window, the
# view of its controls (x_view) and the process it acts on as arguments.

source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
store=$XDG_CONFIG_HOME/ZENTIL/ZENTIL.conf
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null; x_stop; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

failures=0
checks=0
check() { # name expected actual
    checks=$((checks + 1))
    if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
# The same, once the command shows the expected value or at the latest after
# 30 s: for what the window system settles in its own time.
check_until() { # name expected command...
    local name=$1 expected=$2
    shift 2
    x_until 30 _shows "$expected" "$@"
    check "$name" "$expected" "$("$@")"
}
_shows() { [ "$("${@:2}")" == "$1" ]; }
failed() { # what
    checks=$((checks + 1)) failures=$((failures + 1))
    echo "FAILED: $1"
}
# Bytes as hex digits, to compare text that ends in CR LF.
hex() { od -An -tx1 | tr -d ' \n'; }
summary() { # name
    echo "$1: $((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}

# An X server; the first one that cannot start skips the test.
xserver() {
    x_server "$@" && return
    [ "$checks" -eq 0 ] && { echo "SKIP: no X server could start"; exit 77; }
    echo "FAILED: no X server could start"
    exit 1
}

# Answers the box the last click on WINDOW opened; one that does not come, or
# does not go, fails the test.
answer() { # window key
    x_answer "$1" "$2" && return
    failed "the box to answer with $2"
}

# The typical use: r0c0, prefix 0xff, delimiter comma, Copy beside the left
# values, the pane's Copy and its confirmation, answered by the command ANSWER
# (as answer() is called). Checks what the command CLIPBOARD reads back.
typical_use() { # name window view clipboard answer
    cell "$2" "$3" 0 0
    list_left "$2" "$3"
    at "$2" "$3" Command12 # the pane's Copy
    "$5" "$2" Return       # "Cliboard now has the text"
    check "$1" "$(printf '0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n' | hex)" "$("$4" | hex)"
}

# Whether process PID has ended.
ended() { kill -0 "$1" 2>/dev/null && echo running || echo ended; }
gone() { ! kill -0 "$1" 2>/dev/null; }

close_box() { # name window pid; as the window manager's close box does
    local _
    # On a loaded machine the window manager may not yet have made the window
    # active when the key comes, and the key then closes nothing: try again.
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$2" 2>/dev/null
        xdotool key alt+F4
        x_until 10 gone "$3" && break
    done
    check_until "$1" ended ended "$3"
}
