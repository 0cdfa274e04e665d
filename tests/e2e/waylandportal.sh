#!/usr/bin/env bash
# Where no interface gives the active window (GNOME, most desktops but sway and KDE), the
# picture is the whole screen from the screenshot portal: here the real portal with its wlroots
# and GTK services, on a private session bus in the headless sway, asked without a dialog.
set -uo pipefail
source "$(dirname "$0")/swaysession.sh"
taker=$1

printf '[colors]\nbackground=e08040\n' >"$work/foot.ini"
chmod 0644 "$work/foot.ini"
in_background "$work/dbus.log" dbus-daemon --session --nofork --nopidfile --address="unix:path=$runtime/bus" </dev/null
for _ in $(seq 100); do [ -S "$runtime/bus" ] && break; sleep 0.1; done
session_bus="unix:path=$runtime/bus"
# The portal's screen capture needs the media service running.
in_background "$work/pipewire.log" pipewire </dev/null
for _ in $(seq 100); do [ -S "$runtime/pipewire-0" ] && break; sleep 0.1; done
[ -S "$runtime/pipewire-0" ] || fail "pipewire did not start: $(cat "$work/pipewire.log")"
in_background "$work/foot.log" foot --config="$work/foot.ini" --app-id=portal-target </dev/null
wait_window_of portal-target

share "$taker" "$work/take" 0755
# On a desktop the portal runs from the start of the session; here it starts on first use and
# offers the screenshot once its services have started.
for _ in $(seq 100); do
    in_session dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.portal.Screenshot string:version >/dev/null 2>&1 && break
    sleep 0.1
done
rm -f /tmp/out.png
started=$(date +%s%N)
in_session env QT_QPA_PLATFORM=offscreen "$work/take" "$work/screen.ppm" >"$work/take.log" 2>&1 ||
    fail "the portal gave no picture: $(cat "$work/take.log"); $(cat "$work/dbus.log")"
echo "portal screenshot, ms: $((($(date +%s%N) - started) / 1000000))"
[ "$(sed -n 2p "$work/screen.ppm")" = "1280 720" ] || fail "the picture is not the 1280x720 screen"
# The screen is mostly the terminal's orange: the mean colour value is far from black.
mean=$(tail -n +4 "$work/screen.ppm" | od -An -tu1 -v |
    awk '{ for (i = 1; i <= NF; i++) s += $i; n += NF } END { print int(s / n) }')
[ "$mean" -gt 90 ] || fail "the picture is dark (mean $mean)"
[ ! -e /tmp/out.png ] || fail "the portal's file in the temporary folder was left behind"
