#!/usr/bin/env bash
# A library other tools fill: flameshot saving the whole screen into the Image Set shown, and
# copying it to the clipboard as well. Its file is listed (not selected), its words are read
# and found, and its clipboard copy is not filed a second time; a picture copied from another
# program afterwards is filed as always.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
walker=(/usr/bin/python3 "$(dirname "$0")/accessible.py")
main_title='^Vistrelle \(JPG\)$'
# flameshot keeps its settings in the test's own home, and its command reaches its running
# instance on the test's own bus.
export HOME=$work/home
mkdir -p "$HOME" "$set_folder"
start_accessibility_bus

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
wait_window "$main_title" >/dev/null
flameshot >"$work/flameshot.log" 2>&1 &
x_pids+=($!)
until_true "flameshot did not start" bash -c "dbus-send --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.flameshot.Flameshot | grep -q true"
xterm -fa 'DejaVu Sans Mono' -fs 20 -geometry 30x4+500+400 -title words \
    -e sh -c "echo 'LIGHTHOUSE JOURNAL'; sleep 600" &
x_pids+=($!)
wait_window '^words$' >/dev/null

lines() { "${walker[@]}" lines "$main_title" "Image Files"; }
told() { "${walker[@]}" names "$main_title" | grep -F "$1" >/dev/null; }

timeout 30 flameshot full -c -p "$set_folder" >>"$work/flameshot.log" 2>&1 || fail "flameshot did not save"
saved=$(ls "$set_folder" | grep -v '^Image_')
[ "$(wc -l <<<"$saved")" -eq 1 ] || fail "flameshot saved: $(ls -A "$set_folder")"
within 10 "flameshot's file was not listed" bash -c "${walker[*]@Q} lines ${main_title@Q} 'Image Files' | grep -qxF ${saved@Q}"
within 20 "the clipboard copy was not told as the file saved" \
    told "The picture on the clipboard is $saved of the Image Set already"
[ -z "$(ls "$set_folder" | grep '^Image_')" ] || fail "the clipboard copy was filed too: $(ls "$set_folder")"
[ "$(lines)" = "$saved" ] || fail "listed: $(lines)"
within 120 "Find did not find flameshot's file by its words" \
    bash -c "\"$program/vistrelle\" --find LIGHTHOUSE | grep -qxF ${set_folder@Q}/${saved@Q}"

# A picture copied from another program afterwards is filed.
xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
[ "$(ls "$set_folder" | wc -l)" -eq 2 ] || fail "the Image Set holds: $(ls "$set_folder")"

close_window "$(wait_window "$main_title")"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
