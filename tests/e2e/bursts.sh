#!/usr/bin/env bash
# A burst of different 4K pictures copied 30 ms apart, while a very tall picture is selected in
# the list, becomes as many intact files in copy order as pictures the program could read,
# whatever the machine's load (one replaced before any request could reach it is gone for every
# program); a clipboard manager that puts the emptied clipboard back does not make the picture a
# file again.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2
source "$(dirname "$0")/copies.sh"

install_program "$1"
mkdir -p "$set_folder" "$work/hd" "$work/uhd"
"$helper" pictures "$work" 800 20000 1 jpg && mv "$work/pic_01.jpg" "$set_folder/tall.jpg" ||
    fail "could not make the tall picture"
"$helper" pictures "$work/hd" 1920 1080 1 || fail "could not make the pictures"
"$helper" pictures "$work/uhd" 3840 2160 10 || fail "could not make the pictures"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
wait_window '^Vistrelle \(JPG\)$' >/dev/null

burst "$work/uhd" 30
filed "$work/uhd"
mkdir "$work/first" && mv "$set_folder"/Image_* "$work/first/"

# A manager puts its picture on the clipboard, and back when the clipboard is emptied.
"$helper" manager "$work/hd/pic_01.png" >"$work/manager.log" 2>&1 &
x_pids+=($!)
sleep 4
[ "$(find "$set_folder" -name 'Image_*' | wc -l)" -eq 1 ] ||
    fail "the restored picture was filed again: $(ls "$set_folder" | tr '\n' ' ')"
restores=$(grep -c restored "$work/manager.log")
[ "$restores" -eq 1 ] || fail "the picture was cleared and restored $restores times"
targets=$(timeout 5 xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
grep -q image/ <<<"$targets" || fail "the restored picture was cleared again"

# Killed in the middle of a burst: the pictures fetched and not yet filed wait in the spool, and
# the next start files them once each, in copy order, before the rest of the burst. The kill
# costs at most the picture being kept as it came: read whole, not yet in the spool.
kill "${x_pids[-1]}"
rm -f "$set_folder"/Image_*
spool="$program/Vistrelles/.vistrelle-spool"
mkdir -p "$work/kill"
"$helper" pictures "$work/kill" 3840 2160 16 || fail "could not make the pictures"
timeout 120 "$helper" copies 100 "$work/kill"/pic_*.png >"$work/kill/asked" &
copier=$!
# Killed once two pictures wait in the spool for the writer.
for _ in $(seq 1000); do
    [ "$(find "$spool" -name '*.spool' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.01
done
kill -KILL "$app"
wait "$app" 2>/dev/null
sent_before=$(grep -c '^sent' "$work/kill/asked")
at_kill="$(tr '\n' ' ' <"$work/kill/asked"), spool: $(ls "$spool" | tr '\n' ' '), folder: $(ls "$set_folder" | tr '\n' ' ')"
waiting=$(ls "$spool" | grep -E '^[0-9]{12}\.(spool|got)$' | cut -c1-12 | sort -u | wc -l)
kept=$(($(find "$set_folder" -name 'Image_*' | wc -l) + waiting))
[ "$waiting" -gt 0 ] || fail "no picture waited in the spool when the program was killed"
"$program/vistrelle" >"$work/run2.log" 2>&1 &
app=$!
wait "$copier" || fail "the burst did not end after the restart: $(ls "$set_folder" | tr "\n" " "), $(cat "$work/kill/asked" | tr "\n" " "), spool: $(ls "$spool"), before: $sent_before kept $kept"
sent=$(grep '^sent' "$work/kill/asked" | cut -d ' ' -f 2 | sort -un)
# What the kill may have cost: of the last pictures read whole before it, those in neither place.
# (More may be kept than were sent: read whole before the helper said so.)
cut=$((sent_before > kept ? sent_before - kept : 0))
[ "$cut" -le 1 ] || fail "the kill cost $cut pictures read whole before it (sent: $sent_before, kept: $kept): $at_kill"
candidates=$(grep '^sent' "$work/kill/asked" | head -n "$sent_before" | tail -n "$cut" | cut -d ' ' -f 2)
for _ in $(seq 600); do
    [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge $(($(wc -l <<<"$sent") - cut)) ] &&
        [ -z "$(find "$set_folder" -name '.*')" ] && break
    sleep 0.1
done
sleep 1
matched=
for mask in $(seq 0 $(((1 << cut) - 1))); do
    lost=$(awk -v mask="$mask" '{ if (int(mask / 2 ^ (NR - 1)) % 2) print }' <<<"$candidates")
    expected=$(grep -vxF -f <(printf '%s\n' "${lost:-none}") <<<"$sent" | tr '\n' , )
    "$helper" check "$set_folder" "$expected" >/dev/null && matched=$expected && break
done
[ -n "$matched" ] ||
    fail "after the kill: $(ls "$set_folder" | tr '\n' ' '), sent: $sent (before the kill: $sent_before, kept: $kept)"
[ -z "$(find "$spool" -name '*.spool' -o -name '*.got')" ] || fail "pictures were left in the spool: $(ls "$spool")"
