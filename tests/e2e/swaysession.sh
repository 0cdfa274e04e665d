# Sourced by the Wayland end-to-end tests: a headless sway with XWayland, run by an
# unprivileged user (sway refuses to run as root) in a runtime folder of the test's own, and
# helpers to run programs in that session and to find and focus its windows.

wl_user=${VISTRELLE_TEST_USER:-vistrelle-test}
sway_pid=
group_pids=()

# skip REASON: this machine cannot hold the session; CTest counts the test as skipped.
skip() {
    echo "SKIP: $*" >&2
    exit 77
}
sway=$(command -v sway) && command -v Xwayland >/dev/null ||
    skip "no Wayland compositor: sway with Xwayland is not installed (scripts/install-deps test installs it)"
if [ "$(id -u)" -eq 0 ]; then
    id "$wl_user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$wl_user" ||
        skip "sway refuses to run as root, and the unprivileged user $wl_user could not be created"
    runuser -u "$wl_user" -- true ||
        skip "root cannot run programs as the user $wl_user here (no user switching in this container)"
    # Xwayland, started by sway as that user, makes its socket here.
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
    [ -s "$work/sway.log" ] && tail -n 20 "$work/sway.log" >&2
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

# stop_group PID: ends a process group started with setsid, by its id.
stop_group() {
    kill -TERM -- "-$1" 2>/dev/null || return 0
    for _ in $(seq 30); do kill -0 -- "-$1" 2>/dev/null || return 0; sleep 0.1; done
    kill -KILL -- "-$1" 2>/dev/null
}

stop_session() {
    local pid
    for pid in "${group_pids[@]}"; do stop_group "$pid"; done
    # sway first, alone: signalled together with Xwayland, it starts a new Xwayland while
    # it shuts down.
    if [ -n "$sway_pid" ]; then
        kill -TERM "$sway_pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$sway_pid" 2>/dev/null || break; sleep 0.1; done
        stop_group "$sway_pid"
    fi
    [ -n "$bus_pid" ] && stop_group "$bus_pid"
    rm -rf "$work"
}
trap stop_session EXIT

share "$(dirname "${BASH_SOURCE[0]}")/../lsan.supp" "$work/lsan.supp"
# With sway_bar=1 set before this file is sourced, the session has a bus of its own and sway
# shows a bar with a tray (status icons over D-Bus).
session_bus=
bus_pid=
if [ "${sway_bar:-0}" = 1 ]; then
    as_user setsid sh -c 'echo $$ >"$0"; exec dbus-daemon --session --nofork --nopidfile --address="$1"' \
        "$work/bus.pid" "unix:path=$runtime/bus" >"$work/dbus.log" 2>&1 </dev/null &
    for _ in $(seq 100); do [ -S "$runtime/bus" ] && break; sleep 0.1; done
    bus_pid=$(cat "$work/bus.pid" 2>/dev/null)
    [ -S "$runtime/bus" ] && [ -n "$bus_pid" ] || fail "the session bus did not start: $(cat "$work/dbus.log")"
    session_bus="unix:path=$runtime/bus"
fi
cat >"$work/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x720 position 0,0
xwayland enable
exec env > $work/runtime/sway-child-env.txt
CONF
[ "${sway_bar:-0}" = 1 ] && printf 'bar {\n    tray_output *\n}\n' >>"$work/sway.conf"
chmod 0644 "$work/sway.conf"
as_user env -i HOME=/tmp PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 ${session_bus:+DBUS_SESSION_BUS_ADDRESS=$session_bus} \
    setsid "$sway" -c "$work/sway.conf" >"$work/sway.log" 2>&1 </dev/null &
for _ in $(seq 200); do [ -s "$runtime/sway-child-env.txt" ] && break; sleep 0.05; done
wl_env() { sed -n "s/^$1=//p" "$runtime/sway-child-env.txt"; }
# The IPC socket's name ends in sway's process id, which also leads its process group.
sway_pid=$(wl_env SWAYSOCK | sed -n 's/.*\.\([0-9]*\)\.sock$/\1/p')
[ -n "$sway_pid" ] || fail "sway did not start"

