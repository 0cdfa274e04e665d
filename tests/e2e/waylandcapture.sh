#!/usr/bin/env bash
# On a wlroots desktop (sway) under XWayland, `vistrelle --capture-window` captures the focused
# window, an X11 one and a Wayland one alike: its own pixels (not the black of the root window
# XWayland cannot read), at the window's size on screen.
set -uo pipefail
source "$(dirname "$0")/swaysession.sh"

install_program "$1"
printf '[colors]\nbackground=e08040\n' >"$work/foot.ini"
chmod 0644 "$work/foot.ini"
in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
wait_window_of Vistrelle
in_background "$work/xterm.log" xterm -class CaptureXterm -bg '#40a0e0' </dev/null
wait_window_of CaptureXterm
in_background "$work/foot.log" foot --config="$work/foot.ini" --app-id=capture-foot </dev/null
wait_window_of capture-foot

# brightness FILE: the mean of the picture's colour values, 0 to 255.
brightness() {
    djpeg -pnm "$1" | tail -n +4 | od -An -tu1 -v | awk '{ for (i = 1; i <= NF; i++) s += $i; n += NF } END { print int(s / n) }'
}
# capture NAME COUNT: focuses NAME, runs the command, and checks the COUNTth file: the
# window's size, and not dark.
capture() {
    focus "$1"
    local size
    size=$(focused_window | awk '{ print $3 }')
    in_session "$program/vistrelle" --capture-window || fail "the command failed"
    files_in_set "$2"
    sleep 0.3
    local shot
    shot=$(ls -t "$set_folder"/Image_* | head -n 1)
    [ "$(file -b "$shot" | grep -o '[0-9]*x[0-9]*' | tail -n 1)" = "$size" ] ||
        fail "$1 was captured as $(file -b "$shot"), but it is $size on screen"
    [ "$(brightness "$shot")" -gt 60 ] || fail "the picture of $1 is dark: $(brightness "$shot")"
    focused_window | grep -q "^$1 " || fail "the capture took the focus from $1"
}

capture CaptureXterm 1
capture capture-foot 2
sleep 0.5
! in_session wl-paste --list-types >/dev/null 2>&1 || fail "the capture stayed on the clipboard"
kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
