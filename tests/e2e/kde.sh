#!/usr/bin/env bash
# KDE Plasma 5.27 on Wayland (KWin on a virtual output, XWayland, KDE's portal), all its cases
# in one session. A native Wayland window painted in four colours is active: the installed
# program files its real content, at its size, through KWin's screenshot interface, for the
# command, a real key press of the hotkey (the portal's global shortcut) and time-lapse, and a
# window KWin decorates in its title bar and frame, without the shadow; copied pictures, an X11
# program's too, are filed and the clipboard emptied on both sides; the program run from its
# build folder, which KWin refuses, files the whole screen from the portal and says why.
set -uo pipefail
kde_build=$1
kde_keys=$4
source "$(dirname "$0")/kdesession.sh"
checker=$2

# Hotkey CTRL+K, time-lapse every 3 s.
as_user mkdir -p "$work/config/Vistrelle"
printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\nTIMELAPSE_SECS=3\r\n' |
    as_user tee "$work/config/Vistrelle/Vistrelle.ini" >/dev/null
set_folder="$home/Pictures/Vistrelles/Default Category/Default Image Set"
in_background "$work/run.log" "$installed" </dev/null
app=$background
wait_window_of vistrelle
show_painted "$3" painted 400 300
wait_window_of painted

# shoot COUNT COMMAND...: runs COMMAND with the painted window active and checks the COUNTth
# file: the painted window itself; prints how long it took.
shoot() {
    local count=$1 started
    shift
    focus painted
    started=$(date +%s%N)
    "$@"
    files_in_set "$count"
    echo "$(((($(date +%s%N) - started) / 1000000))) ms"
    sleep 0.3
    check_painted "$checker" "$(newest_shot)" 400 300 window
}

shoot 1 in_session "$installed" --capture-window

# The portal's global shortcut, registered with the key from Options, and a real key press.
for _ in $(seq 100); do
    in_session dbus-send --session --print-reply --dest=org.kde.kglobalaccel /component/vistrelle \
        org.kde.kglobalaccel.Component.shortcutNames 2>/dev/null | grep -q capture-window && break
    sleep 0.2
done
shoot 2 press ctrl+k
# The desktop's own shortcut to the command.
shoot 3 press ctrl+alt+k
! in_session xdotool search --onlyvisible --name '^Vistrelle$' >/dev/null 2>&1 || fail "a message stands though KWin gave the window"

# Time-lapse: a shot at once, another after 3 s, then stopped.
focus painted
in_session "$installed" --time-lapse || fail "the command failed"
files_in_set 5
in_session "$installed" --time-lapse || fail "the command failed"
for shot in "$set_folder"/*_Time_Lapsed.jpg; do check_painted "$checker" "$shot" 400 300 window; done
[ "$(find "$set_folder" -name '*_Time_Lapsed.jpg' | wc -l)" -eq 2 ] || fail "time-lapse gave $(ls "$set_folder")"

# Pictures copied by a Wayland program are filed through data-control, and the clipboard is
# emptied, whatever window is active.
mkdir "$work/pictures"
QT_QPA_PLATFORM=offscreen "$checker" pictures "$work/pictures" 640 400 4 || fail "could not make the pictures"
chmod -R a+rX "$work/pictures"
timings=()
for n in 1 2 3; do
    started=$(date +%s%N)
    in_background "$work/wl-copy.log" wl-copy --foreground --type image/png <"$work/pictures/pic_0$n.png"
    files_in_set $((5 + n))
    timings+=($((($(date +%s%N) - started) / 1000000)))
    clipboard_empty
done
echo "clipboard to file, ms: ${timings[*]}"

# A picture copied by an X11 program, with an X11 window (the program's own) active: once filed,
# offered on neither side, the X11 one included, which KWin leaves to its X11 owner when the
# Wayland side is emptied.
focus vistrelle
in_session xclip -selection clipboard -t image/png -i <"$work/pictures/pic_04.png"
files_in_set 9
x11_images() { in_session timeout 2 xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep '^image/'; }
for _ in $(seq 50); do ! x11_images >/dev/null && break; sleep 0.1; done
! x11_images >/dev/null || fail "the X11 clipboard still offers the filed picture: $(x11_images | tr '\n' ' ')"
clipboard_empty

# A window KWin decorates is filed with its title bar and frame, as on X11, exactly KWin's frame
# and without the shadow KWin draws around it.
show_painted "$3" framed 400 300 decorated
wait_window_of framed
focus framed
in_session "$installed" --capture-window || fail "the command failed"
files_in_set 10
sleep 0.3
frame=$(windows | awk '$1 == "framed" { print $2 }')
filed=$(file -b "$(newest_shot)" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
[ "${filed%x*}" -ge $((${frame%x*} - 2)) ] && [ "${filed%x*}" -le $((${frame%x*} + 2)) ] &&
    [ "${filed#*x}" -ge $((${frame#*x} - 2)) ] && [ "${filed#*x}" -le $((${frame#*x} + 2)) ] ||
    fail "the window of KWin's frame $frame was filed as $filed"
check_painted "$checker" "$(newest_shot)" 400 300 framed
stop_background "$painted"
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
stop_background "$app"

# Run from its build folder, the program is not the one the desktop entry names: KWin refuses it
# the window, and the portal gives the whole screen, told as such; the portal's own file does
# not stay among the user's pictures.
install_program "$kde_build/vistrelle"
set_folder="$program/Vistrelles/Default Category/Default Image Set"
run_log=$work/run2.log
in_background "$run_log" "$program/vistrelle" </dev/null
for _ in $(seq 100); do [ -d "$set_folder" ] && break; sleep 0.2; done
sleep 2
focus painted
in_session "$program/vistrelle" --capture-window || fail "the command failed"
files_in_set 1
sleep 0.3
[ "$(file -b "$(newest_shot)" | grep -o '[0-9]*x[0-9]*' | tail -n 1)" = 1280x720 ] ||
    fail "the portal's picture is not the 1280x720 screen: $(file -b "$(newest_shot)")"
check_painted "$checker" "$(newest_shot)" 400 300 screen
# The user is told that the screen came instead of the window, and why (a box of the program's).
for _ in $(seq 100); do in_session xdotool search --onlyvisible --name '^Vistrelle$' >/dev/null 2>&1 && break; sleep 0.2; done
in_session xdotool search --onlyvisible --name '^Vistrelle$' >/dev/null 2>&1 || fail "the screen instead of the window was not told"
[ -z "$(find "$home/Pictures" -name 'Screenshot*')" ] || fail "the portal's file stayed: $(ls "$home/Pictures")"
