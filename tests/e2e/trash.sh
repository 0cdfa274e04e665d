#!/usr/bin/env bash
# A library moved to another disk and reached through a link (the usual way to move one): a
# deleted picture goes to that disk's trash, where the desktop's trash sees it and puts it back
# (trash-list and trash-restore of trash-cli as the real clients).
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "Mounting a file system for this test needs root; skipped."
    exit 77
fi
command -v trash-list >/dev/null || fail "trash-list (trash-cli) is not installed"
install_program "$1"

mkdir "$work/disk"
mount -t tmpfs tmpfs "$work/disk" || fail "could not mount a tmpfs"
trap 'stop_session; umount -l "$work/disk" 2>/dev/null; rmdir "$work/disk" "$work" 2>/dev/null' EXIT
mkdir "$work/disk/shots"
ln -s "$work/disk/shots" "$work/linked"
# The home trash of the test's own, on the home's file system.
export XDG_DATA_HOME="$work/data"
set_folder="$work/linked/Vistrelles/Default Category/Default Image Set"
real_folder="$work/disk/shots/Vistrelles/Default Category/Default Image Set"

"$program/vistrelle" "$work/linked" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
shot=$(basename "$(find "$set_folder" -name 'Image_*')")
cp "$set_folder/$shot" "$work/original.jpg"
sleep 0.5

# The capture is the list's selected line; the list is two steps from the first control.
xdotool windowactivate --sync "$main" key --clearmodifiers Tab Tab Delete
answer_box
for _ in $(seq 100); do [ -e "$set_folder/$shot" ] || break; sleep 0.1; done
[ ! -e "$set_folder/$shot" ] || fail "the picture was not deleted"
[ -f "$work/disk/.Trash-0/files/$shot" ] || fail "not in the disk's trash:" $(find "$work/disk" "$work/data" -name "$shot*" 2>&1)
[ -z "$(find "$work/disk/shots" -name '.Trash*')" ] || fail "a trash was made inside the library"

listed=$(trash-list 2>/dev/null | grep -F "$real_folder/$shot")
[ -n "$listed" ] || fail "trash-list does not show it: $(trash-list 2>&1 | tail -n 5)"
echo 0 | trash-restore "$real_folder" >"$work/restore.log" 2>&1 || fail "trash-restore failed: $(cat "$work/restore.log")"
cmp -s "$real_folder/$shot" "$work/original.jpg" || fail "the restored picture is not the one deleted"
[ -z "$(trash-list 2>/dev/null | grep -F "$real_folder/")" ] || fail "the restored picture is still listed"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
