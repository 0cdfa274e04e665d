#!/usr/bin/env bash
# The command line: --help and --version print and end without a display, an unknown switch or
# two commands are refused on standard error with status 2; the capture commands a desktop's own shortcut
# settings run: `vistrelle --capture-window` captures the focused window through the running
# program, `--time-lapse` starts and stops time-lapse, and without a running program both say
# so and end. The program's socket is the user's alone; a runtime folder deeper than a socket's
# address holds, and a socket file left there by a program that died, are no obstacle. The
# hotkeys chosen in Options capture as the commands do, whatever key a settings file names; a
# key the window manager holds is told.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
printf 'TIMELAPSE_SECS=1\r\n' >"$program/Vistrelle.ini"
XDG_RUNTIME_DIR="$work/runtime/$(printf 'd%.0s' $(seq 120))"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="$XDG_RUNTIME_DIR/vistrelle.commands"
touch "$socket"

for help in --help -h; do
    env -u DISPLAY -u WAYLAND_DISPLAY "$program/vistrelle" "$help" >"$work/help.out" 2>"$work/help.err"
    [ $? -eq 0 ] && [ ! -s "$work/help.err" ] || fail "$help failed: $(cat "$work/help.err")"
    for switch in --low-resource --capture-window --time-lapse --help --version; do
        grep -q -- "^  .*$switch " "$work/help.out" || fail "$help does not name $switch: $(cat "$work/help.out")"
    done
