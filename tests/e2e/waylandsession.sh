# Sourced by the desktops of the Wayland end-to-end tests (swaysession.sh, kdesession.sh,
# gnomesession.sh): the unprivileged user the compositors run as (they refuse root), a work
# folder of the test's own in /tmp, and helpers to run programs in the desktop's session. The
# desktop's file sources this one first, starts its compositor, and then calls session_ready
# with the session's environment.

wl_user=${VISTRELLE_TEST_USER:-vistrelle-test}
group_pids=()
bus_pid=
system_bus_pid=
session_bus=
desktop_log=/dev/null

# skip REASON: this machine cannot hold the session; CTest counts the test as skipped.
skip() {
    echo "SKIP: $*" >&2
    exit 77
}
# needs PROGRAM... WHAT: skips unless every PROGRAM is installed.
needs() {
    local what=${*: -1} program
    for program in "${@:1:$#-1}"; do
        command -v "$program" >/dev/null ||
            skip "no $what: $program is not installed (scripts/install-deps test installs it)"
    done
}
if [ "$(id -u)" -eq 0 ]; then
    id "$wl_user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$wl_user" ||
        skip "the compositor refuses to run as root, and the unprivileged user $wl_user could not be created"
    runuser -u "$wl_user" -- true ||
        skip "root cannot run programs as the user $wl_user here (no user switching in this container)"
    # Xwayland, started by the compositor as that user, makes its socket here.
    install -d -m 1777 /tmp/.X11-unix
    # The user's programs start in the work folder: the test's own folder, in the clone, may be
    # closed to them.
    as_user() { (cd "$work" && runuser -u "$wl_user" -- "$@"); }
else
    wl_user=$(id -un)
    as_user() { "$@"; }
fi

# The work folder is in /tmp, whatever TMPDIR says, so that the user reaches it.
work=$(mktemp -d /tmp/vistrelle-wayland.XXXXXX)
fail() {
    echo "FAIL: $*" >&2
    [ -s "$desktop_log" ] && tail -n 20 "$desktop_log" >&2
    exit 1
}
source "$(dirname "${BASH_SOURCE[0]}")/screenshots.sh"
chown "$wl_user:" "$work"
chmod 0755 "$work"
# share FILE COPY [MODE]: a copy of FILE, made by the test's own user and owned by the session's
# user. The clone may sit in a folder only its owner enters (a home folder of mode 0700), so the
# session's user reads nothing of the build or the sources there.
share() {
    install -m "${3:-0644}" -o "$wl_user" "$1" "$2" || fail "could not copy $1 for $wl_user"
}
runtime=$work/runtime
as_user mkdir -m 0700 "$runtime"
# A home of the session's own, so that nothing of earlier runs (settings, pictures) is found.
home=$work/home
as_user mkdir -p "$home/.config"

# stop_group PID: ends a process group started with setsid, by its id.
stop_group() {
    kill -TERM -- "-$1" 2>/dev/null || return 0
    for _ in $(seq 30); do kill -0 -- "-$1" 2>/dev/null || return 0; sleep 0.1; done
    kill -KILL -- "-$1" 2>/dev/null
}
# stop_desktop: the desktop's own ending, after its programs' and before the buses'.
stop_desktop() { :; }
stop_session() {
    local pid
    for pid in "${group_pids[@]}"; do stop_group "$pid"; done
    stop_desktop
    for pid in $bus_pid $system_bus_pid; do stop_group "$pid"; done
    rm -rf "$work"
}
trap stop_session EXIT

share "$(dirname "${BASH_SOURCE[0]}")/../lsan.supp" "$work/lsan.supp"

# start_bus NAME [VARIABLE=VALUE...]: a D-Bus daemon of the user's at $runtime/NAME, in a process
# group of its own; prints its process id. The services it starts live in the session's home
# and runtime folder (KDE's portal puts its screenshots among the home's pictures), with the
# variables given, whichever starts them first (the portal chooses its desktop's services once).
start_bus() {
    local name=$1
    shift
    as_user env HOME="$home" XDG_RUNTIME_DIR="$runtime" "$@" setsid sh -c 'echo $$ >"$0"; exec dbus-daemon --session --nofork --nopidfile --address="$1"' \
        "$work/$name.pid" "unix:path=$runtime/$name" >"$work/$name.log" 2>&1 </dev/null &
    for _ in $(seq 100); do [ -S "$runtime/$name" ] && break; sleep 0.1; done
    [ -S "$runtime/$name" ] && [ -s "$work/$name.pid" ] || fail "the bus $name did not start: $(cat "$work/$name.log")"
    cat "$work/$name.pid"
}
# start_session_bus [VARIABLE=VALUE...]: the session's own bus, used by every program started
# from then on.
start_session_bus() {
    bus_pid=$(start_bus bus "$@")
    session_bus="unix:path=$runtime/bus"
}

