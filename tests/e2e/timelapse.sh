#!/usr/bin/env bash
# Time-lapse beside the clipboard: at one shot a second of the focused window, while another
# program copies a different picture every 700 ms and then some text, every window shot is named
# _Time_Lapsed, every copied picture is filed once, in order, under a plain name, and the text the
# user copied last is still on the clipboard afterwards: a window's picture never goes through it.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2

install_program "$1"
printf 'TIMELAPSE_SECS=1\r\n' >"$program/Vistrelle.ini"
copies=10
"$helper" pictures "$work" 160 100 "$copies" || fail "the pictures could not be made"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
xterm -geometry 40x10+200+150 -title capture-target &
x_pids+=($!)
target=$(wait_window '^capture-target$')
xdotool windowactivate --sync "$target"
sleep 0.3

shots() { find "$set_folder" -name 'Image_*_Time_Lapsed.jpg' | wc -l; }
started=$(date +%s)
"$program/vistrelle" --time-lapse || fail "the time-lapse command failed"
for n in $(seq -w 1 "$copies"); do
    xclip -selection clipboard -t image/png -i "$work/pic_$n.png"
    sleep 0.7
done
words="words copied between two shots"
printf '%s' "$words" | xclip -selection clipboard
# Two shots at least after the text, so that one would have replaced it.
before=$(shots)
for _ in $(seq 100); do [ "$(shots)" -ge $((before + 2)) ] && break; sleep 0.1; done
"$program/vistrelle" --time-lapse || fail "the time-lapse command failed"
seconds=$(($(date +%s) - started))
sleep 1.5

[ "$(timeout 5 xclip -selection clipboard -o 2>/dev/null)" = "$words" ] ||
    fail "the text copied is gone from the clipboard: $(timeout 5 xclip -selection clipboard -o -t TARGETS 2>&1)"
"$helper" check "$set_folder" "$copies" ||
    fail "the copied pictures were not filed once each under plain names: $(ls "$set_folder" | tr '\n' ' ')"
count=$(shots)
# One shot a second, give or take a busy machine's ticks.
[ "$count" -ge $((seconds / 2)) ] || fail "$count shots in $seconds s"
picture_size=$(file -b "$set_folder/$(ls "$set_folder" | grep -v _Time_Lapsed | head -n 1)" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
while read -r shot; do
    size=$(file -b "$shot" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
    [ "$size" != "$picture_size" ] || fail "$(basename "$shot") is a copied picture, named as a shot"
done < <(find "$set_folder" -name 'Image_*_Time_Lapsed.jpg')

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
