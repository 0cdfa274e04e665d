#!/usr/bin/env bash
# On a Wayland desktop that offers global shortcuts, the program registers its two shortcuts
# through the real portal, proposing the keys chosen in Options, and a press of the shortcut
# captures the focused Wayland window: the desktop's side is a stand-in on a private session bus.
set -uo pipefail
source "$(dirname "$0")/swaysession.sh"

install_program "$1"
backend=$work/portal-backend
share "$2" "$backend" 0755
# Hotkeys CTRL+K for the active window, SHIFT+T for time-lapse.
printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\nTIMELAPSE_HK=84\r\nTIMELAPSE_HKCS=2\r\n' |
    as_user tee "$program/Vistrelle.ini" >/dev/null

# wait_for FILE TEXT: waits up to 20 s until FILE holds a line beginning with TEXT.
wait_for() {
    for _ in $(seq 200); do
        grep -q "^$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "no '$2' in $1: $(cat "$1")"
}

in_background "$work/dbus.log" dbus-daemon --session --nofork --nopidfile --address="unix:path=$runtime/bus" </dev/null
for _ in $(seq 100); do [ -S "$runtime/bus" ] && break; sleep 0.1; done
session_bus="unix:path=$runtime/bus"
as_user mkdir "$work/portals"
printf '[portal]\nDBusName=org.freedesktop.impl.portal.desktop.vistrelletest\nInterfaces=org.freedesktop.impl.portal.GlobalShortcuts;\nUseIn=vistrelletest\n' |
    as_user tee "$work/portals/vistrelletest.portal" >/dev/null
as_user mkfifo "$work/keys"
exec 4<>"$work/keys"
in_background "$work/backend.log" "$backend" <"$work/keys"
wait_for "$work/backend.log" ready
in_background "$work/portal.log" env XDG_CURRENT_DESKTOP=vistrelletest XDG_DESKTOP_PORTAL_DIR="$work/portals" \
    /usr/libexec/xdg-desktop-portal --verbose </dev/null
for _ in $(seq 100); do
    in_session dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.portal.Desktop 2>/dev/null | grep -q true && break
    sleep 0.1
done

in_background "$work/foot.log" foot --app-id=shortcut-target </dev/null
wait_window_of shortcut-target
in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
wait_window_of Vistrelle
wait_for "$work/backend.log" "bound capture-window CTRL+k"
wait_for "$work/backend.log" "bound time-lapse SHIFT+t"
focus shortcut-target
size=$(focused_window | awk '{ print $3 }')

# A press and release between two ticks is one capture, of the focused Wayland window.
printf 'press capture-window\nrelease capture-window\n' >&4
for _ in $(seq 100); do
    [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge 1 ] && break
    sleep 0.1
done
sleep 1
shots=$(find "$set_folder" -name 'Image_*')
[ "$(wc -l <<<"$shots")" -eq 1 ] && [ -n "$shots" ] ||
    fail "the shortcut gave $(ls -A "$set_folder" | wc -l) captures: $(cat "$work/run.log")"
[ "$(file -b "$shots" | grep -o '[0-9]*x[0-9]*' | tail -n 1)" = "$size" ] ||
    fail "the capture is $(file -b "$shots"), the window $size"
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
