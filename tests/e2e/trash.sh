#!/usr/bin/env bash
# A library moved to another disk and reached through a link (the usual way to move one): a
# deleted picture goes to that disk's trash, where the desktop's trash sees it and puts it back
# (trash-list and trash-restore of trash-cli as the real clients); to the disk's shared trash
# where there is one, but not through a link, and to no other user's trash. A library on a bind
# mount of a folder of the home's file system goes to the bind mount's trash. The home trash
# takes none of them.
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
trap 'umount -l "$work/bound" 2>/dev/null; stop_session; umount -l "$work/disk" 2>/dev/null; rmdir "$work/disk" "$work" 2>/dev/null' EXIT
mkdir "$work/disk/shots"
ln -s "$work/disk/shots" "$work/linked"
# The home trash of the test's own, on the home's file system.
export XDG_DATA_HOME="$work/data"
set_folder="$work/linked/Vistrelles/Default Category/Default Image Set"
real_folder="$work/disk/shots/Vistrelles/Default Category/Default Image Set"
# Deleted after the capture, one a layout of the disk's trash folders: the list's last line goes
# first, and the line before it is the current one next.
mkdir -p "$real_folder"
for name in A1 A2 A3; do cp "$work/shot.png" "$real_folder/$name.png"; done
# delete_current: Delete on the file list, Yes to the question.
delete_current() {
    xdotool windowactivate --sync "$main" key --clearmodifiers Delete
    answer_box
}
# gone FILE: FILE is no longer there within 10 s.
gone() {
    for _ in $(seq 100); do [ -e "$1" ] || return 0; sleep 0.1; done
    return 1
}
home_trash_empty() { [ -z "$(find "$work/data" -type f 2>/dev/null)" ] || fail "the home trash took: $(find "$work/data" -type f)"; }

"$program/vistrelle" "$work/linked" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
shot=$(basename "$(find "$set_folder" -name 'Image_*')")
cp "$set_folder/$shot" "$work/original.jpg"
sleep 0.5

# The capture is the list's selected line; Alt+F, the key of the list's label, goes to the list.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+f Delete
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
rm "$real_folder/$shot"

# A shared trash on the disk (sticky, open to all) takes the next one in the user's own folder.
mkdir -m 1777 "$work/disk/.Trash"
delete_current
gone "$real_folder/A3.png" || fail "A3.png was not deleted"
[ -f "$work/disk/.Trash/0/files/A3.png" ] || fail "not in the shared trash: $(find "$work/disk" -name 'A3.png*')"
trash-list 2>/dev/null | grep -qF "$real_folder/A3.png" || fail "trash-list does not show it in the shared trash"
# One that is a link may lead anywhere: the disk's trash of the user's own takes it instead.
mv "$work/disk/.Trash" "$work/disk/elsewhere"
ln -s "$work/disk/elsewhere" "$work/disk/.Trash"
delete_current
gone "$real_folder/A2.png" || fail "A2.png was not deleted"
[ -f "$work/disk/.Trash-0/files/A2.png" ] || fail "not in the disk's trash: $(find "$work/disk" -name 'A2.png*')"
# Another user's trash folder in the way: no trash takes it, and No to deleting it for good keeps it.
chown 65534:65534 "$work/disk/.Trash-0"
xdotool windowactivate --sync "$main" key --clearmodifiers Delete
answer_box
box=$(wait_window '^Vistrelle$')
xdotool windowactivate --sync "$box" key --clearmodifiers Escape
sleep 1
[ -f "$real_folder/A1.png" ] || fail "A1.png went without a trash to take it: $(find "$work" -name 'A1.png*')"
home_trash_empty

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"

bound_set="$work/bound/Vistrelles/Default Category/Default Image Set"
mkdir -p "$work/bound" "$work/home-fs/Vistrelles/Default Category/Default Image Set"
cp "$work/shot.png" "$work/home-fs/Vistrelles/Default Category/Default Image Set/B1.png"
mount --bind "$work/home-fs" "$work/bound" || fail "could not bind-mount a folder"
"$program/vistrelle" "$work/bound" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
sleep 0.5
xdotool windowactivate --sync "$main" key --clearmodifiers alt+f Delete
answer_box
gone "$bound_set/B1.png" || fail "B1.png was not deleted"
[ -f "$work/bound/.Trash-0/files/B1.png" ] || fail "not in the bind mount's trash: $(find "$work" -name 'B1.png*')"
grep -qx 'Path=Vistrelles/Default%20Category/Default%20Image%20Set/B1.png' "$work/bound/.Trash-0/info/B1.png.trashinfo" ||
    fail "the trash information names: $(cat "$work/bound/.Trash-0/info/B1.png.trashinfo")"
home_trash_empty
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
