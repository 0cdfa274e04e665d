#!/usr/bin/env bash
# GNOME Shell 43 on Wayland (nested, with XWayland and GNOME's portal), all its cases in one
# session, a native Wayland window painted in four colours active: copied pictures are filed and
# the clipboard is left empty as Wayland programs see it (no type offered); the first capture of
# the window says first whose the desktop's question is, and once allowed gives the whole screen
# showing the window; later captures (time-lapse, a custom shortcut of GNOME's settings to the
# command) ask nothing; a refusal is told once, and pictures copied meanwhile are still filed.
set -uo pipefail
gnome_checker=$2
source "$(dirname "$0")/gnomesession.sh"
checker=$2

install_program "$1"
# The program's windows at the bottom, away from the painted window, which the shell puts in the
# free space at the top left; time-lapse every minute.
printf 'MLEFT=7800\r\nMTOP=4800\r\nILEFT=0\r\nITOP=6000\r\nTIMELAPSE_SECS=60\r\n' |
    as_user tee "$program/Vistrelle.ini" >/dev/null
in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
for _ in $(seq 100); do in_session xdotool search --name '^Vistrelle \(JPG\)$' >/dev/null 2>&1 && break; sleep 0.2; done
show_painted "$3" painted 300 200
click_painted

# Copied by a Wayland program: filed, and then no type is on offer.
mkdir "$work/pictures"
QT_QPA_PLATFORM=offscreen "$checker" pictures "$work/pictures" 640 400 3 2>/dev/null || fail "could not make the pictures"
chmod -R a+rX "$work/pictures"
timings=()
for n in 1 2 3; do
    started=$(date +%s%N)
    in_background "$work/wl-copy.log" wl-copy --foreground --type image/png <"$work/pictures/pic_0$n.png"
    files_in_set "$n"
    timings+=($((($(date +%s%N) - started) / 1000000)))
    clipboard_empty
done
echo "clipboard to file, ms: ${timings[*]}"

# The first capture: the program's word on the question, then GNOME's question, allowed.
click_painted
in_session "$program/vistrelle" --capture-window || fail "the command failed"
wait_box >/dev/null
answer_box
allow
files_in_set 4
sleep 0.3
check_painted "$checker" "$(newest_shot)" 300 200 screen

# Time-lapse, its first shot at once: nothing is asked any more.
click_painted
started=$(date +%s%N)
in_session "$program/vistrelle" --time-lapse || fail "the command failed"
files_in_set 5
echo "time-lapse shot through the portal, ms: $((($(date +%s%N) - started) / 1000000))"
in_session "$program/vistrelle" --time-lapse || fail "the command failed"
[ -z "$(boxes)" ] || fail "a message box stands: $(cat "$work/run.log")"
sleep 0.3
check_painted "$checker" "$(ls "$set_folder"/*_Time_Lapsed.jpg)" 300 200 screen

# A custom shortcut to the command, as the README has it made in Settings (the command found on
# the PATH), run by GNOME's settings daemon on a real key press.
keybinding=org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/
in_session gsettings set org.gnome.settings-daemon.plugins.media-keys custom-keybindings \
    "['/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/']" &&
    in_session gsettings set "$keybinding" name 'Vistrelle: capture window' &&
    in_session gsettings set "$keybinding" command 'vistrelle --capture-window' &&
    in_session gsettings set "$keybinding" binding '<Control><Alt>k' || fail "the shortcut could not be set"
[ -x /usr/libexec/gsd-media-keys ] || fail "GNOME's settings daemon is not installed (scripts/install-deps test)"
# It says when the shell has taken its keys.
in_background "$work/keys.log" env G_MESSAGES_DEBUG=media-keys-plugin PATH="$program:/usr/bin:/bin" \
    /usr/libexec/gsd-media-keys </dev/null
for _ in $(seq 150); do grep -q 'Grab call completed' "$work/keys.log" && break; sleep 0.2; done
grep -q 'Grab call completed' "$work/keys.log" || fail "GNOME's settings daemon took no keys: $(cat "$work/keys.log")"
click_painted
on_screen xdotool key ctrl+alt+k
files_in_set 6
sleep 0.3
check_painted "$checker" "$(newest_shot)" 300 200 screen

# Refused (the permission taken back, as the program's message says how to give it): told once
# for two captures, nothing filed, and a picture copied meanwhile is filed.
in_session gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
    --object-path /org/freedesktop/impl/portal/PermissionStore \
    --method org.freedesktop.impl.portal.PermissionStore.SetPermission screenshot true screenshot "''" "['no']" \
    >/dev/null || fail "the permission could not be set"
for _ in 1 2; do
    click_painted
    in_session "$program/vistrelle" --capture-window || fail "the command failed"
    sleep 3
done
[ "$(boxes | wc -l)" -eq 1 ] || fail "the refusal was told $(boxes | wc -l) times"
in_background "$work/wl-copy.log" wl-copy --foreground --type image/png <"$work/pictures/pic_01.png"
files_in_set 7
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
