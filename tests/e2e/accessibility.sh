#!/usr/bin/env bash
# What a screen reader meets, over the desktop's accessibility bus (AT-SPI), in every window the
# program shows: each control that takes the focus has a name, each combo box and list is
# labelled by its label, and no two buttons of a window are named alike. Each window is reached
# from the keyboard alone, as a user without a mouse reaches it: the labels' keys and Tab lead to
# the commands, Space and Enter work the thumbnails, and the arrows step the viewer.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
walker=(/usr/bin/python3 "$(dirname "$0")/accessible.py")

start_accessibility_bus

mkdir -p "$set_folder"
cp "$work/shot.png" "$set_folder/Image_1.png"
cp "$work/shot.png" "$set_folder/Image_2.png"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!

main_title='^Vistrelle \(JPG\)$'
viewer_title='^Vistrelle Image Viewer'
# check TITLE: the window passes the walk.
check() { "${walker[@]}" check "$1" || fail "the window '$1' is not told whole: $(cat "$work/run.log")"; }
# focused_is TITLE NAME: the control named NAME of that window has the focus.
focused_is() { [ "$("${walker[@]}" focused "$1")" = "$2" ]; }
# shows TITLE PATTERN: a control of that window, as the walker lists it, matches PATTERN.
# (grep reads the whole list: quitting at the first match would break the walker's pipe.)
shows() { "${walker[@]}" names "$1" | grep "$2" >/dev/null; }
# keys TITLE KEY...: presses the keys in the window of that title.
keys() {
    local window=$1
    shift
    xdotool windowactivate --sync "$(wait_window "$window")" key --clearmodifiers "$@"
}

wait_window "$main_title" >/dev/null
check "$main_title"
check "$viewer_title"

# The pictures found stand where the file list stood, labelled as it was.
keys "$main_title" ctrl+f
until_true "Ctrl+F did not reach the Find box" focused_is "$main_title" "Find words"
xdotool type --delay 20 zzz
until_true "typing showed no list of pictures found" shows "$main_title" "^list 'Screenshots found' .* visible"
check "$main_title"
keys "$main_title" Escape

keys "$main_title" alt+o
check '^Vistrelle Options$'
keys '^Vistrelle Options$' Escape

# The Image Set's label leads to its list, its buttons follow it: View opens the thumbnails,
# where Tab goes from picture to picture and Enter chooses one.
keys "$main_title" alt+s Tab Tab Tab
until_true "Tab from the Image Set did not lead to its View" focused_is "$main_title" "View Image Set"
keys "$main_title" space
set_thumbnails='^Thumbnail Viewer - Image Set - Default Image Set$'
check "$set_thumbnails"
until_true "the first thumbnail has not the focus" focused_is "$set_thumbnails" "Image_1.png"
keys "$set_thumbnails" Tab
until_true "Tab did not lead to the second thumbnail" focused_is "$set_thumbnails" "Image_2.png"
keys "$set_thumbnails" Return
until_true "Enter on a thumbnail did not choose it" focused_is "$main_title" "Image Files"
until_true "the chosen thumbnail is not in the viewer" shows "$viewer_title" "^image 'Picture' (Image_2.png)"
# The arrows step the viewer through the list.
keys "$viewer_title" Right
until_true "Right did not step the viewer" shows "$viewer_title" "^image 'Picture' (Image_1.png)"

keys "$main_title" alt+c Tab Tab Tab
until_true "Tab from the Category did not lead to its View" focused_is "$main_title" "View Category"
keys "$main_title" space
check '^Thumbnail Viewer - Category - Default Category$'
keys '^Thumbnail Viewer - Category - Default Category$' Escape

keys "$main_title" alt+f space
check '^Where should this \(1\) file be moved\?$'
keys '^Where should this \(1\) file be moved\?$' Escape
keys "$main_title" alt+f Return
check '^Vistrelle File Options$'
keys '^Vistrelle File Options$' Escape
keys "$main_title" alt+s Tab
until_true "Tab from the Image Set did not lead to its New" focused_is "$main_title" "New Image Set"
keys "$main_title" space
check '^Enter a name \.\.\.$'
keys '^Enter a name \.\.\.$' Escape
keys "$main_title" alt+h
check '^Vistrelle Help$'
keys '^Vistrelle Help$' Escape

keys "$main_title" alt+m
small_title='^Vistrelle \(JPG\) \(LR mode\)$'
# Looked for whether shown or already minimised.
small_window() { xdotool search --name "$small_title" 2>/dev/null | head -n 1 | grep .; }
until_true "the low-resource window did not appear" small_window
small=$(small_window)
# Told by its name while it waits minimised, as it mostly does.
minimised() { xprop -id "$small" WM_STATE | grep -q Iconic; }
until_true "the small window was not minimised" minimised
check "$small_title"
# Without a notification area the menu key opens the tray's menu over the window, brought back
# from the taskbar, whichever control has the focus; its Close ends the program.
back() { xdotool windowactivate --sync "$small" && ! minimised; }
until_true "the small window did not come back from the taskbar" back
xdotool key --clearmodifiers Menu c
wait_exit "$app" || fail "the menu key and C did not close the program: $(cat "$work/run.log")"
