#!/usr/bin/env bash
# What the Image Set goes through while pictures stream in, and what becomes of them: moved
# away between two pictures, the pictures before it go with it and those after it are filed into
# the set made again, none lost; made immutable (chattr +i, which needs root) for several
# pictures, the last of them is filed by itself once the set takes files again, told once.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2

install_program "$1"
"$helper" pictures "$work" 320 200 9 || fail "the pictures could not be made"
copy() { xclip -selection clipboard -t image/png -i "$work/pic_0$1.png"; }

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
mkdir -p "$set_folder"

# Moved away: a second apart, so that each picture has its own name.
for n in 1 2 3; do
    copy "$n"
    files_in_set "$n"
    sleep 1
done
mv "$set_folder" "$work/moved"
for n in 4 5; do
    copy "$n"
    files_in_set $((n - 3))
    sleep 1
done
"$helper" check "$work/moved" 3 || fail "the pictures moved away: $(ls "$work/moved" | tr '\n' ' ')"
"$helper" check "$set_folder" 2 4 || fail "the pictures after the move: $(ls "$set_folder" | tr '\n' ' ')"
[ -z "$(xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null)" ] || fail "a message was shown"

if [ "$(id -u)" -ne 0 ] || ! chattr +i "$set_folder" 2>"$work/chattr.log"; then
    echo "skipped: an immutable Image Set needs root and a file system that has the attribute ($(cat "$work/chattr.log" 2>/dev/null))"
    close_window "$main"
    exit 77
fi
trap 'chattr -i "$set_folder" 2>/dev/null; stop_session' EXIT
for n in 6 7 8; do
    copy "$n"
    sleep 0.7
done
wait_window '^Vistrelle$' >/dev/null
sleep 1
files_in_set 2
chattr -i "$set_folder"
files_in_set 3
sleep 1
files_in_set 3
# The newest file is the last picture copied while the set was immutable; the others stayed.
mkdir "$work/last" "$work/earlier"
ls -t "$set_folder"/Image_* | head -n 1 | xargs -I{} cp {} "$work/last/"
ls -t "$set_folder"/Image_* | tail -n +2 | xargs -I{} cp {} "$work/earlier/"
"$helper" check "$work/last" 1 8 || fail "the last picture copied was not filed: $(ls "$set_folder" | tr '\n' ' ')"
"$helper" check "$work/earlier" 2 4 || fail "the pictures filed before changed"
[ "$(xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null | wc -l)" -eq 1 ] || fail "the failure was told more than once"

answer_box
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
