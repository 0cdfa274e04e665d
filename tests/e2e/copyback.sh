#!/usr/bin/env bash
# Pictures copied out of the library paste in other programs: Ctrl+C on a filed JPEG puts its
# pixels on the clipboard as image/png and the file itself for file managers, a PNG goes as its
# own bytes, several files as files only. Vistrelle never files its own copy nor empties the
# clipboard after it, also when a clipboard manager takes the copy over (the same bytes, or the
# picture in another format); a different picture copied afterwards is filed.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2

install_program "$1"
mkdir -p "$set_folder" "$work/pictures"
"$helper" pictures "$work/pictures" 640 400 3 || fail "could not make the pictures"
# A PNG kept in the Image Set, listed after the capture.
cp "$work/pictures/pic_03.png" "$set_folder/Kept.png"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

targets() { timeout 5 xclip -selection clipboard -o -t TARGETS 2>/dev/null; }
# pasted TYPE: what a program pasting TYPE gets.
pasted() { timeout 5 xclip -selection clipboard -o -t "$1" 2>/dev/null; }
# offered TYPE: waits up to 10 s until the clipboard offers TYPE.
offered() {
    for _ in $(seq 100); do
        targets | grep -qx "$1" && return 0
        sleep 0.1
    done
    fail "the clipboard does not offer $1: $(targets | tr '\n' ' ')"
}
# copy KEYS...: the keys typed in the file list (after Find's box gives it the focus), then Ctrl+C.
copy() {
    xclip -selection clipboard -i <<<"not yet"
    xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+f Escape "$@" ctrl+c
}
# uri_path: the one file the clipboard's uri-list names, as a path.
uri_path() {
    local uri
    uri=$(pasted text/uri-list | tr -d '\r')
    [ "$(wc -l <<<"$uri")" -eq 1 ] && [[ $uri == file://* ]] || fail "not one file's uri: $uri"
    uri=${uri#file://}
    printf '%b' "${uri//%/\\x}"
}
no_new_file() {
    [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -eq 1 ] ||
        fail "the copy was filed: $(ls "$set_folder" | tr '\n' ' ')"
}

xclip -selection clipboard -t image/png -i "$work/pictures/pic_01.png"
files_in_set 1
filed=$(find "$set_folder" -name 'Image_*')

# The JPEG: its pixels as a PNG, and the file.
copy Home
offered image/png
pasted image/png >"$work/pasted.png"
"$helper" same "$work/pasted.png" "$filed" || fail "the pasted picture is not the JPEG's pixels"
[ "$(uri_path)" = "$filed" ] || fail "the uri-list names $(uri_path), not $filed"
[ "$(pasted x-special/gnome-copied-files | head -n 1)" = copy ] || fail "file managers are not told to copy"
# Seconds later the picture is still there, and the library still holds one screenshot.
sleep 3
pasted image/png | cmp -s - "$work/pasted.png" || fail "the copy did not stay on the clipboard"
no_new_file

# The PNG: its own bytes.
copy Home Down
offered image/png
pasted image/png | cmp -s - "$set_folder/Kept.png" || fail "the pasted PNG is not the file's bytes"
[ "$(uri_path)" = "$set_folder/Kept.png" ] || fail "the uri-list names $(uri_path), not Kept.png"

# Both: files only.
copy Home shift+End
offered text/uri-list
! targets | grep -q '^image/' || fail "several files were offered as a picture: $(targets | tr '\n' ' ')"
[ "$(pasted text/uri-list | tr -d '\r' | wc -l)" -eq 2 ] || fail "not both files: $(pasted text/uri-list)"

# A clipboard manager takes each copy over: the same bytes, then the picture as a bitmap.
for way in same bmp; do
    "$helper" takeover "$way" >"$work/takeover-$way.log" 2>&1 &
    keeper=$!
    x_pids+=("$keeper")
    [ "$way" = same ] && copy Home Down || copy Home
    for _ in $(seq 300); do grep -q 'took over' "$work/takeover-$way.log" && break; sleep 0.1; done
    grep -q 'took over' "$work/takeover-$way.log" || fail "the manager did not take the copy over ($way)"
    [ "$way" = same ] && { pasted image/png | cmp -s - "$set_folder/Kept.png" || fail "the manager's copy differs"; }
    [ "$way" = bmp ] && offered image/bmp
    sleep 2
    targets | grep -q '^image/' || fail "the manager's copy was emptied away ($way)"
    no_new_file
    [ "$way" = same ] && kill "$keeper"
done

# A different picture copied by another program, with the manager still taking copies over, is
# filed once; the copies before it were not.
xclip -selection clipboard -t image/png -i "$work/pictures/pic_02.png"
files_in_set 2
"$helper" check "$set_folder" 2 || fail "the copies were filed: $(ls "$set_folder" | tr '\n' ' ')"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
