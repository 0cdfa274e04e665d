#!/usr/bin/env bash
# On a wlroots desktop (sway) under XWayland, `vistrelle --capture-window` captures the focused
# window, an X11 one and a Wayland one alike: its own pixels (not the black of the root window
# XWayland cannot read), at the window's size on screen. The Wayland window is painted in four
# known colours, which the capture must show in their places.
set -uo pipefail
source "$(dirname "$0")/swaysession.sh"
checker=$2

install_program "$1"
in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
wait_window_of Vistrelle
in_background "$work/xterm.log" xterm -class CaptureXterm -bg '#40a0e0' </dev/null
wait_window_of CaptureXterm
show_painted "$3" capture-painted 400 300
wait_window_of capture-painted

# capture NAME COUNT: focuses NAME, runs the command, and checks that the COUNTth file has the
# window's size; prints the size and the file.
capture() {
    focus "$1"
    local size shot
    size=$(focused_window | awk '{ print $3 }')
    in_session "$program/vistrelle" --capture-window || fail "the command failed"
    files_in_set "$2"
    sleep 0.3
    shot=$(newest_shot)
    [ "$(file -b "$shot" | grep -o '[0-9]*x[0-9]*' | tail -n 1)" = "$size" ] ||
        fail "$1 was captured as $(file -b "$shot"), but it is $size on screen"
    focused_window | grep -q "^$1 " || fail "the capture took the focus from $1"
    echo "$size $shot"
}

capture CaptureXterm 1 >/dev/null
read -r size shot <<<"$(capture capture-painted 2)"
# sway tiles the window: its size is the tile's, painted in four quarters all the same.
check_painted "$checker" "$shot" "${size%x*}" "${size#*x}" window

# The desktop's own shortcut to the command, as the README sets it up, pressed on a (virtual)
# keyboard.
in_session swaymsg "bindsym Ctrl+Shift+k exec $program/vistrelle --capture-window" >/dev/null ||
    fail "sway took no binding"
focus capture-painted
in_session wtype -M ctrl -M shift k -m shift -m ctrl || fail "the keys could not be typed"
files_in_set 3
sleep 0.3
check_painted "$checker" "$(newest_shot)" "${size%x*}" "${size#*x}" window
sleep 0.5
clipboard_empty
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
