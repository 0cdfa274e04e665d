# Sourced by the end-to-end tests: a private X server with a window manager, a private
# runtime folder (so the single-instance lock is the test's own) and helpers to drive windows.

work=$(mktemp -d)
x_pids=()
stop_session() {
    pkill -KILL -P $$ vistrelle 2>/dev/null || true
    for pid in "${x_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap stop_session EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
source "$(dirname "${BASH_SOURCE[0]}")/screenshots.sh"

# within SECONDS WHAT COMMAND...: runs COMMAND until it succeeds, for at most SECONDS, or the
# test fails saying WHAT, and what the command named in $within_shows prints then.
within() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    while [ $SECONDS -le $deadline ]; do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "$what${within_shows:+: $($within_shows 2>&1 | tr '\n' ' ')}"
}
# until_true WHAT COMMAND...: the same for at most 20 s.
until_true() {
    within 20 "$@"
}

# start_session_bus: a session bus of the test's own that starts no service (the one a name
# nobody serves would start is not the test's).
start_session_bus() {
    exec 4>"$work/bus"
    dbus-daemon --config-file="$(dirname "${BASH_SOURCE[0]}")/../support/private-bus.conf" --nofork \
        --print-address=4 >"$work/bus.log" 2>&1 &
    x_pids+=($!)
    exec 4>&-
    until_true "no session bus" test -s "$work/bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# start_accessibility_bus: on a session bus of the test's own, the accessibility bus (AT-SPI)
# the program speaks to, spoken to always.
start_accessibility_bus() {
    start_session_bus
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
    x_pids+=($!)
    until_true "the accessibility bus did not start" \
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
x_pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
x_pids+=($!)

# The program in a folder of the test's own, beside its settings file and library.
program=$work/program
set_folder="$program/Vistrelles/Default Category/Default Image Set"
# install_program EXECUTABLE
install_program() {
    mkdir -p "$program"
    cp "$1" "$program/vistrelle"
    cp "$(dirname "$1")/vistrelle-reader" "$program/vistrelle-reader"
}

# A screenshot for the clipboard: a 3x2 PNG whose top-left pixel is pure red.
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEUlEQVR4nGP4z8DA8B+GIBQAPdYF+1Gy5SQAAAAASUVORK5CYII=' |
    base64 -d >"$work/shot.png"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The text index of the test's library, away from the user's.
export XDG_CACHE_HOME="$work/cache"
unset QT_QPA_PLATFORM

# wait_window TITLE-REGEX: prints the id of the first window with that title, or fails.
wait_window() {
    local id
    for _ in $(seq 600); do
        # A window that goes while xdotool looks at it ends xdotool with an X error: look again.
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    fail "no window '$1' appeared"
}

# close_window ID: what a user's Alt+F4 does.
close_window() {
    # Asked again while the window stays: on a busy machine another of the program's windows may
    # take the focus between the activation and the key.
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4 2>/dev/null
        for _ in $(seq 50); do
            xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
            sleep 0.1
        done
    done
}

# answer_box: presses the default button of the message box on screen.
answer_box() {
    local box
    box=$(wait_window '^Vistrelle$')
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
}

