# Sourced by the Wayland end-to-end tests on sway: a headless sway with XWayland in the session
# waylandsession.sh prepares, and helpers to find and focus its windows.

source "$(dirname "${BASH_SOURCE[0]}")/waylandsession.sh"
sway=$(command -v sway) && command -v Xwayland >/dev/null ||
    skip "no Wayland compositor: sway with Xwayland is not installed (scripts/install-deps test installs it)"
desktop_log=$work/sway.log
sway_pid=

# sway first, alone: signalled together with Xwayland, it starts a new Xwayland while it shuts
# down.
stop_desktop() {
    [ -n "$sway_pid" ] || return 0
    kill -TERM "$sway_pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$sway_pid" 2>/dev/null || break; sleep 0.1; done
    stop_group "$sway_pid"
}

# With sway_bar=1 set before this file is sourced, the session has a bus of its own and sway
# shows a bar with a tray (status icons over D-Bus).
[ "${sway_bar:-0}" = 1 ] && start_session_bus
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
[ -n "$(wl_env WAYLAND_DISPLAY)" ] && [ -n "$(wl_env DISPLAY)" ] || fail "sway gave no WAYLAND_DISPLAY or DISPLAY"
session_ready WAYLAND_DISPLAY="$(wl_env WAYLAND_DISPLAY)" DISPLAY="$(wl_env DISPLAY)" SWAYSOCK="$(wl_env SWAYSOCK)" \
    XDG_CURRENT_DESKTOP=sway

# focused_window: the focused window of the tree as "app_id-or-class x,y wxh" (the content).
focused_window() {
    in_session swaymsg -t get_tree | jq -r '.. | objects | select(.focused == true and (.type == "con" or .type == "floating_con"))
        | "\(.app_id // .window_properties.class) \(.rect.x + .window_rect.x),\(.rect.y + .window_rect.y) \(.window_rect.width)x\(.window_rect.height)"'
}
# wait_focused NAME: waits up to 30 s until the window whose app_id or class is NAME has focus.
wait_focused() {
    listed_within 300 0.1 "$1" focused_window || fail "$1 did not get the focus (focused: $(focused_window))"
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
