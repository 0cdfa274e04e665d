#!/usr/bin/env bash
# The keys people press: Print and Alt+Print, which the window manager holds in its usual
# setup, are each told once; once free, Print captures the active window, and Alt+Print
# is a hotkey of its own (time-lapse), not Print.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
# Print for the active window, Alt+Print starts and stops time-lapse, whose next shot is far.
printf 'ACTIVEWINDOW_HK=44\r\nACTIVEWINDOW_HKCS=0\r\nTIMELAPSE_HK=44\r\nTIMELAPSE_HKCS=4\r\nTIMELAPSE_SECS=600\r\n' \
    >"$program/Vistrelle.ini"

# told: a message box is on screen; it is answered and gone. (What it says is the widget test's.)
told() {
    local box
    box=$(wait_window '^Vistrelle$') || exit 1
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null | grep -qx "$box" || return 0
        sleep 0.1
    done
    fail "the message box stayed"
}

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
# Print and Alt+Print, one box each.
told
told

# The window manager again, without its own Print keys: they are free for the program.
sed '/<keybind key="\(A-\)\?Print">/,/<\/keybind>/d' /etc/xdg/openbox/rc.xml >"$work/rc.xml"
openbox --replace --config-file "$work/rc.xml" >"$work/openbox-free.log" 2>&1 &
x_pids+=($!)
wait "${x_pids[1]}"
for _ in $(seq 100); do # once the new one manages the windows
    xdotool windowactivate --sync "$main" 2>/dev/null && break
    sleep 0.1
done

xdotool key Print
files_in_set 1
# Alt+Print starts time-lapse, whose first shot comes at once; it is not Print as well.
xdotool keydown alt key Print keyup alt
files_in_set 2
sleep 1.5
files_in_set 2
# Each taken key was told once: no box came since.
! xdotool search --onlyvisible --name '^Vistrelle$' >/dev/null 2>&1 || fail "a key was told more than once"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
