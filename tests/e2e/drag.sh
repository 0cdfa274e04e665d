#!/usr/bin/env bash
# Pictures dragged out of the library into another program (a drop target of the tests' own):
# from the file list one file as its path and its picture, several as paths only; from the
# viewer the picture shown. Ctrl+C in the list and in the viewer puts them on the clipboard the
# same way, a PNG as its own bytes. A drag only ever copies: the files stay where they are.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
target_program=$2
mkdir -p "$set_folder"
for name in Image_261201_100000.png Image_261201_100001.png Image_261201_100002.png; do
    cp "$work/shot.png" "$set_folder/$name"
done
"$program/vistrelle" >"$work/run.log" 2>&1 &
main=$(wait_window '^Vistrelle \(JPG\)$')
viewer=$(wait_window '^Vistrelle Image Viewer')
"$target_program" >"$work/drops.log" 2>&1 &
x_pids+=($!)
wait_window '^drop-target$' >/dev/null

# geometry ID: "X Y WIDTH HEIGHT" of the window's inside on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}
        /Width:/{w=$2}/Height:/{h=$2}END{print x, y, w, h}'
}

# drag FROM_X FROM_Y: presses there, moves past the drag distance in steps as a hand does, and
# lets go over the drop target; then waits for what it received.
drag() {
    local drops
    drops=$(grep -c '^end' "$work/drops.log")
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 4 8 16 32; do
        xdotool mousemove "$(($1 + step))" "$(($2 + step / 2))"
        sleep 0.05
    done
    for step in 1 2 3 4 5 6; do
        xdotool mousemove "$(($1 + (1075 - $1) * step / 6))" "$(($2 + (575 - $2) * step / 6))"
        sleep 0.1
    done
    xdotool mouseup 1
    for _ in $(seq 100); do
        [ "$(grep -c '^end' "$work/drops.log")" -gt "$drops" ] && break
        sleep 0.1
    done
    [ "$(grep -c '^end' "$work/drops.log")" -gt "$drops" ] || fail "the drop target got nothing: $(cat "$work/drops.log")"
    # The last drop's lines.
    awk '/^drop/{lines=""} {lines=lines $0 "\n"} END{printf "%s", lines}' "$work/drops.log"
}

# The file list has the focus (Esc in the Find box gives it), its first line selected.
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+f Escape
sleep 0.5
# shellcheck disable=SC2046
read -r x y < <("$target_program" locate $(geometry "$main")) || fail "no selected line in the file list"
received=$(drag "$x" "$y")
grep -qx 'drop copy' <<<"$received" || fail "a drag from the list offered more than a copy: $received"
grep -qx "file $set_folder/Image_261201_100000.png" <<<"$received" || fail "the file was not dropped: $received"
grep -q '^type image/png [1-9]' <<<"$received" || fail "one file came without its picture: $received"
# copied_as TYPE: what the clipboard holds as TYPE once the list's selection is copied.
copied_as() {
    xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+c
    sleep 0.5
    timeout 5 xclip -selection clipboard -o -t "$1" 2>/dev/null
}
uri="file://${set_folder// /%20}"
[ "$(copied_as text/uri-list | tr -d '\r')" = "$uri/Image_261201_100000.png" ] || fail "Ctrl+C copied: $(copied_as text/uri-list)"
copied_as image/png | cmp -s - "$set_folder/Image_261201_100000.png" || fail "Ctrl+C copied not the PNG's own bytes"

xdotool windowactivate --sync "$main" key --clearmodifiers shift+Down
sleep 0.5
# shellcheck disable=SC2046
read -r x y < <("$target_program" locate $(geometry "$main")) || fail "no selected line in the file list"
received=$(drag "$x" "$y")
[ "$(grep -c '^file ' <<<"$received")" -eq 2 ] || fail "two files selected, not two dropped: $received"
! grep -q '^type image/png' <<<"$received" || fail "several files came with a picture: $received"
[ "$(copied_as text/uri-list | tr -d '\r')" = "$(printf '%s\n' "$uri/Image_261201_100000.png" "$uri/Image_261201_100001.png")" ] ||
    fail "Ctrl+C copied: $(copied_as text/uri-list)"
! copied_as TARGETS | grep -qx image/png || fail "Ctrl+C offered several files as a picture"

read -r vx vy vw vh < <(geometry "$viewer")
# The press that began the last drag made its line, the first, the one shown.
received=$(drag "$((vx + vw / 2))" "$((vy + vh / 2))")
grep -qx "file $set_folder/Image_261201_100000.png" <<<"$received" ||
    fail "the viewer's picture was not dropped: $received"
# Ctrl+C in the viewer copies the picture shown (the clipboard held the list's two files).
xdotool windowactivate --sync "$viewer" key --clearmodifiers ctrl+c
viewer_copy() { timeout 5 xclip -selection clipboard -o -t text/uri-list 2>/dev/null | tr -d '\r'; }
for _ in $(seq 50); do [ "$(viewer_copy)" = "$uri/Image_261201_100000.png" ] && break; sleep 0.1; done
[ "$(viewer_copy)" = "$uri/Image_261201_100000.png" ] || fail "Ctrl+C in the viewer copied: $(viewer_copy)"

[ "$(ls "$set_folder")" = "$(printf 'Image_261201_100000.png\nImage_261201_100001.png\nImage_261201_100002.png')" ] ||
    fail "the drags changed the Image Set: $(ls -A "$set_folder")"
echo "PASS"