# in_session COMMAND...: runs COMMAND as the session's user, with the session's environment
# only (and a session bus, once one is set in $session_bus).
cat >"$work/in-session" <<SCRIPT
#!/bin/sh
[ -n "\$GROUP_FILE" ] && echo \$\$ >"\$GROUP_FILE"
exec env -i HOME="\$(getent passwd "$wl_user" | cut -d: -f6)" USER="$wl_user" LOGNAME="$wl_user" \\
    PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" \\
    WAYLAND_DISPLAY="$(wl_env WAYLAND_DISPLAY)" DISPLAY="$(wl_env DISPLAY)" SWAYSOCK="$(wl_env SWAYSOCK)" \\
    XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland LSAN_OPTIONS="suppressions=$work/lsan.supp" \\
    \${SESSION_BUS:+DBUS_SESSION_BUS_ADDRESS=\$SESSION_BUS} "\$@"
SCRIPT
chmod 0755 "$work/in-session"
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
[ -n "$(wl_env WAYLAND_DISPLAY)" ] && [ -n "$(wl_env DISPLAY)" ] || fail "sway gave no WAYLAND_DISPLAY or DISPLAY"

# The program in a folder of the test's own, beside its settings file, library, help page and
# sounds, as in its build folder.
program=$work/program
set_folder="$program/Vistrelles/Default Category/Default Image Set"
install_program() {
    local asset
    install -d -m 0755 -o "$wl_user" "$program" || fail "could not make $program"
    share "$1" "$program/vistrelle" 0755
    for asset in Vistrelle.htm Vistrelle.wav VistrelleOn.wav VistrelleOff.wav; do
        share "$(dirname "$1")/$asset" "$program/$asset"
    done
}

# A screenshot for the clipboard: a 3x2 PNG whose top-left pixel is pure red.
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEUlEQVR4nGP4z8DA8B+GIBQAPdYF+1Gy5SQAAAAASUVORK5CYII=' |
    base64 -d >"$work/shot.png"
chmod 0644 "$work/shot.png"

# focused_window: the focused window of the tree as "app_id-or-class x,y wxh" (the content).
focused_window() {
    in_session swaymsg -t get_tree | jq -r '.. | objects | select(.focused == true and (.type == "con" or .type == "floating_con"))
        | "\(.app_id // .window_properties.class) \(.rect.x + .window_rect.x),\(.rect.y + .window_rect.y) \(.window_rect.width)x\(.window_rect.height)"'
}
# wait_focused NAME: waits up to 30 s until the window whose app_id or class is NAME has focus.
wait_focused() {
    for _ in $(seq 300); do
        focused_window | grep -q "^$1 " && return 0
        sleep 0.1
    done
    fail "$1 did not get the focus (focused: $(focused_window))"
}
# focus NAME: gives the focus to the window whose app_id or X11 class is NAME.
focus() {
    in_session swaymsg "[app_id=\"^$1\$\"] focus" >/dev/null 2>&1 ||
        in_session swaymsg "[class=\"^$1\$\"] focus" >/dev/null 2>&1
    wait_focused "$1"
}
# wait_window_of NAME: waits up to 60 s until a window whose app_id or class is NAME exists.
wait_window_of() {
    for _ in $(seq 600); do
        in_session swaymsg -t get_tree |
            jq -e --arg n "$1" '[.. | objects | select(.app_id == $n or .window_properties.class == $n)] | length > 0' \
                >/dev/null && return 0
        sleep 0.1
    done
    fail "no window of $1 appeared"
}
# wait_exit PID: the process's exit status, or a failure when it does not end within 60 s.
wait_exit() {
    for _ in $(seq 600); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    fail "process $1 did not end"
}
