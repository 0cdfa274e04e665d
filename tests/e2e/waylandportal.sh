#!/usr/bin/env bash
# Where no interface gives the active window (GNOME, most desktops but sway and KDE), the
# program's capture is the whole screen from the screenshot portal: here the program's own
# portal grab (chosen for the test) with the real portal and its wlroots and GTK services, on a
# private session bus in the headless sway, asked without a dialog. The screen shows the focused
# window in its four colours.
set -uo pipefail
source "$(dirname "$0")/swaysession.sh"
checker=$2

install_program "$1"
start_session_bus
session_ready WAYLAND_DISPLAY="$(wl_env WAYLAND_DISPLAY)" DISPLAY="$(wl_env DISPLAY)" SWAYSOCK="$(wl_env SWAYSOCK)" \
    XDG_CURRENT_DESKTOP=sway VISTRELLE_WINDOW_GRAB=portal
# The portal, started by the bus, finds its services by the session's variables.
in_session dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP ||
    fail "the session's variables could not be given to the bus"
# The portal's screen capture needs the media service running.
in_background "$work/pipewire.log" pipewire </dev/null
for _ in $(seq 100); do [ -S "$runtime/pipewire-0" ] && break; sleep 0.1; done
[ -S "$runtime/pipewire-0" ] || fail "pipewire did not start: $(cat "$work/pipewire.log")"
# On a desktop the portal runs from the start of the session; here it starts on first use and
# offers the screenshot once its services have started.
for _ in $(seq 100); do
    in_session dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.portal.Screenshot string:version >/dev/null 2>&1 && break
    sleep 0.1
done
in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
wait_window_of Vistrelle
# Floating, the window keeps its size, and nothing covers it.
in_session swaymsg 'for_window [app_id="portal-painted"] floating enable' >/dev/null
show_painted "$3" portal-painted 300 200
wait_window_of portal-painted
focus portal-painted

started=$(date +%s%N)
in_session "$program/vistrelle" --capture-window || fail "the command failed"
files_in_set 1
echo "portal capture, ms: $((($(date +%s%N) - started) / 1000000))"
sleep 0.3
shot=$(newest_shot)
[ "$(file -b "$shot" | grep -o '[0-9]*x[0-9]*' | tail -n 1)" = 1280x720 ] || fail "the picture is not the 1280x720 screen: $(file -b "$shot")"
check_painted "$checker" "$shot" 300 200 screen
[ ! -e /tmp/out.png ] && [ -z "$(find "$home" -name 'Screenshot*')" ] || fail "the portal's file was left behind"
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
