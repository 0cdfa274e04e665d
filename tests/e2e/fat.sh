#!/usr/bin/env bash
# A library on a FAT disk, which has neither a no-replace rename nor hard links (as exFAT, phones
# and many network mounts): a disk image mounted through FUSE. A copied picture is
# filed; one whose name a picture of the same second already has gets the next free name and
# replaces none; a deleted one goes to the disk's trash.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}
command -v fusefat >/dev/null || skip "fusefat is not installed"
command -v mkfs.vfat >/dev/null || skip "mkfs.vfat (dosfstools) is not installed"
[ -w /dev/fuse ] || skip "no /dev/fuse to mount through"
install_program "$1"

disk=$work/disk
# Clusters of 32 KiB keep each folder in one cluster: fusefat 0.1a mixes up a folder's entries
# when a rename's entries meet the end of a cluster, as it does also without Vistrelle.
mkfs.vfat -s 64 -C "$work/fat.img" 32768 >"$work/mkfs.log" 2>&1 || fail "mkfs.vfat failed: $(cat "$work/mkfs.log")"
mkdir "$disk"
fusefat -o rw+ "$work/fat.img" "$disk" >"$work/fusefat.log" 2>&1 || skip "mounting through FUSE failed: $(cat "$work/fusefat.log")"
# The program ends before the disk goes, and the disk before the work folder.
trap 'pkill -KILL -P $$ vistrelle 2>/dev/null; sleep 0.2; fusermount -uz "$disk" 2>/dev/null; stop_session' EXIT
mountpoint -q "$disk" || skip "fusefat did not mount the image: $(cat "$work/fusefat.log")"
set_folder="$disk/Vistrelles/Default Category/Default Image Set"

"$program/vistrelle" "$disk" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
first=$(find "$set_folder" -name 'Image_*')
[[ $(basename "$first") =~ ^Image_[0-9]{6}_[0-9]{6}\.jpg$ ]] || fail "unexpected name $(basename "$first")"
[ "$(head -c 3 "$first" | od -An -tx1 | tr -d ' ')" = ffd8ff ] || fail "the file is not a JPEG"

# Every name of the next minute already taken, as by pictures of the same seconds: the next
# picture takes the free "_2" one, and each picture already there stays as it was.
{
    cat "$first"
    echo earlier
} >"$work/earlier.jpg"
now=$(date +%s)
for second in $(seq "$now" $((now + 60))); do
    name="$set_folder/Image_$(date -d "@$second" +%y%m%d_%H%M%S).jpg"
    [ -e "$name" ] || cp "$work/earlier.jpg" "$name"
done
taken=$(find "$set_folder" -name 'Image_*' | wc -l)
# Another picture: 3x2, all blue.
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAD0lEQVR4nGNgYPgPQzAWADXeBfvilmCeAAAAAElFTkSuQmCC' |
    base64 -d >"$work/blue.png"
xclip -selection clipboard -t image/png -i "$work/blue.png"
files_in_set $((taken + 1))
second=$(find "$set_folder" -name 'Image_*_2.jpg')
[ -n "$second" ] && [ "$(wc -l <<<"$second")" -eq 1 ] || fail "not filed under one _2 name: $(ls "$set_folder")"
[ "$(head -c 3 "$second" | od -An -tx1 | tr -d ' ')" = ffd8ff ] || fail "the second file is not a JPEG"
for file in "$set_folder"/Image_*; do
    [ "$file" = "$second" ] || [ "$file" = "$first" ] || cmp -s "$file" "$work/earlier.jpg" ||
        fail "$(basename "$file") was replaced"
done
[ -z "$(find "$set_folder" -name '.*')" ] || fail "left behind: $(find "$set_folder" -name '.*')"

cp "$second" "$work/second.jpg"

# The list's selected line is the new picture; Alt+F, the key of the list's label, goes to the list.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+f Delete
answer_box
for _ in $(seq 100); do [ -e "$second" ] || break; sleep 0.1; done
[ ! -e "$second" ] || fail "the picture was not deleted"
trashed=$(find "$disk" -path '*/files/*' -name "$(basename "$second")")
[ -n "$trashed" ] || fail "not in the disk's trash: $(find "$disk" -name '.Trash*' 2>&1) $(cat "$work/run.log")"
cmp -s "$trashed" "$work/second.jpg" || fail "the trash holds another file"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
