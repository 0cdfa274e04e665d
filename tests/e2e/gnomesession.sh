# Sourced by the end-to-end tests on GNOME: GNOME Shell 43 nested in a private X server (whose
# pointer and keys reach the shell's own dialogs), with XWayland and GNOME's portal on the
# session's bus, and a second bus standing in for the system's, in the session
# waylandsession.sh prepares. Set gnome_checker (ClipboardHelper) before sourcing.

source "$(dirname "${BASH_SOURCE[0]}")/waylandsession.sh"
needs gnome-shell Xvfb Xwayland xdotool gdbus gsettings "GNOME Shell"
desktop_log=$work/shell.log
shell_pid=
xvfb_pid=
stop_desktop() {
    [ -z "$shell_pid" ] || stop_group "$shell_pid"
    [ -z "$xvfb_pid" ] || stop_group "$xvfb_pid"
}

as_user setsid sh -c 'echo $$ >"$0"; exec Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1"' \
    "$work/xvfb.pid" "$work/xvfb.display" >"$work/xvfb.log" 2>&1 </dev/null &
for _ in $(seq 100); do [ -s "$work/xvfb.display" ] && break; sleep 0.1; done
xvfb_pid=$(cat "$work/xvfb.pid" 2>/dev/null)
outer=:$(cat "$work/xvfb.display" 2>/dev/null)
[ "$outer" != : ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
# on_screen COMMAND...: COMMAND on the X server the shell shows its screen on.
on_screen() { as_user env DISPLAY="$outer" "$@"; }

# The session's settings (dconf, which the bus starts) are where its programs read them.
as_user mkdir -p "$work/config"
start_session_bus XDG_CURRENT_DESKTOP=GNOME WAYLAND_DISPLAY=vistrelle-gnome XDG_CONFIG_HOME="$work/config"
system_bus_pid=$(start_bus system_bus)
gnome_env=(XDG_CURRENT_DESKTOP=GNOME XDG_CONFIG_HOME="$work/config" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime/system_bus")
# A screen of 1024x700 in the nested window.
as_user env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" XDG_SESSION_TYPE=wayland \
    DBUS_SESSION_BUS_ADDRESS="$session_bus" DISPLAY="$outer" "${gnome_env[@]}" MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x700 \
    setsid sh -c 'echo $$ >"$0"; exec gnome-shell --nested --wayland --wayland-display=vistrelle-gnome' \
    "$work/shell.pid" >"$work/shell.log" 2>&1 </dev/null &
for _ in $(seq 900); do grep -q 'GNOME Shell started' "$work/shell.log" 2>/dev/null && break; sleep 0.1; done
shell_pid=$(cat "$work/shell.pid" 2>/dev/null)
grep -q 'GNOME Shell started' "$work/shell.log" || fail "GNOME Shell did not start"
xwayland=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/shell.log" | head -n 1)
xauthority=$(ls "$runtime"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
[ -n "$xwayland" ] && [ -n "$xauthority" ] || fail "GNOME Shell gave no XWayland"
session_ready WAYLAND_DISPLAY=vistrelle-gnome DISPLAY="$xwayland" XAUTHORITY="$xauthority" "${gnome_env[@]}"
# As a GNOME session does, the bus starts its services (the portal) with the session's variables.
in_session dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP ||
    fail "the session's variables could not be given to the bus"
# The shell opens its overview at the start.
sleep 2
on_screen xdotool key Escape

# painted_at: where the four-colour window's quarters meet on the screen (PaintedWindow), as
# "X Y"; nothing while the screen does not show it as painted.
share "$gnome_checker" "$work/checker" 0755
painted_at() {
    on_screen env XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 \
        "$work/checker" locate 2>/dev/null
}
# click_painted: a click into the four-colour window, which gives it the focus.
click_painted() {
    local where
    for _ in $(seq 50); do
        where=$(painted_at) && break
        sleep 0.2
    done
    [ -n "$where" ] || fail "the painted window is not on the screen"
    # The pointer goes off the window after the click: the screen is looked at again.
    on_screen xdotool mousemove $where click 1 mousemove 1000 40
    sleep 0.5
}
# boxes: the ids of the program's message boxes (X11 windows titled "Vistrelle").
boxes() { in_session xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null; }
# wait_box: waits up to 20 s for a message box of the program's; prints its id.
wait_box() {
    for _ in $(seq 100); do
        boxes | head -n 1 | grep . && return 0
        sleep 0.2
    done
    fail "no message box of the program's appeared"
}
# answer_box: the program's message box is clicked into and answered with Enter.
answer_box() {
    local box X Y WIDTH HEIGHT
    for _ in $(seq 10); do
        box=$(boxes | head -n 1)
        [ -z "$box" ] && return 0
        eval "$(in_session xdotool getwindowgeometry --shell "$box" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
        on_screen xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1 key Return mousemove 1000 40
        sleep 1
    done
    fail "the program's message box stayed"
}
# allow: answers the shell's question "Allow Applications to Take Screenshots?" with Allow, once
# it stands (it dims the screen: the painted window's colours are gone).
allow() {
    for _ in $(seq 120); do
        painted_at >/dev/null || break
        sleep 0.3
    done
    painted_at >/dev/null && fail "the desktop asked nothing"
    sleep 0.5
    # Deny has the focus; Allow is next.
    on_screen xdotool key Tab Return
}