done
version=$(env -u DISPLAY "$program/vistrelle" --version) || fail "--version failed"
[[ $version =~ ^Vistrelle\ [0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"
for wrong in --bogus -x "--help x" "--version=2"; do
    # shellcheck disable=SC2086 # the words of a case are its arguments
    env -u DISPLAY "$program/vistrelle" $wrong >"$work/wrong.out" 2>"$work/wrong.err"
    [ $? -eq 2 ] || fail "'$wrong' did not end with status 2"
    [ ! -s "$work/wrong.out" ] && grep -q "^vistrelle: .*'${wrong%%[ =]*}" "$work/wrong.err" &&
        grep -q "^Try 'vistrelle --help'" "$work/wrong.err" || fail "'$wrong' said: $(cat "$work/wrong.err")"
done
# In the desktop's language (what each says is the translation test's).
german=$(env -u DISPLAY LANGUAGE=de "$program/vistrelle" --help | head -n 1)
[[ $german == "Aufruf: vistrelle "* ]] || fail "--help in German began: $german"
german=$(env -u DISPLAY LANGUAGE=de "$program/vistrelle" --bogus 2>&1)
[ "$german" = "vistrelle: unbekannte Option '--bogus'
„vistrelle --help“ liefert weitere Informationen." ] || fail "a wrong switch in German: $german"
together=$(env -u DISPLAY "$program/vistrelle" --help --version 2>&1 | head -n 1)
[ "$together" = "vistrelle: '--version' and '--help' cannot be given together" ] || fail "two commands: $together"
[ -z "$(xdotool search --name Vistrelle 2>/dev/null)" ] || fail "a command opened a window"

"$program/vistrelle" --capture-window >"$work/none.log" 2>&1
[ $? -eq 1 ] || fail "a command without a running program did not fail"
[ "$(cat "$work/none.log")" = "Vistrelle is not running." ] || fail "it said: $(cat "$work/none.log")"
[ ! -e "$program/Vistrelles" ] || fail "a command started the program"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
[ -S "$socket" ] && [ "$(stat -c %a "$socket")" = 600 ] || fail "the socket is $(stat -c '%F %a' "$socket")"
xterm -geometry 40x10+200+150 -title capture-target &
x_pids+=($!)
target=$(wait_window '^capture-target$')
xdotool windowactivate --sync "$target"
sleep 0.3

"$program/vistrelle" --capture-window || fail "the command failed"
files_in_set 1
shot=$(find "$set_folder" -name 'Image_*')
[[ $(basename "$shot") =~ ^Image_[0-9]{6}_[0-9]{6}\.jpg$ ]] || fail "unexpected name $(basename "$shot")"
[ "$(xdotool getactivewindow)" = "$(xdotool search --name '^capture-target$' | head -n 1)" ] ||
    fail "the command took the focus"

"$program/vistrelle" --time-lapse || fail "the time-lapse command failed"
files_in_set 3
"$program/vistrelle" --time-lapse || fail "the time-lapse command failed"
sleep 1.5
count=$(find "$set_folder" -name 'Image_*_Time_Lapsed.jpg' | wc -l)
sleep 2
[ "$(find "$set_folder" -name 'Image_*_Time_Lapsed.jpg' | wc -l)" -eq "$count" ] || fail "time-lapse did not stop"
[ "$count" -ge 2 ] || fail "time-lapse took $count shots"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
"$program/vistrelle" --time-lapse 2>/dev/null
[ $? -eq 1 ] || fail "a command after the program ended did not fail"

# The hotkeys as the X server reports their keys, typed by xdotool: every key a settings file can
# name is seen, a press and release between two looks counts once, and Ctrl and Shift count as
# they were when the key went down, not as they are when it is looked at.
# hotkeys CODE MODIFIERS KEYS [CODE MODIFIERS KEYS]: starts the program with that active-window
# hotkey (and time-lapse hotkey), types each one's keys (xdotool's words; those after a "|" once
# the shot is there) and finds its shot.
hotkeys() {
    rm -rf "$program/Vistrelles"
    printf 'ACTIVEWINDOW_HK=%s\r\nACTIVEWINDOW_HKCS=%s\r\nTIMELAPSE_HK=%s\r\nTIMELAPSE_HKCS=%s\r\nTIMELAPSE_SECS=600\r\n' \
        "$1" "$2" "${4:-0}" "${5:-0}" >"$program/Vistrelle.ini"
    "$program/vistrelle" >"$work/run.log" 2>&1 &
    app=$!
    main=$(wait_window '^Vistrelle \(JPG\)$')
    xdotool windowactivate --sync "$target"
    sleep 0.3
    # shellcheck disable=SC2086 # the words are xdotool's commands
    xdotool ${3%|*}
    files_in_set 1
    if [ $# -gt 3 ]; then
        # shellcheck disable=SC2086
        xdotool ${6%|*}
        files_in_set 2
        [ -n "$(find "$set_folder" -name '*_Time_Lapsed.jpg')" ] || fail "'$6' started no time-lapse"
        [[ $6 != *"|"* ]] || xdotool ${6#*|}
    fi
    sleep 1
    files_in_set $(($# > 3 ? 2 : 1))
    close_window "$main"
    wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
}
hotkeys 75 3 "keydown ctrl keydown shift keydown k keyup shift keyup ctrl keyup k" \
    123 2 "keydown shift keydown F12 keyup shift keydown ctrl keyup F12|keyup ctrl"
hotkeys 37 0 "key Left" 34 0 "key Next"
hotkeys 101 0 "key KP_5" 107 0 "key KP_Add"
hotkeys 221 0 "key bracketright"

# Print and Alt+Print, which the window manager holds in its usual setup, are told once each,
# a box after the other (what they say is the widget test's).
printf 'ACTIVEWINDOW_HK=44\r\nACTIVEWINDOW_HKCS=0\r\nTIMELAPSE_HK=44\r\nTIMELAPSE_HKCS=4\r\n' >"$program/Vistrelle.ini"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
for _ in Print Alt+Print; do
    box=$(wait_window '^Vistrelle$') || exit 1
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null | grep -qx "$box" || break
        sleep 0.1
    done
done
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
# The window manager without its own Print keys: two hotkeys on one key, Alt+Print no Print.
sed '/<keybind key="\(A-\)\?Print">/,/<\/keybind>/d' /etc/xdg/openbox/rc.xml >"$work/rc.xml"
openbox --replace --config-file "$work/rc.xml" >"$work/openbox-free.log" 2>&1 &
x_pids+=($!)
wait "${x_pids[1]}"
for _ in $(seq 100); do # once the new one manages the windows
    xdotool windowactivate --sync "$target" 2>/dev/null && break
    sleep 0.1
done
hotkeys 44 0 "key Print" 44 4 "keydown alt key Print keyup alt|keydown alt key Print keyup alt"
