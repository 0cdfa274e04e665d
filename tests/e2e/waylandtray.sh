#!/usr/bin/env bash
# On a Wayland desktop with a tray (sway's bar, status icons over D-Bus), low-resource mode
# hides the small window behind the program's status icon and still files what is copied;
# activating the icon brings the small window back, and its Restore the main window.
set -uo pipefail
sway_bar=1
source "$(dirname "$0")/swaysession.sh"

install_program "$1"
# until_true COMMAND...: retries for 20 s.
until_true() {
    for _ in $(seq 200); do "$@" 2>/dev/null && return 0; sleep 0.1; done
    return 1
}
# titles: the titles of the windows sway shows.
titles() { in_session swaymsg -t get_tree | jq -r '.. | objects | select(.type == "con" or .type == "floating_con") | .name'; }
shown() { titles | grep -qx "$1"; }
not_shown() { ! titles | grep -qx "$1"; }
# items: the status icons the tray shows.
items() {
    in_session dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems | grep -o '"[^"]*"' | tr -d '"'
}
has_item() { [ -n "$(items)" ]; }
shot_filed() { [ -n "$(find "$set_folder" -name 'Image_*.jpg')" ]; }

in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
until_true shown 'Vistrelle (JPG)' || fail "the main window did not appear"
focus Vistrelle
in_session xdotool key --clearmodifiers alt+m
until_true has_item || fail "no status icon was registered with the tray: $(cat "$work/run.log")"
until_true not_shown 'Vistrelle (JPG) (LR mode)' || fail "the small window stayed on the screen"
until_true not_shown 'Vistrelle (JPG)' || fail "the main window stayed"

in_session wl-copy --type image/png <"$work/shot.png"
until_true shot_filed || fail "a picture copied in low-resource mode was not filed"

# A click on the icon, as the tray passes it on.
item=$(items | head -n 1)
in_session dbus-send --session --print-reply --dest="${item%%/*}" "/${item#*/}" org.kde.StatusNotifierItem.Activate \
    int32:0 int32:0 >/dev/null || fail "the icon could not be activated"
until_true shown 'Vistrelle (JPG) (LR mode)' || fail "activating the icon did not bring the small window back: $(titles)"
focus Vistrelle
in_session xdotool key --clearmodifiers Return
until_true shown 'Vistrelle (JPG)' || fail "Restore did not bring the main window back: $(titles)"
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