# session_ready VARIABLE=VALUE...: the session's environment, besides the user's own, for
# in_session and in_background.
session_ready() {
    local setting settings=
    for setting in "$@"; do settings+=" $(printf '%q' "$setting")"; done
    cat >"$work/in-session" <<SCRIPT
#!/bin/sh
[ -n "\$GROUP_FILE" ] && echo \$\$ >"\$GROUP_FILE"
exec env -i HOME="$home" USER="$wl_user" LOGNAME="$wl_user" \\
    PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" \\
    XDG_SESSION_TYPE=wayland LSAN_OPTIONS="suppressions=$work/lsan.supp"$settings \\
    \${SESSION_BUS:+DBUS_SESSION_BUS_ADDRESS=\$SESSION_BUS} "\$@"
SCRIPT
    chmod 0755 "$work/in-session"
}
# in_session COMMAND...: runs COMMAND as the session's user, with the session's environment
# only (and a session bus, once one is set in $session_bus).
# listed_within TRIES PAUSE NAME LISTER: true once LISTER prints a line "NAME ...", looking
# TRIES times PAUSE seconds apart.
listed_within() {
    for _ in $(seq "$1"); do
        "$4" | grep -q "^$3 " && return 0
        sleep "$2"
    done
    return 1
}
in_session() { as_user env SESSION_BUS="$session_bus" "$work/in-session" "$@"; }
# in_background LOG COMMAND...: in_session in a process group of its own, ended with the session;
# sets $background to the command's process id, which is also its group's. Standard input stays
# the caller's.
in_background() {
    local log=$1 group_file
    shift
    group_file=$(mktemp -u "$work/group.XXXXXX")
    as_user env SESSION_BUS="$session_bus" GROUP_FILE="$group_file" setsid "$work/in-session" "$@" \
        >>"$log" 2>&1 <&0 &
    for _ in $(seq 100); do [ -s "$group_file" ] && break; sleep 0.05; done
    background=$(cat "$group_file" 2>/dev/null)
    [ -n "$background" ] || fail "could not start $1"
    group_pids+=("$background")
}
# stop_background PID: ends a program started by in_background.
stop_background() {
    local pid kept=()
    stop_group "$1"
    for pid in "${group_pids[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
    group_pids=("${kept[@]}")
}

# The program in a folder of the test's own, beside its settings file, library, help page and
# sounds, as in its build folder.
program=$work/program
set_folder="$program/Vistrelles/Default Category/Default Image Set"
install_program() {
    local asset
    install -d -m 0755 -o "$wl_user" "$program" || fail "could not make $program"
    share "$1" "$program/vistrelle" 0755
    share "$(dirname "$1")/vistrelle-reader" "$program/vistrelle-reader" 0755
    for asset in Vistrelle.htm Vistrelle.wav VistrelleOn.wav VistrelleOff.wav; do
        share "$(dirname "$1")/$asset" "$program/$asset"
    done
}

# A screenshot for the clipboard: a 3x2 PNG whose top-left pixel is pure red.
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEUlEQVR4nGP4z8DA8B+GIBQAPdYF+1Gy5SQAAAAASUVORK5CYII=' |
    base64 -d >"$work/shot.png"
chmod 0644 "$work/shot.png"

# show_painted HELPER APP_ID WIDTH HEIGHT [decorated]: the tests' native Wayland window in four
# colours (PaintedWindow), in the compositor's frame when decorated; sets $painted to its process
# group. Waits until it is on the screen.
show_painted() {
    share "$1" "$work/painted-window" 0755
    in_background "$work/$2.log" "$work/painted-window" "$2" "$3" "$4" ${5:+"$5"} </dev/null
    painted=$background
    for _ in $(seq 200); do grep -q '^shown ' "$work/$2.log" && return 0; sleep 0.1; done
    fail "the painted window $2 did not show: $(cat "$work/$2.log")"
}
# check_painted CHECKER FILE WIDTH HEIGHT KIND: FILE is the painted window of that size, KIND
# "window" for the window alone, "framed" for the window in its title bar and frame, "screen"
# for a screen showing it whole (ClipboardHelper's check).
check_painted() {
    local said
    said=$(QT_QPA_PLATFORM=offscreen "$1" painted "$2" "$3" "$4" 2>/dev/null) || fail "$(basename "$2"): $said"
    case "$5:$said" in
    "window:the window, "* | "framed:the framed window, "* | "screen:a "*" screen showing the window") ;;
    *) fail "$(basename "$2") is not the $5 wanted: $said" ;;
    esac
    echo "$(basename "$2"): $said"
}
# newest_shot: the Image Set's latest screenshot.
newest_shot() { ls -t "$set_folder"/Image_* 2>/dev/null | head -n 1; }

# clipboard_empty: a Wayland program sees no type on the clipboard within 5 s. A compositor may
# keep wl-paste waiting on an empty clipboard (KWin): 2 s without an answer count as empty.
clipboard_empty() {
    local types
    for _ in $(seq 10); do
        types=$(in_session timeout 2 wl-paste --list-types 2>/dev/null)
        [ -z "$types" ] && return 0
        sleep 0.5
    done
    fail "the clipboard still offers: $(tr '\n' ' ' <<<"$types")"
}
