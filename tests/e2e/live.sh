#!/usr/bin/env bash
# Live folders: what other programs (cp, mv, rm, mkdir from a shell) do in the library shown
# reaches the running program without Refresh. A picture copied into the Image Set shown is
# listed in its place within a deadline, not selected; renamed, its line moves; removed, its
# line goes; an Image Set made appears in the Image Set box; the Image Set shown removed is told
# once and the next one shown. The lines are read over the accessibility bus, as a screen
# reader reads them.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
walker=(/usr/bin/python3 "$(dirname "$0")/accessible.py")

start_accessibility_bus

category="$program/Vistrelles/Default Category"
mkdir -p "$set_folder" "$category/Other Set"
cp "$work/shot.png" "$set_folder/Image_1.png"
cp "$work/shot.png" "$set_folder/Image_2.png"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main_title='^Vistrelle \(JPG\)$'
wait_window "$main_title" >/dev/null

# listed LINE...: the file list holds exactly these lines, "* " before the selected ones.
listed() { [ "$("${walker[@]}" lines "$main_title" "Image Files")" = "$(printf '%s\n' "$@")" ]; }
# sets NAME...: the Image Set box offers exactly these names.
sets() { [ "$("${walker[@]}" lines "$main_title" "Image Set")" = "$(printf '%s\n' "$@")" ]; }
# A deadline missed shows the lines listed.
list_lines() { "${walker[@]}" lines "$main_title" "Image Files"; }
within_shows=list_lines

until_true "the Image Set was not listed" listed "* Image_1.png" "Image_2.png"
until_true "the Image Sets were not offered" sets "Default Image Set" "Other Set"

cp "$work/shot.png" "$set_folder/Image_15.png"
within 5 "a copied picture was not listed in its place, unselected" \
    listed "* Image_1.png" "Image_15.png" "Image_2.png"
mv "$set_folder/Image_15.png" "$set_folder/Image_3.png"
within 5 "a renamed picture's line did not move" listed "* Image_1.png" "Image_2.png" "Image_3.png"
rm "$set_folder/Image_3.png"
within 5 "a removed picture's line stayed" listed "* Image_1.png" "Image_2.png"
mkdir "$category/Another Set"
within 5 "a new Image Set was not offered" sets "Another Set" "Default Image Set" "Other Set"

# The Image Set shown removed: told once, the first one left shown. (grep reads the walker's
# whole list: quitting at the first match would break its pipe.)
rm -r "$set_folder"
box=$(wait_window '^Vistrelle$')
"${walker[@]}" names '^Vistrelle$' | grep 'Default Image Set.* is gone' >/dev/null ||
    fail "the box said: $("${walker[@]}" names '^Vistrelle$')"
xdotool windowactivate --sync "$box" key --clearmodifiers Return
until_true "the box stayed" bash -c "! xdotool search --onlyvisible --name '^Vistrelle$' | grep -qx '$box'"
within 5 "the removed Image Set was still offered" sets "Another Set" "Other Set"
"${walker[@]}" names "$main_title" | grep "^combo box 'Another Set' () labels=\['Image Set'\]" >/dev/null ||
    fail "the first Image Set left is not shown"
mkdir "$category/Zoo Set"
within 5 "a new Image Set was not offered" sets "Another Set" "Other Set" "Zoo Set"
[ -z "$(xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null)" ] || fail "the removal was told again"

close_window "$(wait_window "$main_title")"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
