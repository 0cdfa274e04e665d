#!/usr/bin/env bash
# Screenshots reach the library: a picture put on the clipboard by another program becomes a
# file, and the active-window hotkey captures the focused window of another X client.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
# A capture sound that cannot be heard: Xvfb has no audio device, and capturing goes on.
{
    printf 'RIFF\x44\x03\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00'
    printf '\x40\x1f\x00\x00\x01\x00\x08\x00data\x20\x03\x00\x00'
    head -c 800 /dev/zero | tr '\0' '\200'
} >"$program/Vistrelle.wav"
# Hotkey CTRL+K for the active window.
printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\n' >"$program/Vistrelle.ini"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
shot=$(find "$set_folder" -name 'Image_*')
[[ $(basename "$shot") =~ ^Image_[0-9]{6}_[0-9]{6}\.jpg$ ]] || fail "unexpected name $(basename "$shot")"
[ "$(head -c 3 "$shot" | od -An -tx1 | tr -d ' ')" = ffd8ff ] || fail "the file is not a JPEG"
sleep 0.5
targets=$(timeout 5 xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
! grep -q image/ <<<"$targets" || fail "the picture stayed on the clipboard"
[ -z "$(find "$set_folder" -name '.*')" ] || fail "a temporary file was left behind"

# The hotkey captures a focused xterm with its frame, of the frame's size.
xterm -geometry 40x10+200+150 -title capture-target &
x_pids+=($!)
target=$(wait_window '^capture-target$')
xdotool windowactivate --sync "$target"
sleep 0.5
# The frame is the window plus the decorations the window manager announces.
client=$(xdotool getactivewindow)
read -r left right top bottom < <(xprop -id "$client" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$' | tr -d ,)
frame_size=$(xwininfo -id "$client" | awk -v l="$left" -v r="$right" -v t="$top" -v b="$bottom" \
    '/Width:/{w=$2}/Height:/{h=$2}END{print w+l+r"x"h+t+b}')
xdotool keydown ctrl keydown k
sleep 0.05
xdotool keyup k keyup ctrl
files_in_set 2
sleep 0.3
captured=$(find "$set_folder" -name 'Image_*' -newer "$shot" | head -n 1)
[ -n "$captured" ] || fail "no capture of the window"
size=$(file -b "$captured" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
[ "$size" = "$frame_size" ] || fail "captured $size, but the framed window is $frame_size"

# Taps shorter than a tick fire once each: the presses are latched between ticks.
for _ in 1 2 3; do
    xdotool keydown ctrl keydown k keyup k keyup ctrl
    sleep 0.6
done
files_in_set 5
sleep 1
files_in_set 5

# A key counts only with the modifiers held at its press: a plain k typed just before Ctrl+J,
# both between two ticks, is no Ctrl+K.
for _ in 1 2 3 4; do
    xdotool key k keydown ctrl key j keyup ctrl
    sleep 0.4
done
sleep 1
files_in_set 5

# A window reaching past the screen's edge is captured at its full size, the outside black.
xdotool windowmove --sync "$target" 1100 700
xdotool windowactivate --sync "$target"
sleep 0.3
xdotool keydown ctrl keydown k keyup k keyup ctrl
files_in_set 6
sleep 0.3
last=$(ls -t "$set_folder"/Image_* | head -n 1)
size=$(file -b "$last" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
[ "$size" = "$frame_size" ] || fail "a window partly off the screen was captured as $size, not $frame_size"
kill -0 "$app" || fail "the program ended during an off-screen capture"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
