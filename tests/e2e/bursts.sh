#!/usr/bin/env bash
# Bursts of different pictures copied quickly one after the other, while a very tall picture
# is selected in the list, become exactly as many intact files in copy order; a clipboard
# manager that puts the emptied clipboard back does not make the picture a file again.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2

install_program "$1"
mkdir -p "$set_folder" "$work/hd" "$work/uhd"
"$helper" pictures "$work" 800 20000 1 jpg && mv "$work/pic_01.jpg" "$set_folder/tall.jpg" ||
    fail "could not make the tall picture"
"$helper" pictures "$work/hd" 1920 1080 20 || fail "could not make the pictures"
"$helper" pictures "$work/uhd" 3840 2160 10 || fail "could not make the pictures"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
wait_window '^Vistrelle \(JPG\)$' >/dev/null

# burst FOLDER SECONDS: copies every picture of FOLDER with xclip, SECONDS apart.
burst() {
    for picture in "$1"/pic_*.png; do
        xclip -selection clipboard -t image/png -i "$picture"
        sleep "$2"
    done
}
# filed COUNT: waits up to a minute until the Image Set holds COUNT screenshots and no
# temporary file, then checks that they are pictures 1 to COUNT in that order.
filed() {
    for _ in $(seq 600); do
        [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge "$1" ] && [ -z "$(find "$set_folder" -name '.*')" ] &&
            break
        sleep 0.1
    done
    sleep 1
    "$helper" check "$set_folder" "$1" || fail "the burst was not filed whole: $(ls "$set_folder" | tr '\n' ' ')"
}

burst "$work/hd" 0.1
filed 20
mkdir "$work/first" && mv "$set_folder"/Image_* "$work/first/"
burst "$work/uhd" 0.2
filed 10
mv "$set_folder"/Image_* "$work/first/"

# A manager puts its picture on the clipboard, and back when the clipboard is emptied.
"$helper" manager "$work/hd/pic_01.png" >"$work/manager.log" 2>&1 &
x_pids+=($!)
sleep 4
[ "$(find "$set_folder" -name 'Image_*' | wc -l)" -eq 1 ] ||
    fail "the restored picture was filed again: $(ls "$set_folder" | tr '\n' ' ')"
restores=$(grep -c restored "$work/manager.log")
[ "$restores" -eq 1 ] || fail "the picture was cleared and restored $restores times"
targets=$(timeout 5 xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
grep -q image/ <<<"$targets" || fail "the restored picture was cleared again"
