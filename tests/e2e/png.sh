#!/usr/bin/env bash
# PNG under the real desktop: a .png screenshot already in the Image Set is listed and shown, a
# clipboard picture is filed as an exact PNG, also when it is offered only as TIFF or under a
# registered name Qt does not look for (image/x-portable-pixmap), and the new file is listed and
# shown. The viewer keeps its width, the height following the picture; a page taller than the
# screen is shown whole within it, narrower, and the next picture has the width back, which is
# the width saved. The user cannot close the viewer alone.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
printf 'IMAGEFORMAT=PNG\r\n' >"$program/Vistrelle.ini"
mkdir -p "$set_folder"
# A 400x100 page saved by another screenshot program, a name that sorts after the captures.
printf 'iVBORw0KGgoAAAANSUhEUgAAAZAAAABkCAIAAAAnqfEgAAABEklEQVR42u3UQQ0AAAjEsJODJtQhFR2QJlWwx1I9ACdEAsCwAAwLMCwAwwIwLMCwAAwLwLAAwwIwLADDAgwLwLAADAswLADDAjAswLAADAvAsADDAjAsAMMCDAvAsAAMCzAsAMMCDEsFwLAADAswLADDAjAswLAADAvAsADDAjAsAMMCDAvAsAAMCzAsAMMCMCzAsAAMC8CwAMMCMCwAwwIMC8CwAAwLMCwAwwIMSwXAsAAMCzAsAMMCMCzAsAAMC8CwAMMCMCwAwwIMC8CwAAwLMCwAwwIwLMCwAAwLwLAAwwIwLADDAgwLwLAADAswLADDAgwLwLAADAswLADDAjAswLAADAvAsADDAjAsAMMC/loxkwrg3zb7UQAAAABJRU5ErkJggg==' |
    base64 -d >"$set_folder/Screenshot from 2026-01-01.png"
# An 8x200 page, listed last.
printf 'iVBORw0KGgoAAAANSUhEUgAAAAgAAADICAIAAABahTdoAAAALElEQVR42u3JMQ0AAAgDsClBJxKRhQFOzib9muk6RQghhBBCCCGEEEII8RULbD2L+YwzNZQAAAAASUVORK5CYII=' |
    base64 -d >"$set_folder/Tall page.png"
# The 3x2 picture of shot.png as an uncompressed TIFF.
printf 'SUkqAAgAAAAJAAABAwABAAAAAwAAAAEBAwABAAAAAgAAAAIBAwADAAAAegAAAAMBAwABAAAAAQAAAAYBAwABAAAAAgAAABEBBAABAAAAgAAAABUBAwABAAAAAwAAABYBAwABAAAAAgAAABcBBAABAAAAEgAAAAAAAAAIAAgACAD/AAAA/wAAAP///wAA////AP8=' |
    base64 -d >"$work/shot.tif"
# ... and as a binary portable pixmap.
{
    printf 'P6\n3 2\n255\n'
    printf '\377\000\000\000\377\000\000\000\377\377\377\000\000\377\377\377\000\377'
} >"$work/shot.ppm"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(PNG\)$')
viewer=$(wait_window '^Vistrelle Image Viewer')

# The viewer's client height: the picture at the viewer's width, plus the menu bar.
viewer_height() { xwininfo -id "$viewer" | awk '/Height:/{print $2}'; }
viewer_width() { xwininfo -id "$viewer" | awk '/Width:/{print $2}'; }
shots() { find "$set_folder" -name 'Image_*' | sort; }
# wait_shots COUNT: waits up to 10 s until the Image Set holds COUNT captures.
wait_shots() {
    for _ in $(seq 100); do
        [ "$(shots | wc -l)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "expected $1 captures, found: $(ls -A "$set_folder")"
}
sleep 1
page_height=$(viewer_height)
width=$(viewer_width)

xclip -selection clipboard -t image/png -i "$work/shot.png"
wait_shots 1
shot=$(shots | head -n 1)
[[ $(basename "$shot") =~ ^Image_[0-9]{6}_[0-9]{6}\.png$ ]] || fail "unexpected name $(basename "$shot")"
file -b "$shot" | grep -q '^PNG image data, 3 x 2, 8-bit/color RGB,' || fail "not the 3x2 picture: $(file -b "$shot")"

# Only TIFF on offer: filed all the same, as PNG. (Text in between: the same colours straight
# after the clearing would be the same picture back.)
sleep 0.5
xclip -selection clipboard -i <<<"text"
sleep 0.3
xclip -selection clipboard -t image/tiff -i "$work/shot.tif"
wait_shots 2
tiff_shot=$(shots | tail -n 1)
file -b "$tiff_shot" | grep -q '^PNG image data, 3 x 2, 8-bit/color RGB,' || fail "TIFF picture filed as $(file -b "$tiff_shot")"
sleep 0.5
xclip -selection clipboard -i <<<"text"
sleep 0.3
xclip -selection clipboard -t image/x-portable-pixmap -i "$work/shot.ppm"
wait_shots 3
pixmap_shot=$(shots | tail -n 1)
cmp -s "$tiff_shot" "$pixmap_shot" || fail "the pixmap was filed as $(file -b "$pixmap_shot"), not as the TIFF picture"

# The list shows the captures first; the first one in the viewer takes the 3:2 shape at the
# same width. Alt+F, the key of the list's label, goes to the list.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+f Home
expected=$((page_height + width * 2 / 3 - width / 4))
for _ in $(seq 50); do
    height=$(viewer_height)
    [ $((height - expected)) -le 2 ] && [ $((expected - height)) -le 2 ] && break
    sleep 0.1
done
[ $((height - expected)) -le 2 ] && [ $((expected - height)) -le 2 ] ||
    fail "the viewer is ${width}x$height after ${width}x$page_height for the 4:1 page, not near $expected for 3:2"

# The tall page: the viewer's frame within the screen, the page more than half the screen's
# height, its width a 25th of that.
xdotool windowactivate --sync "$main" key --clearmodifiers End
menu=$((page_height - width / 4))
for _ in $(seq 50); do
    tall=$(viewer_height)
    [ "$tall" -gt 400 ] && break
    sleep 0.1
done
read -r top narrow < <(xwininfo -id "$viewer" | awk '/Absolute upper-left Y/{y=$4}/Width:/{w=$2}END{print y, w}')
[ "$tall" -gt 400 ] && [ $((top + tall)) -le 800 ] || fail "the tall page's viewer is ${narrow}x$tall at $top on an 800-pixel screen"
[ $(((tall - menu) / 25 - narrow)) -le 2 ] && [ $((narrow - (tall - menu) / 25)) -le 2 ] ||
    fail "the tall page is shown ${narrow} wide, $((tall - menu)) high"
xdotool key --clearmodifiers Home
for _ in $(seq 50); do [ "$(viewer_width)" -eq "$width" ] && break; sleep 0.1; done
[ "$(viewer_width)" -eq "$width" ] || fail "the next picture had width $(viewer_width), not $width back"
xdotool key --clearmodifiers End
close_window "$viewer"
sleep 0.5
[ -n "$(xdotool search --onlyvisible --name '^Vistrelle Image Viewer')" ] || fail "the viewer closed alone"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
saved=$(sed -n 's/^IWIDTH=\([0-9]*\)\r$/\1/p' "$program/Vistrelle.ini")
[ -z "$saved" ] || [ $((saved / 15)) -eq "$width" ] || fail "the viewer's width saved is $saved twips, not $width pixels"
