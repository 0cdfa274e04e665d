#!/usr/bin/env bash
# A burst of different 4K pictures copied 30 ms apart, while a very tall picture is selected in
# the list, becomes as many intact files in copy order as pictures the program could read,
# whatever the machine's load (one replaced before any request could reach it is gone for every
# program); a clipboard manager that puts the emptied clipboard back does not make the picture a
# file again.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2
source "$(dirname "$0")/copies.sh"

install_program "$1"
mkdir -p "$set_folder" "$work/hd" "$work/uhd"
"$helper" pictures "$work" 800 20000 1 jpg && mv "$work/pic_01.jpg" "$set_folder/tall.jpg" ||
    fail "could not make the tall picture"
"$helper" pictures "$work/hd" 1920 1080 1 || fail "could not make the pictures"
"$helper" pictures "$work/uhd" 3840 2160 10 || fail "could not make the pictures"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
wait_window '^Vistrelle \(JPG\)$' >/dev/null

burst "$work/uhd" 30
filed "$work/uhd"
mkdir "$work/first" && mv "$set_folder"/Image_* "$work/first/"

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
