#!/usr/bin/env bash
# Bursts of different pictures copied quickly one after the other, while a very tall picture
# is selected in the list, become exactly as many intact files in copy order, whatever the
# machine's load: each picture that was asked for while on the clipboard (one replaced before
# any request could reach it is gone for every program); a clipboard manager that puts the
# emptied clipboard back does not make the picture a file again.
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

# burst FOLDER MS: copies every picture of FOLDER, MS ms apart, until the last one is emptied
# away; FOLDER/asked tells which were asked for while on the clipboard. A picture replaced
# before a request for it reached the X server could be read by nobody: the next owner answers
# that request.
burst() {
    timeout 120 "$helper" copies "$2" "$1"/pic_*.png >"$1/asked" || fail "the last picture was not emptied away"
}
# filed FOLDER: waits up to a minute until the Image Set holds as many screenshots as pictures of
# FOLDER were asked for, and no temporary file; then checks that they are those pictures in copy
# order, each asked for once.
filed() {
    local pictures
    pictures=$(cut -d ' ' -f 2 "$1/asked" | sort -un | tr '\n' ,)
    for _ in $(seq 600); do
        [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge "$(tr -cd , <<<"$pictures" | wc -c)" ] &&
            [ -z "$(find "$set_folder" -name '.*')" ] && break
        sleep 0.1
    done
    sleep 1
    [ -z "$(sort "$1/asked" | uniq -d)" ] || fail "a picture was asked for twice: $(sort "$1/asked" | uniq -d)"
    "$helper" check "$set_folder" "$pictures" ||
        fail "the burst was not filed whole: $(ls "$set_folder" | tr '\n' ' '), asked for: $pictures"
}

burst "$work/hd" 100
filed "$work/hd"
mkdir "$work/first" && mv "$set_folder"/Image_* "$work/first/"
burst "$work/uhd" 30
filed "$work/uhd"
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
