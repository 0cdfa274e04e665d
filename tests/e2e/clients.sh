#!/usr/bin/env bash
# Real clipboard clients beside the program, on a machine the test keeps busy itself: every
# picture flameshot copies is filed, and, with CopyQ watching the clipboard, every picture of a
# burst that the program could read, 300 ms and 50 ms apart, once each and in copy order; the
# same with parcellite, which puts its last text back whenever the clipboard is emptied.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2
source "$(dirname "$0")/copies.sh"

install_program "$1"
mkdir -p "$set_folder" "$work/slow" "$work/fast" "$work/filed"
"$helper" pictures "$work/slow" 1280 720 8 || fail "could not make the pictures"
"$helper" pictures "$work/fast" 1280 720 8 || fail "could not make the pictures"

# The clients keep their settings in the test's own home, and flameshot's command reaches its
# running instance on a bus of the test's own.
export HOME=$work/home
mkdir -p "$HOME"
start_session_bus

# A busy loop on each core, beside whatever else the machine runs.
for _ in $(seq "$(nproc)"); do
    bash -c 'while :; do :; done' &
    x_pids+=($!)
done
load() { cut -d ' ' -f 1 /proc/loadavg; }

"$program/vistrelle" >"$work/run.log" 2>&1 &
wait_window '^Vistrelle \(JPG\)$' >/dev/null
count() { find "$set_folder" -name 'Image_*' | wc -l; }

flameshot >"$work/flameshot.log" 2>&1 &
x_pids+=($!)
for _ in $(seq 300); do
    dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.flameshot.Flameshot 2>/dev/null | grep -q true && break
    sleep 0.1
done
for shot in 1 2 3; do
    # A screen of its own each time: the same pixels straight after the clearing would be the
    # picture filed last, put back.
    xsetroot -solid "#$(printf '%02x%02x%02x' $((shot * 60)) $((200 - shot * 50)) 90)"
    timeout 30 flameshot full -c >>"$work/flameshot.log" 2>&1 || fail "flameshot did not copy (load $(load))"
    for _ in $(seq 300); do [ "$(count)" -ge "$shot" ] && break; sleep 0.1; done
    [ "$(count)" -eq "$shot" ] || fail "flameshot's picture $shot was not filed (load $(load)): $(ls "$set_folder")"
done
mv "$set_folder"/Image_* "$work/filed/"

copyq >"$work/copyq.log" 2>&1 &
x_pids+=($!)
for _ in $(seq 100); do copyq size >/dev/null 2>&1 && break; sleep 0.2; done
burst "$work/slow" 300
filed "$work/slow"
mv "$set_folder"/Image_* "$work/filed/"
burst "$work/fast" 50
filed "$work/fast"
mv "$set_folder"/Image_* "$work/filed/"

copyq exit >/dev/null 2>&1
parcellite -n >"$work/parcellite.log" 2>&1 &
x_pids+=($!)
printf 'words kept' | xclip -selection clipboard
for _ in $(seq 100); do
    pgrep -x xclip >/dev/null || break # the keeper has taken the words over
    sleep 0.1
done
burst "$work/slow" 300
filed "$work/slow"
echo "filed at a load of $(load)"
